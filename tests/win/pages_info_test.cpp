// The native window's Link Info, Configuration and About pages over the recording device link
// and the test registry: the window is opened modeless, its controls are set by messages, and
// what reached the link and the registry is checked.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "about_ids.h"
#include "adapter/buffers.h"
#include "adapter/operations.h"
#include "adapter_fixture.h"
#include "configuration_ids.h"
#include "link_info_ids.h"
#include "logic/about_texts.h"
#include "register_file.h"
#include "store/adapter_params.h"
#include "win/config_dialog.h"
#include "win/pages.h"

namespace nv::win {
namespace {

constexpr uint32_t kSetSsid = 0x220234;
constexpr uint32_t kSetChannel = 0x2202D8;
constexpr uint32_t kSetWepStatus = 0x2202B4;
constexpr uint32_t kSetScan = 0x2203A0;
constexpr uint32_t kQueryStatus = 0x2202A8;
constexpr uint32_t kQueryVersions = 0x220210;
constexpr UINT_PTR kDisplayTimer = 100;  // the Link Info page's timers
constexpr UINT_PTR kRadioTimer = 200;

// The settings lock of another program while `busy`; waiting for it moves the fake clock.
class LockSystem : public FakeSystem {
 public:
  LockResult TryLockSettings() override { return busy ? LockResult::Busy : LockResult::Acquired; }
  bool busy = false;
};

class PagesInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    t.AddInstance("0000", std::string(kHardwareIds[0]), true);
    regs.windowA[kRegulatoryDomainAddress] = 0x30;  // channels 1..13
    const auto versions = EncodeVersions({{3, 1, 0, 12}, {4, 5, 6, 7}});
    t.link.SetReply(kQueryVersions, {versions.begin(), versions.end()}, kVersionsBufferSize);
    ReplyCounters(0, 0);
  }
  void TearDown() override { Close(); }

  void Open() {
    ASSERT_NE(dialog.OpenModeless(), nullptr);
    Pump();
  }
  void Close() {
    if (dialog.hwnd() != nullptr) DestroyWindow(dialog.hwnd());
    Pump();
  }
  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  void ReplyCounters(uint32_t rx, uint32_t tx) {
    StatusBlockFields f{};
    f.rxBytesPrimary = rx;
    f.txBytesPrimary = tx;
    const auto block = EncodeStatusBlock(f);
    t.link.SetReply(kQueryStatus, {block.begin(), block.end()}, kStatusBlockSize);
  }
  HWND Control(int page, int id) { return GetDlgItem(dialog.page(page)->hwnd(), id); }
  std::string Text(int page, int id) {
    char text[256] = {};
    GetWindowTextA(Control(page, id), text, sizeof text);
    return text;
  }
  void Choose(int id, int position) {
    SendMessageA(Control(kPageConfiguration, id), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageA(dialog.page(kPageConfiguration)->hwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Control(kPageConfiguration, id)));
  }
  void Click(int page, int id) {
    SendMessageA(Control(page, id), BM_CLICK, 0, 0);
    Pump();
  }
  void Tick(int page, UINT_PTR timer) {
    SendMessageA(dialog.page(page)->hwnd(), WM_TIMER, timer, 0);
  }
  int Count(uint32_t code) {
    int n = 0;
    for (uint32_t c : t.link.codes()) n += c == code;
    return n;
  }
  AdapterConfig Stored() {
    AdapterConfig c{};
    ReadAdapterParameters(io, c);
    return c;
  }
  void Store(AdapterConfig c) {
    c.scope = kScopeAll;
    WriteAdapterParameters(io, c);
  }

  test::TestPorts t;
  test::RegisterFile regs{t.link, 1};
  LockSystem system;
  AdapterIo io{Ports{t.link, t.probe, system, *t.registry}};
  AppState state;
  std::vector<std::string> said;
  PageContext context{GetModuleHandleA(nullptr), io, state,
                      [this](HWND owner, const std::string& text, const std::string&, UINT) {
                        EXPECT_EQ(owner, dialog.hwnd());  // owned by the window
                        said.push_back(text);
                        return IDOK;
                      }};
  ConfigDialog dialog{context, StandardPages()};
};

