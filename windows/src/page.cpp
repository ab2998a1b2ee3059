#include "win/page.h"

#include "win/config_dialog.h"
#include "win/controls.h"

namespace nv::win {

int SystemMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

Page::~Page() { Destroy(); }

HWND Page::Create(int layout, HWND parent) {
  Destroy();
  CreateDialogParamA(context_.instance, MAKEINTRESOURCEA(layout), parent,
                     DialogBinding<Page>::Procedure, reinterpret_cast<LPARAM>(this));
  return hwnd_;
}

void Page::Destroy() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);  // WM_DESTROY clears hwnd_
}

void Page::RequestPage(int index) {
  if (owner_ != nullptr) owner_->ShowPage(index);
}

HWND Page::Window() const {
  HWND root = GetAncestor(hwnd_, GA_ROOT);
  return root != nullptr ? root : hwnd_;
}

int Page::Say(const std::string& text, const std::string& caption, UINT type) {
  return context_.messageBox(Window(), text, caption, type);
}

INT_PTR Page::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = 0;
  if (ReflectToControl(hwnd_, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      background_ = CreateSolidBrush(RGB(255, 255, 255));
      OnInitDialog();
      return FALSE;  // the window decides where the focus goes
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (OnMessage(message, wParam, lParam, &result)) return result;
      // Texts on the white page keep the system's text colour only where it reads on white.
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<INT_PTR>(background_);
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return TRUE;
      // OK and cancel are nothing on a page: Enter and Escape do nothing.
      return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;
    case WM_TIMER:
      OnTimer(wParam);
      return TRUE;
    case WM_NOTIFY:
      if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), &result)) {
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      OnDestroy();
      if (background_ != nullptr) DeleteObject(background_);
      background_ = nullptr;
      return TRUE;
    default:
      return OnMessage(message, wParam, lParam, &result) ? result : FALSE;
  }
}

}  // namespace nv::win
