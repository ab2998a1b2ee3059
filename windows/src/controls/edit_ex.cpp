// CEditEx: an edit box in its own text and background colours, read-only ones included (those
// ask their parent for colours as a static text does).
#include "control_hook.h"
#include "win/controls.h"

namespace nv::win {

struct CEditEx::State : detail::ControlHook {
  COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  COLORREF background = GetSysColor(COLOR_WINDOW);
  HBRUSH brush = CreateSolidBrush(background);

  ~State() override { DeleteObject(brush); }
  bool OnReflected(UINT message, WPARAM wParam, LPARAM, INT_PTR* result) override {
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) return false;
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, detail::Readable(text, background, COLOR_WINDOWTEXT));
    SetBkColor(dc, background);
    *result = reinterpret_cast<INT_PTR>(brush);
    return true;
  }
};

CEditEx::CEditEx() : state_(new State) {}
CEditEx::~CEditEx() { delete state_; }

bool CEditEx::Attach(HWND dialog, int id) { return state_->Hook(dialog, id, &hwnd_); }

void CEditEx::SetTextColour(COLORREF colour) {
  state_->text = colour;
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
}

void CEditEx::SetBackgroundColour(COLORREF colour) {
  const HBRUSH made = CreateSolidBrush(colour);
  if (made == nullptr) return;
  DeleteObject(state_->brush);
  state_->brush = made;
  state_->background = colour;
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
}

void CEditEx::SetText(const std::string& bytes) {
  if (hwnd_ != nullptr) SetWindowTextA(hwnd_, bytes.c_str());
}

}  // namespace nv::win
