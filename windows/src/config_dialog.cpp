#include "win/config_dialog.h"

#include <commctrl.h>

#include "../res/resource.h"

namespace nv::win {

namespace {

constexpr COLORREF Colour(uint32_t rgb) {
  return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kFirstLabel = IDC_LABEL_LINK_INFO;

// The one window the key filter serves (a thread shows one configuration window at a time).
ConfigDialog* g_keyed = nullptr;

}  // namespace

ConfigDialog::ConfigDialog(PageContext& context, const PageFactory& factory) : context_(context) {
  for (int i = 0; i < kPageCount; ++i) {
    auto& page = pages_[static_cast<size_t>(i)];
    if (factory) page = factory(i, context_);
    if (!page) page = std::make_unique<BlankPage>(context_);
  }
}

ConfigDialog::~ConfigDialog() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

INT_PTR ConfigDialog::Run() {
  modal_ = true;
  const INT_PTR result =
      DialogBoxParamA(context_.instance, MAKEINTRESOURCEA(IDD_CONFIG), nullptr,
                      DialogBinding<ConfigDialog>::Procedure, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  return result;
}

HWND ConfigDialog::OpenModeless() {
  modal_ = false;
  CreateDialogParamA(context_.instance, MAKEINTRESOURCEA(IDD_CONFIG), nullptr,
                     DialogBinding<ConfigDialog>::Procedure, reinterpret_cast<LPARAM>(this));
  if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_SHOW);
  return hwnd_;
}

void ConfigDialog::End() {
  if (hwnd_ == nullptr) return;
  if (modal_) {
    EndDialog(hwnd_, IDOK);
  } else {
    DestroyWindow(hwnd_);
  }
}

void ConfigDialog::BringToFront() {
  if (hwnd_ == nullptr) return;
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
}

INT_PTR ConfigDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = 0;
  if (ReflectToControl(hwnd_, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return FALSE;  // the focus is set on the first page
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wParam), Colour(kWindowBackgroundRgb));
      SetTextColor(reinterpret_cast<HDC>(wParam), kBlack);
      return reinterpret_cast<INT_PTR>(background_);
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= kFirstLabel && id < kFirstLabel + kPageCount && HIWORD(wParam) == STN_CLICKED) {
        ShowPage(id - kFirstLabel);
        return TRUE;
      }
      // Enter on a page is the page's (it does nothing there); Escape and a plain WM_CLOSE
      // (the dialog's cancel) do nothing.
      return id == IDOK || id == IDCANCEL;
    }
    case WM_SYSCOMMAND:
      return OnSystemCommand(wParam);
    case WM_DESTROY:
      for (auto& page : pages_) page->Destroy();
      if (keyHook_ != nullptr) UnhookWindowsHookEx(keyHook_);
      keyHook_ = nullptr;
      if (g_keyed == this) g_keyed = nullptr;
      DeleteObject(background_);
      background_ = nullptr;
      return TRUE;
    default:
      return FALSE;
  }
}

// Close (the close box, Alt+F4, the menu's Close) and Minimize end the window, but only as
// exactly those commands: with any of the four low bits set they take the default way.
bool ConfigDialog::OnSystemCommand(WPARAM command) {
  if (command == SC_CLOSE || command == SC_MINIMIZE) {
    End();
    return true;
  }
  return false;
}

