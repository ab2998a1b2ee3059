#include "profile_dialog.h"

#include "form_items.h"
#include "logic/options.h"
#include "logic/profile_actions.h"
#include "profile_ids.h"
#include "resource.h"

namespace nv::win {

namespace {

constexpr int kTextChars = 32;  // bytes in the SSID and profile name boxes
constexpr std::array<std::string_view, 4> kDefaultKeyTexts = {"1", "2", "3", "4"};

constexpr KeyGroupIds kProfileKeys = {
    {IDC_PROF_DEFAULT_KEY1, IDC_PROF_DEFAULT_KEY2, IDC_PROF_DEFAULT_KEY3, IDC_PROF_DEFAULT_KEY4},
    {IDC_PROF_KEY1, IDC_PROF_KEY2, IDC_PROF_KEY3, IDC_PROF_KEY4},
    {IDC_PROF_KEY1_SIZE, IDC_PROF_KEY2_SIZE, IDC_PROF_KEY3_SIZE, IDC_PROF_KEY4_SIZE},
    IDC_PROF_KEY_FORMAT,
    IDC_PROF_PASSPHRASE,
    IDC_PROF_DONE};

}  // namespace

ProfileDialog::ProfileDialog(HINSTANCE instance, MessageBoxFn messageBox, ProfileMode mode,
                             const AdapterConfig& config, const std::string& profileName,
                             uint32_t domainCode)
    : instance_(instance),
      messageBox_(std::move(messageBox)),
      mode_(mode),
      config_(config),
      profileName_(profileName),
      domainCode_(domainCode),
      keys_(kProfileKeys) {}

ProfileDialog::~ProfileDialog() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

INT_PTR ProfileDialog::Run(HWND owner) {
  modal_ = true;
  result_ =
      DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_PROFILE), owner,
                      DialogBinding<ProfileDialog>::Procedure, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  return result_;
}

HWND ProfileDialog::OpenModeless(HWND owner) {
  modal_ = false;
  result_ = IDCANCEL;
  CreateDialogParamA(instance_, MAKEINTRESOURCEA(IDD_PROFILE), owner,
                     DialogBinding<ProfileDialog>::Procedure, reinterpret_cast<LPARAM>(this));
  if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_SHOW);
  return hwnd_;
}

void ProfileDialog::End(INT_PTR result) {
  result_ = result;
  if (modal_) {
    EndDialog(hwnd_, result);
  } else {
    DestroyWindow(hwnd_);
  }
}

INT_PTR ProfileDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = 0;
  if (ReflectToControl(hwnd_, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;  // the focus goes to the first control
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (KeepsSystemColours(message, lParam)) return FALSE;
      // The whole dialog is white, its texts black on it.
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<INT_PTR>(background_);
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM:
      return DrawPlainButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_DESTROY:
      if (background_ != nullptr) DeleteObject(background_);
      background_ = nullptr;
      return TRUE;
    default:
      return FALSE;
  }
}

bool ProfileDialog::OnCommand(int id, int code) {
  if (keys_.OnCommand(id, code)) return true;
  if (id == IDOK) {
    Ok();
  } else if (id == IDCANCEL) {
    End(IDCANCEL);  // also the close box and WM_CLOSE: nothing is taken back
  } else if (id == IDC_PROF_ENCRYPTION && code == BN_CLICKED) {
    EnableKeyGroup();
  } else {
    return false;
  }
  return true;
}

void ProfileDialog::OnInitDialog() {
  background_ = CreateSolidBrush(RGB(255, 255, 255));
  okButton_.Attach(hwnd_, IDOK);
  cancelButton_.Attach(hwnd_, IDCANCEL);
  okButton_.SetDefault(true);
  SendMessageA(Item(IDC_PROF_NAME), EM_LIMITTEXT, kTextChars, 0);
  SendMessageA(Item(IDC_PROF_SSID), EM_LIMITTEXT, kTextChars, 0);
  FillLists();
  Show(ShowProfileForm(config_, mode_, profileName_, domainCode_));
}

