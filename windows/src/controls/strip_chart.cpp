// StripChart: a scrolling bar chart over a static control. Its picture lives in an off-screen
// image of the client size made on the first SetRange; each sample scrolls it four pixels to
// the left with one block copy and draws one new column at the right edge.
#include <memory>

#include "control_hook.h"
#include "win/controls.h"

namespace nv::win {

namespace {

constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kGrid = RGB(0, 128, 0);
constexpr COLORREF kBar = RGB(0, 255, 0);
constexpr int kColumn = 4;
constexpr int kBarWidth = 2;

}  // namespace

struct StripChart::State : detail::ControlHook {
  uint32_t minimum = 0;
  uint32_t maximum = 100;
  uint32_t value = 0;
  int width = 0;
  int height = 0;
  std::unique_ptr<detail::Canvas> picture;

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void Paint(HDC dc) const;
  void CreatePicture();
  void DrawGrid(int fromX) const;
  void Add(uint32_t sample);
};

bool StripChart::State::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
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
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    default:
      return false;
  }
}

void StripChart::State::Paint(HDC dc) const {
  if (picture) {
    picture->CopyTo(dc, 0, 0, width, height);
    return;
  }
  RECT client;
  GetClientRect(window(), &client);
  detail::FillSolid(dc, client, kBackground);
}

void StripChart::State::CreatePicture() {
  RECT client;
  GetClientRect(window(), &client);
  const HDC screen = GetDC(window());
  auto made = std::make_unique<detail::Canvas>(screen, client.right, client.bottom);
  ReleaseDC(window(), screen);
  if (!made->ok()) return;
  picture = std::move(made);
  width = client.right;
  height = client.bottom;
  detail::FillSolid(picture->dc(), client, kBackground);
  DrawGrid(0);
  InvalidateRect(window(), nullptr, FALSE);
}

void StripChart::State::DrawGrid(int fromX) const {
  for (const int y : {height / 2, height / 4, 3 * height / 4}) {
    detail::FillSolid(picture->dc(), {fromX, y, width, y + 1}, kGrid);
  }
}

void StripChart::State::Add(uint32_t sample) {
  value = sample > maximum ? maximum : sample < minimum ? minimum : sample;
  if (!picture) return;
  const HDC dc = picture->dc();
  BitBlt(dc, 0, 0, width - kColumn, height, dc, kColumn, 0, SRCCOPY);
  detail::FillSolid(dc, {width - kColumn, 0, width, height}, kBackground);
  DrawGrid(width - kColumn);
  const uint32_t span = maximum - minimum;
  const auto bar =
      span == 0 ? 0 : static_cast<int>(static_cast<uint64_t>(height) * (value - minimum) / span);
  if (bar > 0) {
    detail::FillSolid(dc, {width - kColumn, height - bar, width - kColumn + kBarWidth, height},
                      kBar);
  }
  InvalidateRect(window(), nullptr, TRUE);
}

StripChart::StripChart() : state_(new State) {}
StripChart::~StripChart() { delete state_; }

bool StripChart::Attach(HWND dialog, int id) {
  state_->picture.reset();
  return state_->Hook(dialog, id, &hwnd_);
}

void StripChart::SetRange(uint32_t minimum, uint32_t maximum) {
  state_->minimum = minimum;
  state_->maximum = maximum;
  if (!state_->picture && hwnd_ != nullptr) state_->CreatePicture();
}

uint32_t StripChart::AddSample(uint32_t value) {
  state_->Add(value);
  return state_->value;
}

}  // namespace nv::win
