// The dialog procedure of an object behind a dialog: the object comes with WM_INITDIALOG's
// parameter and is kept in DWLP_USER; its `hwnd_` is set then and cleared when the window
// goes. T has `HWND hwnd_` and `INT_PTR Handle(UINT, WPARAM, LPARAM)` and befriends
// DialogBinding<T>.
#pragma once

#include <windows.h>

namespace nv::win {

template <class T>
struct DialogBinding {
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
      reinterpret_cast<T*>(lParam)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr) return FALSE;
    const INT_PTR result = self->Handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, DWLP_USER, 0);
      self->hwnd_ = nullptr;
    }
    return result;
  }
};

}  // namespace nv::win
