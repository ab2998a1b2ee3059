#include "control_hook.h"

#include "controls/text_contrast.h"
#include "win/controls.h"

namespace nv::win {

namespace detail {

namespace {

constexpr char kProperty[] = "NetvaneControl";

// The control a parent's message is about, or null for any other message.
HWND ReflectedChild(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<HWND>(lParam);
    default:
      return nullptr;
  }
}

}  // namespace

ControlHook::~ControlHook() { Unhook(); }

bool ControlHook::Hook(HWND dialog, int id, HWND* owner) {
  Unhook();
  const HWND hwnd = GetDlgItem(dialog, id);
  if (hwnd == nullptr || From(hwnd) != nullptr) return false;  // one object per control
  if (!SetPropA(hwnd, kProperty, this)) return false;
  hwnd_ = hwnd;
  owner_ = owner;
  if (owner_ != nullptr) *owner_ = hwnd;
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
  OnHooked();
  return true;
}

void ControlHook::Unhook() {
  if (hwnd_ == nullptr) return;
  OnUnhooking();
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd_, GWLP_WNDPROC)) == &Procedure) {
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  }
  RemovePropA(hwnd_, kProperty);
  hwnd_ = nullptr;
  if (owner_ != nullptr) *owner_ = nullptr;
  owner_ = nullptr;
}

ControlHook* ControlHook::From(HWND hwnd) {
  return hwnd != nullptr ? static_cast<ControlHook*>(GetPropA(hwnd, kProperty)) : nullptr;
}

bool ControlHook::OnMessage(UINT, WPARAM, LPARAM, LRESULT*) { return false; }
bool ControlHook::OnReflected(UINT, WPARAM, LPARAM, INT_PTR*) { return false; }

LRESULT ControlHook::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const {
  return CallWindowProcA(original_, hwnd_, message, wParam, lParam);
}

void ControlHook::Redraw(bool erase) const {
  if (hwnd_ == nullptr) return;
  RedrawWindow(hwnd_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | (erase ? RDW_ERASE : RDW_NOERASE));
}

LRESULT CALLBACK ControlHook::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlHook* hook = From(hwnd);
  if (hook == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  if (message == WM_NCDESTROY) {
    const WNDPROC original = hook->original_;
    hook->Unhook();
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
  }
  if (hook->OnMessage(message, wParam, lParam, &result)) return result;
  return hook->CallOriginal(message, wParam, lParam);
}

Canvas::Canvas(HDC screen, int width, int height) {
  if (width <= 0 || height <= 0) return;
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateCompatibleBitmap(screen, width, height);
  if (dc_ == nullptr || bitmap_ == nullptr) {
    if (dc_ != nullptr) DeleteDC(dc_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    return;
  }
  old_ = SelectObject(dc_, bitmap_);
}

Canvas::~Canvas() {
  if (dc_ == nullptr) return;
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

void Canvas::CopyTo(HDC target, int x, int y, int width, int height) const {
  if (dc_ != nullptr) BitBlt(target, x, y, width, height, dc_, x, y, SRCCOPY);
}

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
  const COLORREF old = SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

COLORREF BrushColour(HBRUSH brush, COLORREF fallback) {
  LOGBRUSH described{};
  if (brush == nullptr || GetObjectA(brush, sizeof described, &described) != sizeof described ||
      described.lbStyle != BS_SOLID) {
    return fallback;
  }
  return described.lbColor;
}

COLORREF Readable(COLORREF text, COLORREF background) {
  return ReadableTextColour(text, background);
}

COLORREF Readable(COLORREF text, COLORREF background, int systemText) {
  return ReadableTextColour(text, background, GetSysColor(systemText));
}

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), length + 1)));
  return text;
}

}  // namespace detail

bool ReflectToControl(HWND, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  detail::ControlHook* hook = detail::ControlHook::From(detail::ReflectedChild(message, lParam));
  return hook != nullptr && hook->OnReflected(message, wParam, lParam, result);
}

}  // namespace nv::win
