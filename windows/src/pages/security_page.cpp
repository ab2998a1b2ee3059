#include "security_page.h"

#include "form_items.h"
#include "logic/change_message.h"
#include "logic/page_io.h"
#include "logic/profile_actions.h"
#include "logic/window_pages.h"
#include "resource.h"
#include "security_ids.h"

namespace nv::win {

namespace {

constexpr KeyGroupIds kSecurityKeys = {
    {IDC_SEC_DEFAULT_KEY1, IDC_SEC_DEFAULT_KEY2, IDC_SEC_DEFAULT_KEY3, IDC_SEC_DEFAULT_KEY4},
    {IDC_SEC_KEY1, IDC_SEC_KEY2, IDC_SEC_KEY3, IDC_SEC_KEY4},
    {IDC_SEC_KEY1_SIZE, IDC_SEC_KEY2_SIZE, IDC_SEC_KEY3_SIZE, IDC_SEC_KEY4_SIZE},
    IDC_SEC_KEY_FORMAT,
    IDC_SEC_PASSPHRASE,
    IDC_SEC_DONE};

}  // namespace

SecurityPage::SecurityPage(PageContext& context) : Page(context), keys_(kSecurityKeys) {}

void SecurityPage::OnInitDialog() {
  FillList(Item(IDC_SEC_AUTH_MODE), kAuthModeTexts);
  keys_.Attach(hwnd_);
  applyButton_.Attach(hwnd_, IDC_SEC_APPLY);
  cancelButton_.Attach(hwnd_, IDC_SEC_CANCEL);
  Reload();
}

void SecurityPage::Reload() {
  if (hwnd_ == nullptr) return;
  const SecurityView view = ShowSecurity(StoredAdapterSettings(context_.io));
  SelectEntry(Item(IDC_SEC_AUTH_MODE), view.authMode);
  keys_.Show(view);
  if (view.encryption) SetChecked(Item(IDC_SEC_ENCRYPTION), *view.encryption);
  EnableKeyGroup();
}

void SecurityPage::EnableKeyGroup() { keys_.Enable(IsChecked(Item(IDC_SEC_ENCRYPTION))); }

bool SecurityPage::OnCommand(int id, int code) {
  if (keys_.OnCommand(id, code)) return true;
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_SEC_ENCRYPTION:
      EnableKeyGroup();
      return true;
    case IDC_SEC_APPLY:
      Apply();
      return true;
    case IDC_SEC_CANCEL:
      Reload();
      return true;
    default:
      return false;
  }
}

bool SecurityPage::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
  if (KeepsSystemColours(message, lParam)) {
    *result = FALSE;
    return true;
  }
  if (message != WM_DRAWITEM) return false;
  *result = DrawPlainButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  return true;
}

SecurityInput SecurityPage::Input() const {
  SecurityInput input;
  input.authMode = Selection(Item(IDC_SEC_AUTH_MODE));
  input.encryption = IsChecked(Item(IDC_SEC_ENCRYPTION));
  keys_.Fill(input);
  return input;
}

void SecurityPage::Apply() {
  // The key check and its box come first, before the road: a wrong key stops everything.
  const PageChange change = ChangeSecuritySettings(context_.io, context_.state, Input());
  if (!change.warning.empty()) {
    Say(change.warning, std::string(kKeyWarningCaption), MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (change.taken) {  // else the page keeps what the user entered, to try again
    Reload();          // what was stored: keys in HEX, masked
    RequestPage(kPageLinkInfo);
  }
  const std::string problems = AsSentences(change.problems);
  if (!problems.empty()) Say(problems, kConfigWindowTitle, MB_OK | MB_ICONINFORMATION);
}

}  // namespace nv::win
