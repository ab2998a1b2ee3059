// GroupFrame: a group box painted as an etched two-colour frame with its caption cut into the
// top line (where the frame caption rule puts it), in its own font and colour. Only the lines
// and the caption are painted: the controls inside the frame are its siblings.
#include <algorithm>

#include "control_hook.h"
#include "controls/frame_caption.h"
#include "win/controls.h"

namespace nv::win {

namespace {

CaptionAlign AlignOfStyle(LONG_PTR style) {
  switch (style & BS_CENTER) {
    case BS_CENTER:
      return CaptionAlign::Centre;
    case BS_RIGHT:
      return CaptionAlign::Right;
    default:
      return CaptionAlign::Left;
  }
}

// One rectangle of the etched frame, `w` pixels thick, open between `gapLeft` and `gapRight` in
// its top line. `r` is the rectangle the line's outer pixels run round (right and bottom inside).
void DrawOpenRect(HDC dc, const RECT& r, int w, int gapLeft, int gapRight, COLORREF colour) {
  if (gapRight > gapLeft) {
    detail::FillSolid(dc, {r.left, r.top, std::max(r.left, static_cast<LONG>(gapLeft)), r.top + w},
                      colour);
    detail::FillSolid(
        dc, {std::min(r.right + w, static_cast<LONG>(gapRight)), r.top, r.right + w, r.top + w},
        colour);
  } else {
    detail::FillSolid(dc, {r.left, r.top, r.right + w, r.top + w}, colour);
  }
  detail::FillSolid(dc, {r.left, r.top, r.left + w, r.bottom + w}, colour);
  detail::FillSolid(dc, {r.left, r.bottom, r.right + w, r.bottom + w}, colour);
  detail::FillSolid(dc, {r.right, r.top, r.right + w, r.bottom + w}, colour);
}

int LineHeight(HDC dc) {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  return metrics.tmHeight;
}

}  // namespace

struct GroupFrame::State : detail::ControlHook {
  COLORREF first = 0;  // 0: the system's colour
  COLORREF second = 0;
  COLORREF captionColour = RGB(0, 0, 0);
  int lineWidth = 1;
  HFONT captionFont = nullptr;  // null: the window's own font
  CaptionAlign align = CaptionAlign::Left;

  ~State() override {
    if (captionFont != nullptr) DeleteObject(captionFont);
  }
  void OnHooked() override { align = AlignOfStyle(GetWindowLongPtrA(window(), GWL_STYLE)); }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void Paint(HDC dc) const;
  COLORREF Line(COLORREF chosen, int fallback) const {
    return chosen != 0 ? chosen : GetSysColor(fallback);
  }
};

bool GroupFrame::State::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window(), &paint);
      if (dc != nullptr) Paint(dc);
      EndPaint(window(), &paint);
      *result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      *result = 0;
      return true;
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
      *result = CallOriginal(message, wParam, lParam);
      InvalidateRect(window(), nullptr, TRUE);
      return true;
    default:
      return false;
  }
}

void GroupFrame::State::Paint(HDC dc) const {
  RECT frame;
  GetClientRect(window(), &frame);
  const std::string title = detail::WindowText(window());
  const std::string caption = " " + title + " ";
  auto windowFont = reinterpret_cast<HFONT>(SendMessageA(window(), WM_GETFONT, 0, 0));
  if (windowFont == nullptr) windowFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const HGDIOBJ oldFont = SelectObject(dc, windowFont);
  const int textHeight = LineHeight(dc);
  SelectObject(dc, captionFont != nullptr ? captionFont : windowFont);
  RECT measured{0, 0, 0, 0};
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
            DT_CALCRECT | DT_SINGLELINE);
  const int captionWidth = title.empty() ? 0 : static_cast<int>(measured.right);
  const int captionHeight = LineHeight(dc);
  const CaptionPlace place =
      PlaceCaption(frame.left, frame.right, frame.top, textHeight, captionWidth, align);

  // The caption's ground is the parent's, as it gives it for a static text.
  const HWND parent = GetParent(window());
  const auto ground = reinterpret_cast<HBRUSH>(SendMessageA(
      parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window())));
  const COLORREF groundColour = detail::BrushColour(ground, GetSysColor(COLOR_BTNFACE));
  RECT text{place.left, place.topLine + lineWidth / 2 - captionHeight / 2, place.right, 0};
  text.bottom = text.top + captionHeight;
  if (!title.empty()) {
    if (ground != nullptr) {
      FillRect(dc, &text, ground);
    } else {
      detail::FillSolid(dc, text, groundColour);
    }
  }

  const bool enabled = IsWindowEnabled(window()) != 0;
  const COLORREF firstColour =
      enabled ? Line(first, COLOR_BTNSHADOW) : GetSysColor(COLOR_BTNSHADOW);
  const COLORREF secondColour =
      enabled ? Line(second, COLOR_BTNHIGHLIGHT) : GetSysColor(COLOR_BTNHIGHLIGHT);
  const int w = lineWidth;
  const RECT outer{0, place.topLine, frame.right - w - 1, frame.bottom - w - 1};
  DrawOpenRect(dc, outer, w, place.left, place.right, firstColour);
  const RECT inner{outer.left + w, outer.top + w, outer.right + w, outer.bottom + w};
  DrawOpenRect(dc, inner, w, place.left, place.right, secondColour);

  if (!title.empty()) {
    SetBkMode(dc, TRANSPARENT);
    const COLORREF shown = enabled ? captionColour : GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, enabled ? detail::Readable(shown, groundColour, COLOR_WINDOWTEXT)
                             : detail::Readable(shown, groundColour));
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(dc, oldFont);
}

GroupFrame::GroupFrame() : state_(new State) {}
GroupFrame::~GroupFrame() { delete state_; }

bool GroupFrame::Attach(HWND dialog, int id) { return state_->Hook(dialog, id, &hwnd_); }

void GroupFrame::SetCaptionFont(const FontSpec& font) {
  const HDC screen = GetDC(hwnd_);
  const int height = -MulDiv(font.pointTenths, GetDeviceCaps(screen, LOGPIXELSY), 720);
  ReleaseDC(hwnd_, screen);
  const HFONT made = CreateFontA(height, 0, 0, 0, font.weight, FALSE, font.underline, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face.c_str());
  if (made == nullptr) return;
  if (state_->captionFont != nullptr) DeleteObject(state_->captionFont);
  state_->captionFont = made;
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
}

void GroupFrame::SetCaptionColour(COLORREF colour) {
  state_->captionColour = colour;
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
}

void GroupFrame::SetLineColours(COLORREF first, COLORREF second) {
  state_->first = first;
  state_->second = second;
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, FALSE);
}

}  // namespace nv::win