void ConfigDialog::OnInitDialog() {
  background_ = CreateSolidBrush(Colour(kWindowBackgroundRgb));
  if (IsWindowEnabled(hwnd_)) SetForegroundWindow(hwnd_);
  SendMessageA(
      hwnd_, WM_SETICON, ICON_BIG,
      reinterpret_cast<LPARAM>(LoadIconA(context_.instance, MAKEINTRESOURCEA(IDI_PROGRAM))));
  SendMessageA(hwnd_, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(LoadImageA(context_.instance, MAKEINTRESOURCEA(IDI_PROGRAM),
                                                   IMAGE_ICON, 16, 16, 0)));
  for (auto& page : pages_) page->SetOwner(this);
  const HWND frame = GetDlgItem(hwnd_, IDC_PAGE_FRAME);
  for (int index : kPageCreationOrder) {
    Page& page = *pages_[static_cast<size_t>(index)];
    const HWND window = page.Create(kPageLayouts[static_cast<size_t>(index)], frame);
    if (window == nullptr) continue;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
  }
  SetUpLabels();
  // Ctrl+Tab and Ctrl+Shift+Tab between the pages, whichever control has the focus.
  g_keyed = this;
  keyHook_ = SetWindowsHookExA(WH_MSGFILTER, KeyFilter, nullptr, GetCurrentThreadId());
  currentPage_ = -1;
  ShowPage(kPageLinkInfo);
}

void ConfigDialog::SetUpLabels() {
  const HCURSOR hand = LoadCursorA(context_.instance, MAKEINTRESOURCEA(IDC_HAND_CURSOR));
  for (int i = 0; i < kPageCount; ++i) {
    LabelStatic& label = labels_[static_cast<size_t>(i)];
    label.Attach(hwnd_, kFirstLabel + i);
    label.SetBackgroundColour(Colour(kWindowBackgroundRgb));
    label.SetHoverColour(Colour(kLabelHoverRgb));
    label.SetHoverHighlight(true);
    label.SetMouseInside(false);
    label.SetPointerCursor(hand);
    label.SetTextColour(kBlack);
    label.SetUnderline(true);
  }
}

void ConfigDialog::ShowPage(int index) {
  if (index == currentPage_) return;
  currentPage_ = index;
  for (auto& page : pages_) {
    if (page->hwnd() != nullptr) ShowWindow(page->hwnd(), SW_HIDE);
  }
  for (int i = 0; i < kPageCount; ++i) {
    LabelStatic& label = labels_[static_cast<size_t>(i)];
    label.SetTextColour(Colour(kLabelInactiveRgb));
    label.SetBold(true);
    label.SetText(kPageLabels[static_cast<size_t>(i)]);
  }
  if (index == kPageReload) {
    pages_[kPageSecurity]->Reload();
    pages_[kPageConfiguration]->Reload();
    index = kPageLinkInfo;
  }
  if (index < 0 || index >= kPageCount) return;
  Page& page = *pages_[static_cast<size_t>(index)];
  if (page.hwnd() != nullptr) ShowWindow(page.hwnd(), SW_SHOW);
  LabelStatic& label = labels_[static_cast<size_t>(index)];
  label.SetTextColour(kBlack);
  label.SetBold(true);
  page.Shown();
  FocusPage(index);
}

// The focus goes to the shown page's first control that takes it, and is drawn.
void ConfigDialog::FocusPage(int index) {
  const HWND page = pages_[static_cast<size_t>(index)]->hwnd();
  if (page == nullptr || hwnd_ == nullptr) return;
  const HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
  if (first != nullptr) SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  SendMessageA(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void ConfigDialog::CloseWithPopups() {
  const HWND self = hwnd_;
  End();
  if (self == nullptr) return;
  for (HWND w = FindWindowA("#32770", nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    const HWND parent = GetParent(w);
    if (parent == self) PostMessageA(w, WM_CLOSE, 0, 0);
    if (parent != nullptr && GetParent(parent) == self) PostMessageA(w, WM_CLOSE, 0, 0);
  }
}

LRESULT CALLBACK ConfigDialog::KeyFilter(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code >= 0 && g_keyed != nullptr && g_keyed->hwnd_ != nullptr && msg->message == WM_KEYDOWN &&
      msg->wParam == VK_TAB && (GetKeyState(VK_CONTROL) & 0x8000) &&
      !(GetKeyState(VK_MENU) & 0x8000) &&
      (msg->hwnd == g_keyed->hwnd_ || IsChild(g_keyed->hwnd_, msg->hwnd))) {
    g_keyed->ShowPage(NextPage(g_keyed->currentPage_, (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1));
    return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace nv::win
