#include "controls/gradient_progress.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

#include "controls/gradient_bands.h"

namespace nv {

namespace {
uint32_t ToColorref(const QColor& c) {
  return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
         static_cast<uint32_t>(c.blue()) << 16;
}
}  // namespace

QColor FromColorref(uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

GradientProgress::GradientProgress(QWidget* parent) : QProgressBar(parent) {
  const uint32_t caption = ToColorref(palette().color(QPalette::Highlight));
  stops_ = {caption, caption};
  background_ = palette().color(QPalette::Button);
  setTextVisible(false);
}

void GradientProgress::SetColourStops(std::vector<uint32_t> stops) {
  stops_ = std::move(stops);
  update();
}

void GradientProgress::SetBarColour(uint32_t first, uint32_t second) {
  SetColourStops({first, second == 0 ? first : second});
}

void GradientProgress::SetBackgroundColour(uint32_t colour) {
  background_ = FromColorref(colour);
  update();
}

void GradientProgress::paintEvent(QPaintEvent* event) {
  const QRect area = rect();
  QPixmap buffer(area.size());  // drawn off-screen, copied in one go
  QPainter p(&buffer);
  p.fillRect(area, background_);
  const bool vertical = orientation() == Qt::Vertical;
  const int extent = vertical ? area.height() : area.width();
  const int filled = FilledLength(minimum(), maximum(), value(), extent);
  if (filled > 0) {
    const auto fill = [&](int start, int end, const QBrush& brush) {
      if (vertical) {
        p.fillRect(QRect(0, area.height() - end, area.width(), end - start), brush);
      } else {
        p.fillRect(QRect(start, 0, end - start, area.height()), brush);
      }
    };
    if (barBrush_) {
      fill(0, filled, *barBrush_);
    } else {
      for (const Band& band : ComputeBands(stops_, extent, filled)) {
        fill(band.start, band.end, FromColorref(band.colour));
      }
    }
  }
  p.end();
  QPainter screen(this);
  screen.drawPixmap(event->rect(), buffer, event->rect());
}

}  // namespace nv
