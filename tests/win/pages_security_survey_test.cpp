// The Security and Site Survey pages and the Profile dialog in process: the configuration
// window opened without a modal loop over the recording device link and the test registry,
// its controls set by messages, Apply / Connect / Add / Delete pressed, and then what reached
// the link and what the registry holds. Message boxes and the Profile dialog are answered
// through their seams.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>

#include "adapter/buffers.h"
#include "adapter/control_codes.h"
#include "adapter/operations.h"
#include "adapter_fixture.h"
#include "logic/profile_actions.h"
#include "logic/window_pages.h"
#include "pages/security_page.h"
#include "pages/site_survey_page.h"
#include "profile_ids.h"
#include "security_ids.h"
#include "site_survey_ids.h"
#include "store/adapter_params.h"
#include "store/profile_store.h"
#include "win/config_dialog.h"
#include "win/pages.h"

namespace nv::win {
namespace {

// A settings lock another program may hold.
class LockSystem : public FakeSystem {
 public:
  LockResult TryLockSettings() override { return busy ? LockResult::Busy : LockResult::Acquired; }
  bool busy = false;
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void Text(HWND dialog, int id, const std::string& text) {
  SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
std::string Text(HWND window) {
  char text[128] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}
void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Choose(HWND dialog, int id, int entry) {
  const HWND list = GetDlgItem(dialog, id);
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}
void Notify(HWND page, int id, UINT code, WORD key = 0) {
  NMLVKEYDOWN n{};
  n.hdr = {GetDlgItem(page, id), static_cast<UINT_PTR>(id), code};
  n.wVKey = key;
  SendMessageA(page, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&n));
}
void SelectRow(HWND page, int id, int row) {
  LVITEMA item{};
  item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(GetDlgItem(page, id), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
}
int Rows(HWND page, int id) {
  return static_cast<int>(SendMessageA(GetDlgItem(page, id), LVM_GETITEMCOUNT, 0, 0));
}

BssWireEntry Network(const char* ssid, uint8_t last, bool privacy, bool infrastructure) {
  BssWireEntry e{};
  const uint8_t bssid[6] = {0x00, 0x0A, 0xF5, 0x10, 0x00, last};
  std::memcpy(e.bssid, bssid, 6);
  e.ssidLength = static_cast<uint32_t>(std::strlen(ssid));
  std::memcpy(e.ssid, ssid, e.ssidLength);
  e.privacy = privacy;
  e.rssiWord = 150 << 16;
  e.channel = 6;
  e.infrastructureMode = infrastructure;
  return e;
}

class PagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t.AddInstance("0000", std::string(kHardwareIds[0]), true);
    const std::vector<BssWireEntry> networks = {Network("Office", 1, true, true),
                                                Network("Cafe", 2, false, false)};
    t.link.SetHandler(codes::kBssList.queryCode, [networks](auto, std::span<uint8_t> out) {
      return IoOutcome{true, EncodeBssList(networks, 2, out), 0};
    });
    ASSERT_NE(window.OpenModeless(), nullptr);
    Pump();
    t.link.ClearRequests();
  }
  void TearDown() override { DestroyWindow(window.hwnd()); }

  HWND Page(int index) { return window.page(index)->hwnd(); }
  SiteSurveyPage& Survey() { return *static_cast<SiteSurveyPage*>(window.page(kPageSiteSurvey)); }
  AdapterConfig Stored() { return StoredAdapterSettings(io); }
  // Whether a setting was sent (queries change nothing, nor do the register window's writes
  // here: they address the regulatory domain's read).
  bool Changed() {
    for (uint32_t code : t.link.codes()) {
      const bool set = LookupControlCode(code).direction == CodeDirection::Set;
      if (set && code != codes::kRegisterWrite.setCode) return true;
    }
    return false;
  }
  // After a change the window shows the Link Info page, the other pages read again.
  bool Reloaded() {
    return window.currentPage() == kPageReload && IsWindowVisible(Page(kPageLinkInfo));
  }
  bool Sent(const ControlPair& pair) {
    for (uint32_t code : t.link.codes()) {
      if (code == pair.setCode) return true;
    }
    return false;
  }
  // The Profile dialog opens without a modal wait; `drive` sets it, then OK is pressed.
  void OnDialog(std::function<void(ProfileDialog&)> drive) {
    Survey().SetDialogRun([this, drive](ProfileDialog& d, HWND owner) {
      EXPECT_NE(d.OpenModeless(owner), nullptr);
      EXPECT_EQ(GetParent(d.hwnd()), window.hwnd());  // owned: CloseWithPopups closes it
      drive(d);
      if (IsWindow(d.hwnd())) SendMessageA(d.hwnd(), WM_COMMAND, IDOK, 0);
      Pump();
      return d.result();
    });
  }