TEST_F(PagesInfoTest, ConfigurationShowsTheStoredSettingsAndAppliesTheLinkGroup) {
  AdapterConfig c = Stored();
  std::strcpy(c.ssid, "Caf\xE9");  // an ANSI byte, shown and sent as it is
  c.bssType = 1;
  c.channel = 13;
  c.authMode = 1;
  c.keys[0].length = 5;
  c.keys[0].material[0] = 0x42;
  Store(c);
  Open();
  dialog.ShowPage(kPageConfiguration);
  const HWND channels = Control(kPageConfiguration, IDC_CONF_CHANNEL);
  EXPECT_EQ(Text(kPageConfiguration, IDC_CONF_SSID), "Caf\xE9");
  EXPECT_EQ(SendMessageA(channels, CB_GETCOUNT, 0, 0), 13);  // domain 0x30
  EXPECT_EQ(SendMessageA(channels, CB_GETCURSEL, 0, 0), 12);
  EXPECT_FALSE(IsWindowEnabled(channels));  // infrastructure
  const struct {
    int bssType;
    bool channelEnabled;
  } follow[] = {{0, true}, {1, false}, {2, true}};
  for (const auto& f : follow) {
    Choose(IDC_CONF_BSS_TYPE, f.bssType);
    EXPECT_EQ(IsWindowEnabled(channels) != FALSE, f.channelEnabled) << f.bssType;
  }
  // 33 typed characters: the box takes 32.
  const HWND ssid = Control(kPageConfiguration, IDC_CONF_SSID);
  SetWindowTextA(ssid, "");
  for (int i = 0; i < 33; ++i) SendMessageA(ssid, WM_CHAR, 'N', 0);
  EXPECT_EQ(Text(kPageConfiguration, IDC_CONF_SSID), std::string(32, 'N'));
  Choose(IDC_CONF_BSS_TYPE, 0);
  Choose(IDC_CONF_CHANNEL, 2);
  Choose(IDC_CONF_TX_RATE, 4);
  t.link.ClearRequests();
  Click(kPageConfiguration, IDC_CONF_APPLY);
  EXPECT_EQ(Count(kSetSsid), 1);
  EXPECT_EQ(Count(kSetChannel), 1);
  EXPECT_EQ(Count(kSetScan), 1);
  EXPECT_EQ(Count(kSetWepStatus), 0);  // the link group only
  const AdapterConfig after = Stored();
  EXPECT_EQ(std::string(after.ssid), std::string(32, 'N'));
  EXPECT_EQ(after.bssType, 0);
  EXPECT_EQ(after.channel, 3);
  EXPECT_EQ(after.txRate, 4);
  EXPECT_EQ(after.authMode, 1);
  EXPECT_EQ(after.keys[0].material[0], 0x42);
  EXPECT_EQ(dialog.currentPage(), kPageLinkInfo);
  EXPECT_TRUE(said.empty());
}

// What Apply does when the change does not fully happen, and Cancel.
TEST_F(PagesInfoTest, ConfigurationApplySaysWhatDidNotHappenAndCancelRestores) {
  const struct {
    const char* label;
    bool busy;
    bool openFails;
    bool cancel;
    const char* said;  // "" for no box
    int page;          // shown afterwards
    bool stored;       // the box's SSID reached the registry
  } cases[] = {
      {"applied", false, false, false, "", kPageLinkInfo, true},
      {"lock busy", true, false, false,
       "Another program is changing the settings; nothing was changed, try again.",
       kPageConfiguration, false},
      {"no device", false, true, false, "The adapter could not be opened; nothing was changed.",
       kPageLinkInfo, false},
      {"cancel", false, false, true, "", kPageConfiguration, false},
  };
  Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    AdapterConfig stored = Stored();
    std::strcpy(stored.ssid, "Home");
    stored.channel = 14;  // outside 1..13: no selection, applied as 0
    Store(stored);
    dialog.ShowPage(kPageReload);  // the stored settings changed
    dialog.ShowPage(kPageConfiguration);
    EXPECT_EQ(SendMessageA(Control(kPageConfiguration, IDC_CONF_CHANNEL), CB_GETCURSEL, 0, 0), -1);
    SetWindowTextA(Control(kPageConfiguration, IDC_CONF_SSID), "Away");
    system.busy = c.busy;
    t.link.SetOpenFails(c.openFails);
    t.link.ClearRequests();
    said.clear();
    Click(kPageConfiguration, c.cancel ? IDC_CONF_CANCEL : IDC_CONF_APPLY);
    EXPECT_EQ(said.empty() ? "" : said[0], std::string(c.said));
    EXPECT_EQ(dialog.currentPage(), c.page);
    EXPECT_EQ(std::string(Stored().ssid), c.stored ? "Away" : "Home");
    if (c.stored) {
      EXPECT_EQ(Stored().channel, 0);
    }
    if (c.cancel) {
      EXPECT_EQ(Text(kPageConfiguration, IDC_CONF_SSID), "Home");
    }
    if (c.busy || c.cancel) {
      EXPECT_EQ(Count(kSetSsid), 0);
    }
    system.busy = false;
    t.link.SetOpenFails(false);
  }
}

LinkStatus Snapshot(int32_t state, uint8_t mode, uint8_t channel, uint8_t rate) {
  LinkStatus s{};
  s.state = state;
  s.networkMode = mode;
  s.channel = channel;
  s.rateIndex = rate;
  std::strcpy(s.ssid, "Lab\xA0");
  const uint8_t bssid[6] = {0x00, 0x0A, 0xF5, 0x10, 0x00, 0x01};
  std::memcpy(s.bssid, bssid, 6);
  return s;
}