void ProfileDialog::FillLists() {
  FillList(Item(IDC_PROF_BSS_TYPE), kBssTypeTexts);
  FillList(Item(IDC_PROF_POWER_MODE), kPowerModeTexts);
  FillList(Item(IDC_PROF_TX_RATE), kTxRateTexts);
  FillList(Item(IDC_PROF_PREAMBLE), kPreambleTexts);
  FillList(Item(IDC_PROF_AUTH_MODE), kAuthModeTexts);
  keys_.Attach(hwnd_);  // Key Format, the four Key Length lists, the passphrase's limit
  FillList(Item(IDC_PROF_OPENED_DEFAULT_KEY), kDefaultKeyTexts);
}

void ProfileDialog::Show(const ProfileFormView& v) {
  FillList(Item(IDC_PROF_CHANNEL), v.link.channels);
  SelectEntry(Item(IDC_PROF_CHANNEL), v.link.channel);
  SelectEntry(Item(IDC_PROF_BSS_TYPE), v.link.bssType);
  EnableWindow(Item(IDC_PROF_CHANNEL), v.link.channelEnabled);  // for the whole run
  SelectEntry(Item(IDC_PROF_TX_RATE), v.link.txRate);
  SelectEntry(Item(IDC_PROF_PREAMBLE), v.link.preamble);
  SelectEntry(Item(IDC_PROF_POWER_MODE), v.link.powerMode);
  SetWindowBytes(Item(IDC_PROF_SSID), v.link.ssid);
  SelectEntry(Item(IDC_PROF_AUTH_MODE), v.security.authMode);
  SelectEntry(Item(IDC_PROF_OPENED_DEFAULT_KEY), v.security.defaultKey);
  keys_.Show(v.security);
  SetChecked(Item(IDC_PROF_ENCRYPTION), v.security.encryption.value_or(false));
  EnableKeyGroup();
  profileName_ = v.profileName;
  SetWindowBytes(Item(IDC_PROF_NAME), profileName_);
  EnableWindow(Item(IDC_PROF_NAME), v.nameEnabled);
  EnableWindow(Item(IDC_PROF_SSID), v.ssidEnabled);
  EnableWindow(Item(IDC_PROF_BSS_TYPE), v.bssTypeEnabled);
  EnableWindow(Item(IDC_PROF_ENCRYPTION), v.encryptionEnabled);
  SetWindowBytes(hwnd_, v.title);
  okButton_.SetText("OK");  // the layout's "Select" is never shown
}

void ProfileDialog::EnableKeyGroup() { keys_.Enable(IsChecked(Item(IDC_PROF_ENCRYPTION))); }

ProfileFormInput ProfileDialog::Input() const {
  ProfileFormInput in;
  in.profileName = WindowBytes(Item(IDC_PROF_NAME));
  in.link.ssid = WindowBytes(Item(IDC_PROF_SSID));
  in.link.channelText = SelectedText(Item(IDC_PROF_CHANNEL));
  in.link.bssType = Selection(Item(IDC_PROF_BSS_TYPE));
  in.link.txRate = Selection(Item(IDC_PROF_TX_RATE));
  in.link.preamble = Selection(Item(IDC_PROF_PREAMBLE));
  in.link.powerMode = Selection(Item(IDC_PROF_POWER_MODE));
  in.security.authMode = Selection(Item(IDC_PROF_AUTH_MODE));
  in.security.encryption = IsChecked(Item(IDC_PROF_ENCRYPTION));
  keys_.Fill(in.security);
  const int opened = Selection(Item(IDC_PROF_OPENED_DEFAULT_KEY));
  in.openedDefaultKey = opened < 0 ? 0 : opened;
  return in;
}

void ProfileDialog::Ok() {
  const ProfileFormInput in = Input();
  const ProfileOk ok = DecideProfileOk(in, mode_, lookup_);
  if (!ok.warning.empty()) {
    messageBox_(hwnd_, ok.warning, std::string(kKeyWarningCaption), MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (!ok.askReplace) return Finish(in, ok.name);
  // A copy: the window (and this dialog) may be closed while the box is up.
  const MessageBoxFn ask = messageBox_;
  const HWND self = hwnd_;
  const int answer = ask(self, ReplaceProfileQuestion(ok.name), WindowBytes(self),
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
  if (answer == IDYES && hwnd_ == self) Finish(in, ok.name);  // the stored spelling is kept
}

void ProfileDialog::Finish(const ProfileFormInput& in, const std::string& name) {
  OverwriteFromProfileForm(in, config_);
  profileName_ = name;
  End(IDOK);
}

}  // namespace nv::win
