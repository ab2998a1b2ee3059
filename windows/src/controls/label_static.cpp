// LabelStatic: a static text in its own colours and font; as a hover label (SS_NOTIFY) it takes
// the hover colour while the pointer is over it and shows its own cursor there.
#include <optional>

#include "control_hook.h"
#include "win/controls.h"

namespace nv::win {

struct LabelStatic::State : detail::ControlHook {
  COLORREF textColour = GetSysColor(COLOR_WINDOWTEXT);
  COLORREF hoverColour = textColour;
  COLORREF background = GetSysColor(COLOR_BTNFACE);
  HBRUSH brush = CreateSolidBrush(background);
  bool hoverHighlight = false;
  bool mouseInside = false;
  HCURSOR cursor = nullptr;
  // What the owner changed of the window's own font.
  std::optional<int> weight;
  std::optional<bool> underline;
  std::optional<int> points;
  std::optional<std::string> face;
  HFONT layoutFont = nullptr;
  HFONT font = nullptr;  // made from the layout's font, while the window is held

  ~State() override;
  void OnHooked() override;
  void OnUnhooking() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;
  void MakeFont();
  void SetInside(bool inside);
  void Repaint() const { Redraw(true); }
};

LabelStatic::State::~State() {
  Unhook();
  DeleteObject(brush);
}

void LabelStatic::State::OnHooked() {
  layoutFont = reinterpret_cast<HFONT>(SendMessageA(window(), WM_GETFONT, 0, 0));
  MakeFont();
}

// The window gets its layout's font back before ours goes.
void LabelStatic::State::OnUnhooking() {
  if (font == nullptr) return;
  SendMessageA(window(), WM_SETFONT, reinterpret_cast<WPARAM>(layoutFont), FALSE);
  DeleteObject(font);
  font = nullptr;
}

// The label's font: the layout's, with what the owner changed of it.
void LabelStatic::State::MakeFont() {
  if (window() == nullptr) return;
  HFONT base = font != nullptr ? font : layoutFont;
  if (base == nullptr) base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTA described{};
  GetObjectA(base, sizeof described, &described);
  if (weight) described.lfWeight = *weight;
  if (underline) described.lfUnderline = *underline ? TRUE : FALSE;
  if (points) {
    const HDC screen = GetDC(window());
    described.lfHeight = -MulDiv(*points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    described.lfWidth = 0;
    ReleaseDC(window(), screen);
  }
  if (face) lstrcpynA(described.lfFaceName, face->c_str(), LF_FACESIZE);
  const HFONT made = CreateFontIndirectA(&described);
  if (made == nullptr) return;
  SendMessageA(window(), WM_SETFONT, reinterpret_cast<WPARAM>(made), FALSE);
  if (font != nullptr) DeleteObject(font);
  font = made;
  Repaint();
}

void LabelStatic::State::SetInside(bool inside) {
  if (inside == mouseInside) return;
  mouseInside = inside;
  Redraw(!inside);
}

bool LabelStatic::State::OnMessage(UINT message, WPARAM, LPARAM, LRESULT* result) {
  switch (message) {
    case WM_SETCURSOR:
      if (cursor == nullptr) return false;
      SetCursor(cursor);
      *result = TRUE;
      return true;
    case WM_MOUSEMOVE:
      if (!mouseInside) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window(), 0};
        TrackMouseEvent(&track);
        SetInside(true);
      }
      return false;
    case WM_MOUSELEAVE:
      SetInside(false);
      return false;
    default:
      return false;
  }
}

bool LabelStatic::State::OnReflected(UINT message, WPARAM wParam, LPARAM, INT_PTR* result) {
  if (message != WM_CTLCOLORSTATIC) {
    *result = reinterpret_cast<INT_PTR>(brush);
    return message == WM_CTLCOLORBTN || message == WM_CTLCOLOREDIT;
  }
  const auto dc = reinterpret_cast<HDC>(wParam);
  if (font != nullptr) SelectObject(dc, font);
  const COLORREF shown = hoverHighlight && mouseInside ? hoverColour : textColour;
  SetTextColor(dc, detail::Readable(shown, background, COLOR_WINDOWTEXT));
  SetBkColor(dc, background);
  SetBkMode(dc, TRANSPARENT);
  *result = reinterpret_cast<INT_PTR>(brush);
  return true;
}

LabelStatic::LabelStatic() : state_(new State) {}
LabelStatic::~LabelStatic() { delete state_; }

bool LabelStatic::Attach(HWND dialog, int id) {
  state_->mouseInside = false;
  return state_->Hook(dialog, id, &hwnd_);
}

void LabelStatic::SetText(const std::string& text) {
  if (hwnd_ != nullptr) SetWindowTextA(hwnd_, text.c_str());
}

void LabelStatic::SetTextColour(COLORREF colour) {
  state_->textColour = colour;
  state_->Repaint();
}

void LabelStatic::SetBackgroundColour(COLORREF colour) {
  const HBRUSH made = CreateSolidBrush(colour);
  if (made == nullptr) return;
  DeleteObject(state_->brush);
  state_->brush = made;
  state_->background = colour;
}

void LabelStatic::SetBold(bool on) {
  state_->weight = on ? FW_BOLD : FW_NORMAL;
  state_->MakeFont();
}

void LabelStatic::SetUnderline(bool on) {
  state_->underline = on;
  state_->MakeFont();
}

void LabelStatic::SetFontHeight(int points) {
  state_->points = points;
  state_->MakeFont();
}

void LabelStatic::SetFaceName(const std::string& face) {
  state_->face = face;
  state_->MakeFont();
}

void LabelStatic::SetHoverColour(COLORREF colour) {
  state_->hoverColour = colour;
  state_->Repaint();
}

void LabelStatic::SetHoverHighlight(bool on) {
  state_->hoverHighlight = on;
  state_->Repaint();
}

void LabelStatic::SetMouseInside(bool inside) { state_->SetInside(inside); }

void LabelStatic::SetPointerCursor(HCURSOR cursor) { state_->cursor = cursor; }

}  // namespace nv::win
