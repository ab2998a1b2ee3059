// OwnerDrawButton: a push button, check box or radio button of a layout turned owner-drawn.
// The platform's button keeps the press tracking (pushed while held over it, a click only when
// released over it); this object adds the hover look, its own checked state with the radio
// group rule, and paints every state double-buffered from the button look rules.
#include <windows.h>

#include <commctrl.h>

#include "control_hook.h"
#include "controls/button_look.h"
#include "win/controls.h"

namespace nv::win {

namespace {

constexpr int kMargin = 4;  // the caption keeps margin + 2 pixels from the left and right sides
constexpr int kIndicatorGap = 4;
constexpr UINT kGroupChecked = WM_USER + 0x100;  // another radio button of the group was checked

enum class Kind { Push, Check, Radio };

Kind KindOfStyle(LONG_PTR style) {
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
      return Kind::Check;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return Kind::Radio;
    default:
      return Kind::Push;
  }
}

UINT AlignmentOfStyle(LONG_PTR style) {
  switch (style & BS_CENTER) {
    case BS_LEFT:
      return DT_LEFT;
    case BS_RIGHT:
      return DT_RIGHT;
    default:
      return DT_CENTER;
  }
}

void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  const LONG w = r.right - r.left;
  const LONG h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  detail::FillSolid(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  detail::FillSolid(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  detail::FillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  detail::FillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

void DrawButtonEdge(HDC dc, RECT area, ButtonEdge edge) {
  switch (edge) {
    case ButtonEdge::None:
      break;
    case ButtonEdge::Raised:
      DrawEdge(dc, &area, EDGE_RAISED, BF_RECT);
      break;
    case ButtonEdge::Sunken:
      DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT);
      break;
    case ButtonEdge::DefaultDouble:
      DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT);
      InflateRect(&area, -1, -1);
      DrawEdge(dc, &area, EDGE_RAISED, BF_RECT);
      break;
    case ButtonEdge::ThinRaised:
      Draw3dRect(dc, area, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
      break;
    case ButtonEdge::ThinSunken:
      Draw3dRect(dc, area, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
      break;
  }
}

}  // namespace

struct OwnerDrawButton::State : detail::ControlHook {
  Kind kind = Kind::Push;
  bool pushLike = true;
  bool flat = false;
  bool isDefault = false;
  bool checked = false;
  bool hover = false;
  bool trackingPress = false;
  UINT alignment = DT_CENTER;
  COLORREF textColour = GetSysColor(COLOR_BTNTEXT);

  void OnHooked() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

  void SetChecked(bool on);
  void Toggle() { SetChecked(kind == Kind::Radio || !checked); }
  void UncheckGroup() const;
  void SetHover(bool on);
  bool PointerInside(LPARAM lParam) const;
  void Paint(const DRAWITEMSTRUCT& item) const;
  void DrawCaption(HDC dc, RECT area, const ButtonLook& look) const;
};

void OwnerDrawButton::State::OnHooked() {
  const LONG_PTR style = GetWindowLongPtrA(window(), GWL_STYLE);
  if ((style & BS_TYPEMASK) != BS_OWNERDRAW) {
    kind = KindOfStyle(style);
    isDefault = isDefault || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  }
  pushLike = kind == Kind::Push || (style & BS_PUSHLIKE) != 0;
  flat = (style & BS_FLAT) != 0;
  alignment = AlignmentOfStyle(style);
  CallOriginal(BM_SETSTYLE, static_cast<WPARAM>((style & ~BS_TYPEMASK) | BS_OWNERDRAW), TRUE);
}

bool OwnerDrawButton::State::PointerInside(LPARAM lParam) const {
  RECT client;
  GetClientRect(window(), &client);
  const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  return PtInRect(&client, at) != 0;
}

void OwnerDrawButton::State::SetHover(bool on) {
  if (hover == on) return;
  hover = on;
  InvalidateRect(window(), nullptr, FALSE);
}

void OwnerDrawButton::State::SetChecked(bool on) {
  const bool was = checked;
  checked = on && kind != Kind::Push;  // a push button never stays checked
  if (checked && !was && kind == Kind::Radio) UncheckGroup();
  InvalidateRect(window(), nullptr, TRUE);
}

// Sent, not posted: notices still queued from an earlier check would otherwise arrive after a
// later one and clear the button checked last.
void OwnerDrawButton::State::UncheckGroup() const {
  const HWND parent = GetParent(window());
  for (HWND other = GetNextDlgGroupItem(parent, window(), FALSE);
       other != nullptr && other != window(); other = GetNextDlgGroupItem(parent, other, FALSE)) {
    if (dynamic_cast<const OwnerDrawButton::State*>(From(other)) != nullptr) {
      SendMessageA(other, kGroupChecked, 0, 0);
    }
  }
}

bool OwnerDrawButton::State::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT* result) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!hover && (wParam & MK_LBUTTON) == 0) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window(), 0};
        if (TrackMouseEvent(&track)) SetHover(true);
      }
      return false;
    case WM_MOUSELEAVE:
      SetHover(false);
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a second click is a click, not a double click
      if (hover) {
        TRACKMOUSEEVENT cancel{sizeof cancel, TME_CANCEL | TME_LEAVE, window(), 0};
        TrackMouseEvent(&cancel);
        SetHover(false);
      }
      *result = CallOriginal(WM_LBUTTONDOWN, wParam, lParam);
      trackingPress = true;
      return true;
    case WM_LBUTTONUP:
      // Checked before the platform's button tells the parent of the click.
      if (kind != Kind::Push && trackingPress && PointerInside(lParam)) Toggle();
      trackingPress = false;
      return false;
    case WM_KEYUP:
      if (wParam == VK_SPACE && kind != Kind::Push &&
          (CallOriginal(BM_GETSTATE, 0, 0) & BST_PUSHED) != 0) {
        Toggle();
      }
      return false;
    case WM_KILLFOCUS:
    case WM_CAPTURECHANGED:
      if (message == WM_KILLFOCUS && GetCapture() == window()) ReleaseCapture();
      trackingPress = false;
      return false;
    case BM_SETCHECK:
      SetChecked(wParam != 0);
      *result = 0;
      return true;
    case BM_GETCHECK:
      *result = checked ? BST_CHECKED : BST_UNCHECKED;
      return true;
    case BM_SETSTYLE:  // the dialog's default-button moves keep the owner-drawn type
      isDefault = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      *result = CallOriginal(
          message, (GetWindowLongPtrA(window(), GWL_STYLE) & ~BS_TYPEMASK) | BS_OWNERDRAW, lParam);
      return true;
    case kGroupChecked:
      if (checked) SetChecked(false);
      *result = 0;
      return true;
    case WM_ERASEBKGND:  // the item's paint covers every pixel
      *result = 1;
      return true;
    default:
      return false;
  }
}