  test::TestPorts t;
  LockSystem system;
  AdapterIo io{Ports{t.link, t.probe, system, *t.registry}};
  AppState state;
  std::vector<std::string> boxes;  // "caption|text" of every box shown
  std::deque<int> answers;         // what the boxes answer, IDOK when none is left
  PageContext context{GetModuleHandleA(nullptr), io, state,
                      [this](HWND, const std::string& text, const std::string& caption, UINT) {
                        boxes.push_back(caption + "|" + text);
                        if (answers.empty()) return IDOK;
                        const int answer = answers.front();
                        answers.pop_front();
                        return answer;
                      }};
  ConfigDialog window{context, StandardPages()};
};

struct SecurityRow {
  const char* name;
  bool encryption;
  const char* key1;
  bool lockBusy;
  const char* box;  // "" when none
  bool stored;      // the security group was sent and stored
};

TEST_F(PagesTest, SecurityApplyChecksSendsAndStores) {
  const SecurityRow rows[] = {
      {"a 64-bit hex key", true, "0123456789", false, "", true},
      {"one digit short", true, "012345678", false,
       "Warning|WEP key 1 size mistake!\n Need 10 characters", false},
      {"encryption off", false, "", false, "", true},
      {"lock held elsewhere", true, "0123456789", true,
       "Wireless LAN Monitor/Configuration Utility|Another program is changing the settings; "
       "nothing was changed, try again.",
       false},
  };
  for (const SecurityRow& row : rows) {
    SCOPED_TRACE(row.name);
    window.ShowPage(kPageSecurity);
    const HWND page = Page(kPageSecurity);
    if ((SendMessageA(GetDlgItem(page, IDC_SEC_ENCRYPTION), BM_GETCHECK, 0, 0) == BST_CHECKED) !=
        row.encryption) {
      Click(page, IDC_SEC_ENCRYPTION);
    }
    EXPECT_EQ(IsWindowEnabled(GetDlgItem(page, IDC_SEC_KEY1)), row.encryption);
    Choose(page, IDC_SEC_AUTH_MODE, 1);
    Click(page, IDC_SEC_DEFAULT_KEY1);
    Text(page, IDC_SEC_KEY1, row.key1);
    system.busy = row.lockBusy;
    state.connectingTicks = 3;
    boxes.clear();
    t.link.ClearRequests();
    Click(page, IDC_SEC_APPLY);
    EXPECT_EQ(boxes, row.box[0] ? std::vector<std::string>{row.box} : std::vector<std::string>{});
    EXPECT_EQ(Sent(codes::kWepStatus), row.stored);
    EXPECT_EQ(window.currentPage(), row.stored ? kPageLinkInfo : kPageSecurity);
    EXPECT_EQ(state.connectingTicks, row.stored ? 0 : 3);
    // Stopped: the user's text stays. Stored: shown again as stored (WEP off keeps the key).
    EXPECT_EQ(Text(GetDlgItem(page, IDC_SEC_KEY1)), row.stored ? "0123456789" : row.key1);
    if (row.stored) {
      const AdapterConfig c = Stored();
      EXPECT_EQ(c.wepStatus, row.encryption ? kWepEnabled : kWepDisabled);
      EXPECT_EQ(c.authMode, 1);
      EXPECT_EQ(c.keys[0].length, 5);
    }
  }
}

TEST_F(PagesTest, SecurityKeyGroupFormatSizeAndDone) {
  window.ShowPage(kPageSecurity);
  const HWND page = Page(kPageSecurity);
  Click(page, IDC_SEC_ENCRYPTION);
  Choose(page, IDC_SEC_KEY2_SIZE, kKeySize256);
  Text(page, IDC_SEC_KEY2, std::string(58, '7'));
  Choose(page, IDC_SEC_KEY2_SIZE, kKeySize64);  // cut to the new size
  EXPECT_EQ(Text(GetDlgItem(page, IDC_SEC_KEY2)), std::string(10, '7'));
  Choose(page, IDC_SEC_KEY_FORMAT, kKeyFormatAscii);  // a real change empties the boxes
  EXPECT_EQ(Text(GetDlgItem(page, IDC_SEC_KEY2)), "");
  Choose(page, IDC_SEC_KEY1_SIZE, kKeySize128);
  Text(page, IDC_SEC_PASSPHRASE, "netvane");
  Click(page, IDC_SEC_DONE);
  const std::vector<std::string> keys = KeysFromPassphrase("netvane", kKeySize128);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(Text(GetDlgItem(page, IDC_SEC_KEY1 + 2 * k)), keys[static_cast<size_t>(k)]);
  }
  EXPECT_EQ(SendMessageA(GetDlgItem(page, IDC_SEC_KEY4_SIZE), CB_GETCURSEL, 0, 0), kKeySize128);
  EXPECT_EQ(SendMessageA(GetDlgItem(page, IDC_SEC_KEY_FORMAT), CB_GETCURSEL, 0, 0), kKeyFormatHex);
  EXPECT_FALSE(Changed());
}

TEST_F(PagesTest, SurveyListsCurrentNetworkFirstAndPollsElevenTimes) {
  state.currentLinkStatus.state = 3;
  const uint8_t cafe[6] = {0x00, 0x0A, 0xF5, 0x10, 0x00, 2};
  std::memcpy(state.currentLinkStatus.bssid, cafe, 6);
  ASSERT_TRUE(StoreProfile(*t.registry, "Cafe", AdapterConfig{}));
  window.ShowPage(kPageSiteSurvey);  // Shown(): the survey, then the profiles
  const HWND page = Page(kPageSiteSurvey);
  ASSERT_EQ(Rows(page, IDC_SURVEY_LIST), 2);
  char ssid[36] = {};
  LVITEMA item{};
  item.iSubItem = 1;
  item.pszText = ssid;
  item.cchTextMax = sizeof ssid;
  SendMessageA(GetDlgItem(page, IDC_SURVEY_LIST), LVM_GETITEMTEXTA, 0,
               reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(ssid, "Cafe");
  EXPECT_EQ(state.survey.connectedBssIndex, 1);
  EXPECT_EQ(Rows(page, IDC_SURVEY_PROFILE_LIST), 1);
  t.link.ClearRequests();
  Click(page, IDC_SURVEY_REFRESH);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_SURVEY_REFRESH)));
  for (int poll = 1; poll <= kSurveyMaxPolls; ++poll) {  // the scan never reports its end
    SendMessageA(page, WM_TIMER, IDT_SURVEY_POLL, 0);
    if (poll < kSurveyMaxPolls) {
      EXPECT_EQ(t.link.requests().back().code, codes::kScan.queryCode);
    }
  }
  EXPECT_EQ(t.link.requests().back().code, codes::kScan.setCode);
  EXPECT_EQ(t.link.requests().back().in[0], kScanStop);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_SURVEY_REFRESH)));
}

