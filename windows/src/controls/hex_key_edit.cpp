// HexKeyEdit: the box for one WEP key. It takes only what the key filter accepts (typed or
// pasted, from the keyboard or the context menu), drops everything else without a sound, and
// shows a stored key as '*' until the first accepted input empties it and shows the typing in
// clear. No undo brings a stored key back.
#include <cstring>

#include "control_hook.h"
#include "controls/key_filter.h"
#include "win/controls.h"

namespace nv::win {

namespace {

constexpr char kMaskCharacter = '*';
constexpr WPARAM kBackspace = 0x08;
constexpr WPARAM kCopyCharacter = 0x03;   // Ctrl+C
constexpr WPARAM kPasteCharacter = 0x16;  // Ctrl+V
constexpr WPARAM kCutCharacter = 0x18;    // Ctrl+X
constexpr WPARAM kUndoCharacter = 0x1A;   // Ctrl+Z

enum MenuCommand : UINT { kMenuUndo = 1, kMenuCut, kMenuCopy, kMenuPaste, kMenuDelete, kMenuAll };

bool Pressed(int key) { return (GetKeyState(key) & 0x8000) != 0; }

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner)) return text;
  const HANDLE data = GetClipboardData(CF_TEXT);
  const auto* bytes = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (bytes != nullptr) {
    text.assign(bytes, strnlen(bytes, GlobalSize(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace

struct HexKeyEdit::State : detail::ControlHook {
  bool hexOnly = false;

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool Masked() const { return CallOriginal(EM_GETPASSWORDCHAR, 0, 0) != 0; }
  bool ReadOnly() const { return (GetWindowLongPtrA(window(), GWL_STYLE) & ES_READONLY) != 0; }
  bool Accepts(WPARAM c) const { return AcceptsKeyChar(static_cast<unsigned char>(c), hexOnly); }
  void ClearMask() const;
  bool OnChar(WPARAM c, LPARAM lParam, LRESULT* result) const;
  bool OnKeyDown(WPARAM key, LRESULT* result) const;
  void Paste() const;
  void ShowMenu(LPARAM at) const;
};

void HexKeyEdit::State::ClearMask() const {
  CallOriginal(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  CallOriginal(EM_SETPASSWORDCHAR, 0, 0);
  CallOriginal(EM_EMPTYUNDOBUFFER, 0, 0);
  InvalidateRect(window(), nullptr, TRUE);
}

void HexKeyEdit::State::Paste() const {
  if (ReadOnly()) return;
  std::string accepted;
  for (const char c : ClipboardText(window())) {
    if (Accepts(static_cast<unsigned char>(c))) accepted.push_back(c);
  }
  if (accepted.empty()) return;  // nothing taken: a masked key stays as it was
  if (Masked()) ClearMask();
  CallOriginal(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(accepted.c_str()));
}

bool HexKeyEdit::State::OnChar(WPARAM c, LPARAM lParam, LRESULT* result) const {
  *result = 0;
  if (ReadOnly()) return false;
  switch (c) {
    case kPasteCharacter:
      Paste();
      return true;
    case kCopyCharacter:
      return false;  // the box itself refuses to copy a masked key
    case kCutCharacter:
    case kUndoCharacter:
      if (!Masked()) return false;
      ClearMask();  // any edit of a masked key wipes it
      return true;
    case kBackspace:
      if (!Masked()) return false;
      ClearMask();
      return true;
    default:
      break;
  }
  if (!Accepts(c)) return true;  // dropped without a sound
  if (Masked()) ClearMask();
  *result = CallOriginal(WM_CHAR, c, lParam);
  return true;
}

// Delete, Shift+Delete (cut) and Shift+Insert (paste) edit without a character message.
bool HexKeyEdit::State::OnKeyDown(WPARAM key, LRESULT* result) const {
  *result = 0;
  if (ReadOnly()) return false;
  if (key == VK_INSERT && Pressed(VK_SHIFT) && !Pressed(VK_CONTROL)) {
    Paste();
    return true;
  }
  if (key == VK_DELETE && Masked()) {
    ClearMask();
    return true;
  }
  return false;
}

void HexKeyEdit::State::ShowMenu(LPARAM at) const {
  const HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  const bool masked = Masked();
  const bool writable = !ReadOnly();
  const DWORD selection = static_cast<DWORD>(CallOriginal(EM_GETSEL, 0, 0));
  const bool selected = LOWORD(selection) != HIWORD(selection);
  const auto item = [menu](UINT id, const char* text, bool on) {
    AppendMenuA(menu, MF_STRING | (on ? MF_ENABLED : MF_GRAYED), id, text);
  };
  item(kMenuUndo, "&Undo", writable && !masked && CallOriginal(EM_CANUNDO, 0, 0) != 0);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  item(kMenuCut, "Cu&t", writable && !masked && selected);
  item(kMenuCopy, "&Copy", !masked && selected);
  item(kMenuPaste, "&Paste", writable && IsClipboardFormatAvailable(CF_TEXT));
  item(kMenuDelete, "&Delete", writable && selected);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  item(kMenuAll, "Select &All", GetWindowTextLengthA(window()) > 0);
  POINT where{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {  // from the keyboard: under the box's corner
    where = {2, 2};
    ClientToScreen(window(), &where);
  }
  SetFocus(window());
  const auto chosen =
      static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                       where.x, where.y, 0, window(), nullptr));
  DestroyMenu(menu);
  switch (chosen) {
    case kMenuUndo:
      CallOriginal(EM_UNDO, 0, 0);
      break;
    case kMenuCut:
      CallOriginal(WM_CUT, 0, 0);
      break;
    case kMenuCopy:
      CallOriginal(WM_COPY, 0, 0);
      break;
    case kMenuPaste:
      Paste();
      break;
    case kMenuDelete:
      if (masked) {
        ClearMask();
      } else {
        CallOriginal(WM_CLEAR, 0, 0);
      }
      break;
    case kMenuAll:
      CallOriginal(EM_SETSEL, 0, -1);
      break;
    default:
      break;
  }
}

bool HexKeyEdit::State::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_CHAR:
      return OnChar(wParam, lParam, result);
    case WM_KEYDOWN:
      return OnKeyDown(wParam, result);
    case WM_PASTE:
      Paste();
      *result = 0;
      return true;
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
      if (!Masked() || ReadOnly()) return false;
      ClearMask();
      *result = 0;
      return true;
    case WM_CONTEXTMENU:
      ShowMenu(lParam);
      *result = 0;
      return true;
    default:
      return false;
  }
}

HexKeyEdit::HexKeyEdit() : state_(new State) {}
HexKeyEdit::~HexKeyEdit() { delete state_; }

bool HexKeyEdit::Attach(HWND dialog, int id) { return state_->Hook(dialog, id, &hwnd_); }

void HexKeyEdit::SetHexOnly(bool on) { state_->hexOnly = on; }

// Also cuts a longer text to the new limit.
void HexKeyEdit::SetLimit(int characters) {
  if (hwnd_ == nullptr || characters <= 0) return;
  SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
  const std::string text = Text();
  if (text.size() > static_cast<size_t>(characters)) {
    SetWindowTextA(hwnd_, text.substr(0, static_cast<size_t>(characters)).c_str());
  }
}

void HexKeyEdit::SetMasked(bool on) {
  if (hwnd_ == nullptr) return;
  SendMessageA(hwnd_, EM_SETPASSWORDCHAR, on ? kMaskCharacter : 0, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

bool HexKeyEdit::masked() const { return hwnd_ != nullptr && state_->Masked(); }

std::string HexKeyEdit::Text() const { return detail::WindowText(hwnd_); }

}  // namespace nv::win