bool OwnerDrawButton::State::OnReflected(UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
  if (message != WM_DRAWITEM) return false;
  Paint(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  *result = TRUE;
  return true;
}

void OwnerDrawButton::State::DrawCaption(HDC dc, RECT area, const ButtonLook& look) const {
  const std::string text = detail::WindowText(window());
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const UINT flags = alignment | DT_VCENTER | DT_SINGLELINE;
  if (!pushLike) {  // a check box or radio button shows its mark left of the caption
    const int side = GetSystemMetrics(SM_CXMENUCHECK);
    const int top = area.top + (area.bottom - area.top - side) / 2;
    RECT mark{area.left, top, area.left + side, top + side};
    UINT state = kind == Kind::Radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (checked) state |= DFCS_CHECKED;
    if (look.embossed) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &mark, DFC_BUTTON, state);
    area.left += side + kIndicatorGap;
  }
  OffsetRect(&area, look.captionShift, look.captionShift);
  RECT caption = area;
  if (look.embossed) {
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &caption, flags);
    OffsetRect(&caption, -1, -1);
    SetTextColor(dc, detail::Readable(GetSysColor(COLOR_GRAYTEXT), face));
  } else {
    SetTextColor(dc, detail::Readable(textColour, face, COLOR_BTNTEXT));
  }
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &caption, flags);
}

void OwnerDrawButton::State::Paint(const DRAWITEMSTRUCT& item) const {
  const RECT area{0, 0, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top};
  detail::Canvas canvas(item.hDC, area.right, area.bottom);
  const HDC dc = canvas.ok() ? canvas.dc() : item.hDC;
  ButtonState state;
  state.disabled = (item.itemState & ODS_DISABLED) != 0;
  state.pushed = (item.itemState & ODS_SELECTED) != 0;
  state.checked = checked;
  state.hover = hover;
  state.flat = flat;
  state.isDefault = isDefault || (item.itemState & ODS_DEFAULT) != 0;
  state.border3d = state.pushLike = pushLike;
  const ButtonLook look = ChooseButtonLook(state);
  detail::FillSolid(dc, area, GetSysColor(COLOR_BTNFACE));
  DrawButtonEdge(dc, area, look.edge);
  SetBkMode(dc, TRANSPARENT);
  auto font = reinterpret_cast<HFONT>(SendMessageA(window(), WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const HGDIOBJ oldFont = SelectObject(dc, font);
  DrawCaption(dc, {area.left + kMargin + 2, area.top, area.right - kMargin - 2, area.bottom}, look);
  SelectObject(dc, oldFont);
  if ((item.itemState & ODS_FOCUS) != 0) {  // keyboard users see where the space key goes
    RECT focus = area;
    InflateRect(&focus, -kMargin, -kMargin);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    DrawFocusRect(dc, &focus);
  }
  if (canvas.ok()) {
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, area.right, area.bottom, dc, 0, 0, SRCCOPY);
  }
}

OwnerDrawButton::OwnerDrawButton() : state_(new State) {}
OwnerDrawButton::~OwnerDrawButton() { delete state_; }

bool OwnerDrawButton::Attach(HWND dialog, int id) { return state_->Hook(dialog, id, &hwnd_); }

void OwnerDrawButton::SetText(const std::string& text) {
  if (hwnd_ != nullptr) SetWindowTextA(hwnd_, text.c_str());
}

void OwnerDrawButton::SetTextColour(COLORREF colour) {
  state_->textColour = colour;
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, FALSE);
}

void OwnerDrawButton::SetDefault(bool on) {
  state_->isDefault = on;
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, FALSE);
}

void OwnerDrawButton::Enable(bool on) {
  if (hwnd_ != nullptr) EnableWindow(hwnd_, on);
}

}  // namespace nv::win