TEST_F(PagesTest, ConnectShowsTheNetworkStoresAndPutsInForce) {
  window.ShowPage(kPageSiteSurvey);
  const HWND page = Page(kPageSiteSurvey);
  OnDialog([](ProfileDialog& d) {  // cancelled: nothing stored or sent
    EXPECT_EQ(Text(d.hwnd()), "Connect: Office");
    SendMessageA(d.hwnd(), WM_COMMAND, IDCANCEL, 0);
  });
  SelectRow(page, IDC_SURVEY_LIST, 0);
  Click(page, IDC_SURVEY_CONNECT);
  EXPECT_FALSE(FindProfile(*t.registry, "Office"));
  EXPECT_FALSE(Changed());
  OnDialog([this](ProfileDialog& d) {
    EXPECT_EQ(Text(GetDlgItem(d.hwnd(), IDC_PROF_NAME)), "Office");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d.hwnd(), IDC_PROF_SSID)));
    EXPECT_EQ(Text(GetDlgItem(d.hwnd(), IDOK)), "OK");
    Text(d.hwnd(), IDC_PROF_KEY1, "012345678");  // one short: the Warning, owned by the dialog
    Click(d.hwnd(), IDC_PROF_DEFAULT_KEY1);
    SendMessageA(d.hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(boxes,
              std::vector<std::string>{"Warning|WEP key 1 size mistake!\n Need 10 characters"});
    EXPECT_TRUE(IsWindow(d.hwnd()));
    Text(d.hwnd(), IDC_PROF_KEY1, "0123456789");
  });
  Notify(page, IDC_SURVEY_LIST, NM_DBLCLK);
  const auto office = FindProfile(*t.registry, "Office");
  ASSERT_TRUE(office);
  EXPECT_EQ(office->wepStatus, kWepEnabled);
  EXPECT_EQ(office->bssType, kBssInfrastructure);
  EXPECT_EQ(Stored().keys[0].length, 5);
  EXPECT_TRUE(Sent(codes::kSsid));
  EXPECT_TRUE(Reloaded());
}

