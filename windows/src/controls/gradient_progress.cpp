// GradientProgress: a progress bar whose filled part is painted in colour bands between colour
// stops (the gradient band rule), double-buffered. Range and position stay the platform
// control's: PBM_SETRANGE, PBM_SETPOS, PBM_STEPIT and the rest reach it unchanged.
#include <windows.h>

#include <commctrl.h>

#include "control_hook.h"
#include "controls/gradient_bands.h"
#include "win/controls.h"

namespace nv::win {

namespace {

constexpr LRESULT kDefaultColourAnswer = static_cast<LRESULT>(CLR_DEFAULT);

std::vector<uint32_t> DefaultStops() {
  const COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
  BOOL gradient = FALSE;
  SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
  return {caption, gradient ? GetSysColor(COLOR_GRADIENTACTIVECAPTION) : caption};
}

// Fewer than 8 bits per pixel without a palette: one band per segment.
bool LowColourDevice(HDC dc) {
  const int depth = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  return depth < 8 && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) == 0;
}

}  // namespace

struct GradientProgress::State : detail::ControlHook {
  std::vector<uint32_t> stops = DefaultStops();
  COLORREF background = GetSysColor(COLOR_BTNFACE);
  bool ownBackground = false;

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void Paint(HDC target, const RECT& clip) const;
  void DrawBar(HDC dc, const RECT& area) const;
};

bool GradientProgress::State::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT* result) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window(), &paint);
      if (dc != nullptr) Paint(dc, paint.rcPaint);
      EndPaint(window(), &paint);
      *result = 0;
      return true;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(window(), &client);
      Paint(reinterpret_cast<HDC>(wParam), client);
      *result = 0;
      return true;
    }
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    case PBM_SETBARCOLOR:
      stops = {static_cast<uint32_t>(lParam),
               static_cast<uint32_t>(wParam != 0 ? wParam : static_cast<WPARAM>(lParam))};
      InvalidateRect(window(), nullptr, FALSE);
      *result = kDefaultColourAnswer;
      return true;
    case PBM_SETBKCOLOR:
      ownBackground = static_cast<COLORREF>(lParam) != CLR_DEFAULT;
      background = ownBackground ? static_cast<COLORREF>(lParam) : GetSysColor(COLOR_BTNFACE);
      InvalidateRect(window(), nullptr, FALSE);
      *result = kDefaultColourAnswer;
      return true;
    case WM_SYSCOLORCHANGE:
      if (!ownBackground) background = GetSysColor(COLOR_BTNFACE);
      return false;
    default:
      return false;
  }
}

void GradientProgress::State::DrawBar(HDC dc, const RECT& area) const {
  const bool vertical = (GetWindowLongPtrA(window(), GWL_STYLE) & PBS_VERTICAL) != 0;
  const int extent = vertical ? area.bottom : area.right;
  PBRANGE range{};
  CallOriginal(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  const auto position = static_cast<int>(CallOriginal(PBM_GETPOS, 0, 0));
  const int filled = FilledLength(range.iLow, range.iHigh, position, extent);
  if (filled <= 0) return;
  for (const Band& band : ComputeBands(stops, extent, filled, LowColourDevice(dc))) {
    const RECT r = vertical ? RECT{0, area.bottom - band.end, area.right, area.bottom - band.start}
                            : RECT{band.start, 0, band.end, area.bottom};
    detail::FillSolid(dc, r, band.colour);
  }
}

void GradientProgress::State::Paint(HDC target, const RECT& clip) const {
  RECT area;
  GetClientRect(window(), &area);
  detail::Canvas canvas(target, area.right, area.bottom);
  const HDC dc = canvas.ok() ? canvas.dc() : target;
  detail::FillSolid(dc, area, background);
  DrawBar(dc, area);
  canvas.CopyTo(target, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
}

GradientProgress::GradientProgress() : state_(new State) {}
GradientProgress::~GradientProgress() { delete state_; }

bool GradientProgress::Attach(HWND dialog, int id) {
  if (!state_->Hook(dialog, id, &hwnd_)) return false;
  InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

void GradientProgress::SetColourStops(const std::vector<uint32_t>& stops) {
  if (stops.empty()) return;
  state_->stops = stops.size() == 1 ? std::vector<uint32_t>{stops[0], stops[0]} : stops;
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, FALSE);
}

void GradientProgress::SetPos(int position) {
  if (hwnd_ != nullptr) SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

}  // namespace nv::win