// The tray's snapshot in the boxes after the page's timer; the counters' change as Kbps; the
// radio button.
TEST_F(PagesInfoTest, LinkInfoShowsTheSnapshotOnItsTimerAndSwitchesTheRadio) {
  const struct {
    LinkStatus link;
    const char* status;
    const char* ssid;
    const char* quality;
    int qualityBar;
    int signalBar;
    const char* channel;
    const char* rate;
  } cases[] = {
      {Snapshot(kStateAssociated, kNetworkInfrastructure, 6, 7),
       "Associated BSSID=00-0A-F5-10-00-01", "Lab\xA0", "73%", 73, 41, "6", "22 PBCC"},
      {Snapshot(kStateAssociated, kNetworkAdHoc, 11, 5), "Associated IBSSID=00-0A-F5-10-00-01",
       "Lab\xA0", "", 0, 0, "11", "11"},
      {Snapshot(kStateNotConnected, kNetworkUndetermined, 0, 0), "No Connect to Network", "", "", 0,
       0, "11", ""},  // channel 0 keeps the box
  };
  state.linkQualityPercent = 73;
  state.signalStrengthPercent = 41;
  state.radioOn = 1;
  Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    state.currentLinkStatus = c.link;
    Tick(kPageLinkInfo, kDisplayTimer);
    EXPECT_EQ(Text(kPageLinkInfo, IDC_LINK_STATUS), c.status);
    EXPECT_EQ(Text(kPageLinkInfo, IDC_LINK_SSID), c.ssid);
    EXPECT_EQ(Text(kPageLinkInfo, IDC_LINK_QUALITY_TEXT), c.quality);
    EXPECT_EQ(SendMessageA(Control(kPageLinkInfo, IDC_LINK_QUALITY_BAR), PBM_GETPOS, 0, 0),
              c.qualityBar);
    EXPECT_EQ(SendMessageA(Control(kPageLinkInfo, IDC_LINK_SIGNAL_BAR), PBM_GETPOS, 0, 0),
              c.signalBar);
    EXPECT_EQ(Text(kPageLinkInfo, IDC_LINK_CHANNEL), c.channel);
    EXPECT_EQ(Text(kPageLinkInfo, IDC_LINK_TX_RATE), c.rate);
  }
  state.currentLinkStatus = cases[0].link;
  Tick(kPageLinkInfo, kDisplayTimer);
  ReplyCounters(1250000, 128000);
  system.tick += 1000;
  Tick(kPageLinkInfo, kDisplayTimer);
  EXPECT_EQ(Text(kPageLinkInfo, IDC_LINK_RECEIVE), "9765");
  EXPECT_EQ(Text(kPageLinkInfo, IDC_LINK_TRANSMIT), "1000");

  // The radio button switches, waits disabled for the adapter's word, then offers the way back.
  const HWND radio = Control(kPageLinkInfo, IDC_LINK_RADIO);
  EXPECT_EQ(Text(kPageLinkInfo, IDC_LINK_RADIO), "Radio Off");
  Click(kPageLinkInfo, IDC_LINK_RADIO);
  EXPECT_EQ(regs.windowB[kRadioAddress], kRadioOffValue);
  EXPECT_EQ(state.radioOn, 0);
  EXPECT_FALSE(IsWindowEnabled(radio));
  regs.windowB[kRadioAddress] = kRadioOnValue;  // the adapter has not switched yet
  Tick(kPageLinkInfo, kRadioTimer);
  EXPECT_FALSE(IsWindowEnabled(radio));
  regs.windowB[kRadioAddress] = kRadioOffValue;
  Tick(kPageLinkInfo, kRadioTimer);
  EXPECT_TRUE(IsWindowEnabled(radio));
  EXPECT_EQ(Text(kPageLinkInfo, IDC_LINK_RADIO), "Radio On");
}

TEST_F(PagesInfoTest, AboutShowsTheVersionsReadAtOpening) {
  const struct {
    bool versionsFail;
    const char* driver;
    const char* firmware;
    std::string utility;
  } cases[] = {{false, "3.1.0.12", "4.5.6.7", VersionText(kUtilityVersionBytes)},
               {true, "", "", ""}};
  for (const auto& c : cases) {
    if (c.versionsFail) t.link.SetFailure(kQueryVersions, 31);
    Open();
    EXPECT_EQ(Text(kPageAbout, IDC_ABOUT_DRIVER), c.driver);
    EXPECT_EQ(Text(kPageAbout, IDC_ABOUT_FIRMWARE), c.firmware);
    EXPECT_EQ(Text(kPageAbout, IDC_ABOUT_UTILITY), c.utility);
    Close();
  }
}

}  // namespace
}  // namespace nv::win