// Add sees a stored name past the 64 a profile table holds, and asks before replacing it.
TEST_F(PagesTest, AddAsksBeforeReplacingEvenPastSixtyFourProfiles) {
  for (int i = 0; i <= kMaxProfiles; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "p%02d", i);
    ASSERT_TRUE(StoreProfile(*t.registry, name, AdapterConfig{}));
  }
  window.ShowPage(kPageSiteSurvey);
  OnDialog([](ProfileDialog& d) {
    EXPECT_EQ(Text(d.hwnd()), "Add New Profile");
    Text(d.hwnd(), IDC_PROF_NAME, "P64");
    Text(d.hwnd(), IDC_PROF_SSID, "Lab");
  });
  for (const int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer);
    boxes.clear();
    answers = {answer};
    t.link.ClearRequests();
    Click(Page(kPageSiteSurvey), IDC_SURVEY_ADD);
    EXPECT_EQ(boxes, std::vector<std::string>{
                         "Add New Profile|A profile named \"p64\" exists. Replace it?"});
    EXPECT_EQ(FindProfile(*t.registry, "p64")->ssid[0] == 'L', answer == IDYES);
    EXPECT_EQ(Sent(codes::kSsid), answer == IDYES);
    EXPECT_EQ(StoredProfileName(*t.registry, "P64"), "p64");  // the stored spelling stays
  }
}

TEST_F(PagesTest, DeleteAsksRemoveDoesNotActivatePutsInForce) {
  for (const char* name : {"Cafe", "Home"}) {
    AdapterConfig c{};
    std::strcpy(c.ssid, name);
    ASSERT_TRUE(StoreProfile(*t.registry, name, c));
  }
  window.ShowPage(kPageSiteSurvey);
  const HWND page = Page(kPageSiteSurvey);
  ASSERT_EQ(Rows(page, IDC_SURVEY_PROFILE_LIST), 2);  // Cafe in range first, then Home
  SelectRow(page, IDC_SURVEY_PROFILE_LIST, 1);
  answers = {IDNO};
  Notify(page, IDC_SURVEY_PROFILE_LIST, LVN_KEYDOWN, VK_DELETE);
  EXPECT_EQ(boxes, std::vector<std::string>{
                       "Wireless LAN Monitor/Configuration Utility|Remove profile Home?"});
  EXPECT_TRUE(FindProfile(*t.registry, "Home"));
  answers = {IDYES};
  Notify(page, IDC_SURVEY_PROFILE_LIST, LVN_KEYDOWN, VK_DELETE);
  EXPECT_FALSE(FindProfile(*t.registry, "Home"));
  EXPECT_FALSE(Changed());  // the adapter keeps its settings
  SelectRow(page, IDC_SURVEY_PROFILE_LIST, 0);
  Notify(page, IDC_SURVEY_PROFILE_LIST, LVN_KEYDOWN, VK_RETURN);  // Enter activates
  EXPECT_TRUE(Sent(codes::kSsid));
  EXPECT_STREQ(Stored().ssid, "Cafe");
  EXPECT_TRUE(Reloaded());
  window.ShowPage(kPageSiteSurvey);
  SelectRow(page, IDC_SURVEY_PROFILE_LIST, 0);
  Click(page, IDC_SURVEY_REMOVE);  // the button asks nothing
  EXPECT_EQ(Rows(page, IDC_SURVEY_PROFILE_LIST), 0);
}

}  // namespace
}  // namespace nv::win
