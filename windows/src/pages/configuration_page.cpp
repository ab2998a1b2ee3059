#include "configuration_page.h"

#include <string>
#include <string_view>

#include "configuration_ids.h"
#include "logic/change_message.h"
#include "logic/page_io.h"
#include "logic/window_pages.h"

namespace nv::win {

namespace {

constexpr int kSsidLimit = 32;  // bytes

template <typename Texts>
void Fill(HWND list, const Texts& texts) {
  for (std::string_view text : texts) {
    const std::string entry(text);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
}

// Selects `position`; -1 (or a position the list lacks) leaves it without selection.
void Select(HWND list, int position) {
  const int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
  SendMessageA(list, CB_SETCURSEL, position >= 0 && position < count ? position : -1, 0);
}

int Selection(HWND list) { return static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0)); }

// The text of the selected entry, "" when none is selected.
std::string SelectedText(HWND list) {
  const int at = Selection(list);
  if (at < 0) return {};
  const LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(at), 0);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

// The box's bytes as the ANSI calls give them.
std::string BoxBytes(HWND box) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(box)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(box, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

void ConfigurationPage::OnInitDialog() {
  apply_.Attach(hwnd_, IDC_CONF_APPLY);
  cancel_.Attach(hwnd_, IDC_CONF_CANCEL);
  FillLists();
  SendMessageA(Item(IDC_CONF_SSID), EM_LIMITTEXT, kSsidLimit, 0);
  Reload();
}

// In table order (the position is the stored value), unsorted.
void ConfigurationPage::FillLists() {
  Fill(Item(IDC_CONF_BSS_TYPE), kBssTypeTexts);
  Fill(Item(IDC_CONF_POWER_MODE), kPowerModeTexts);
  Fill(Item(IDC_CONF_TX_RATE), kTxRateTexts);
  Fill(Item(IDC_CONF_PREAMBLE), kPreambleTexts);
}

void ConfigurationPage::Reload() {
  if (hwnd_ == nullptr) return;
  const LinkSettingsView view = ReadLinkSettings(context_.io);  // no adapter: zero-filled
  const HWND channels = Item(IDC_CONF_CHANNEL);
  SendMessageA(channels, CB_RESETCONTENT, 0, 0);
  Fill(channels, view.channels);
  Select(channels, view.channel);
  Select(Item(IDC_CONF_BSS_TYPE), view.bssType);
  Select(Item(IDC_CONF_TX_RATE), view.txRate);
  Select(Item(IDC_CONF_PREAMBLE), view.preamble);
  Select(Item(IDC_CONF_POWER_MODE), view.powerMode);
  SetWindowTextA(Item(IDC_CONF_SSID), view.ssid.c_str());  // the stored bytes as they are
  EnableWindow(channels, view.channelEnabled);
}

bool ConfigurationPage::OnCommand(int id, int code) {
  if (id == IDC_CONF_APPLY && code == BN_CLICKED) {
    Apply();
  } else if (id == IDC_CONF_CANCEL && code == BN_CLICKED) {
    Reload();  // nothing is sent or stored
  } else if (id == IDC_CONF_BSS_TYPE && code == CBN_SELCHANGE) {
    FollowBssType();
  } else {
    return false;
  }
  return true;
}

void ConfigurationPage::FollowBssType() {
  EnableWindow(Item(IDC_CONF_CHANNEL), ChannelListEnabled(Selection(Item(IDC_CONF_BSS_TYPE))));
}

void ConfigurationPage::Apply() {
  const LinkSettingsInput input{
      BoxBytes(Item(IDC_CONF_SSID)),      SelectedText(Item(IDC_CONF_CHANNEL)),
      Selection(Item(IDC_CONF_BSS_TYPE)), Selection(Item(IDC_CONF_TX_RATE)),
      Selection(Item(IDC_CONF_PREAMBLE)), Selection(Item(IDC_CONF_POWER_MODE))};
  const PageChange change = ChangeLinkSettings(context_.io, input);
  // Another program's lock: the page keeps what the user entered, to try again.
  if (change.taken) RequestPage(kPageLinkInfo);
  // Last: the window may end while the box is up.
  if (!change.problems.empty()) {
    Say(AsSentences(change.problems), kConfigWindowTitle, MB_OK | MB_ICONINFORMATION);
  }
}

}  // namespace nv::win
