#include "form_items.h"

namespace nv::win {

void SelectEntry(HWND list, int position) {
  const auto count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
  const int shown = position >= 0 && position < count ? position : -1;
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
}

int Selection(HWND list) {
  const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

std::string SelectedText(HWND list) {
  const int selected = Selection(list);
  if (selected < 0) return {};
  const LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
  if (length == CB_ERR) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(selected),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

std::string WindowBytes(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void SetWindowBytes(HWND window, const std::string& bytes) {
  SetWindowTextA(window, bytes.c_str());
}

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND button, bool on) {
  SendMessageA(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool KeepsSystemColours(UINT message, LPARAM control) {
  if (message != WM_CTLCOLORSTATIC) return false;
  char name[16] = {};
  GetClassNameA(reinterpret_cast<HWND>(control), name, sizeof name);
  return lstrcmpiA(name, "Edit") == 0;
}

bool DrawPlainButton(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_BUTTON) return false;
  RECT r = item.rcItem;
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  char caption[64] = {};
  GetWindowTextA(item.hwndItem, caption, sizeof caption);
  SetBkMode(item.hDC, TRANSPARENT);
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  SetTextColor(item.hDC, disabled ? RGB(90, 90, 90) : RGB(0, 0, 0));  // 4.7:1 on the face
  DrawTextA(item.hDC, caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&r, -3, -3);
    DrawFocusRect(item.hDC, &r);
  }
  return true;
}

}  // namespace nv::win
