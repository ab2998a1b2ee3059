#include "shell/icons.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace nv {

namespace {

const QColor kGreen(46, 160, 67);
const QColor kYellow(227, 179, 65);
const QColor kRed(215, 58, 73);
const QColor kBlue(31, 111, 235);
const QColor kEmptyFill(140, 140, 140);  // mid grey: stands out from light and dark panels
const QColor kOutline(40, 40, 40);
// Around the dark outline: the outline reads on light panels, the halo on dark ones.
const QColor kHalo(250, 250, 250);

struct Look {
  int filled;  // bars filled, 0..4
  QColor colour;
  bool crossed;
};

Look LookOf(int resource) {
  switch (resource) {
    case 132:
      return {1, kGreen, false};
    case 135:
      return {2, kGreen, false};
    case 134:
      return {3, kGreen, false};
    case 133:
      return {4, kGreen, false};
    case 157:
      return {1, kYellow, false};
    case 158:
      return {2, kYellow, false};
    case 159:
      return {3, kYellow, false};
    case 160:
      return {4, kYellow, false};
    case 153:
      return {0, kEmptyFill, true};
    case 128:
      return {4, kBlue, false};
    default:
      return {0, kEmptyFill, false};  // 136
  }
}

void DrawCross(QPainter& p, int size, const QColor& colour, int width) {
  const int m = std::max(2, size / 8);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(m, m, size - m, size - m);
  p.drawLine(size - m, m, m, size - m);
  p.restore();
}

}  // namespace

// Four bars on whole pixels, each a fill in a dark outline in a light halo. Small sizes
// leave no room for gaps: there the bars stand side by side, their outlines dividing them.
QImage DrawIcon(int resource, int size) {
  const Look look = LookOf(resource);
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  const int halo = std::max(1, size / 16);
  const int outline = std::max(1, size / 24);
  const int gap = size >= 22 ? std::max(1, size / 16) : 0;
  const int barWidth = (size - 2 * halo - 3 * gap) / 4;
  const int left = (size - (4 * barWidth + 3 * gap)) / 2;
  const int bottom = size - halo;
  QRect bars[4];
  for (int i = 0; i < 4; ++i) {
    const int height = std::max(3, ((bottom - halo) * (i + 1)) / 4);
    bars[i] = QRect(left + i * (barWidth + gap), bottom - height, barWidth, height);
  }
  // Halos first, so that no halo covers another part's outline.
  for (const QRect& bar : bars) p.fillRect(bar.adjusted(-halo, -halo, halo, halo), kHalo);
  if (look.crossed) DrawCross(p, size, kHalo, std::max(2, size / 8) + 2 * halo);
  for (int i = 0; i < 4; ++i) {
    p.fillRect(bars[i], kOutline);
    const QRect inside = bars[i].adjusted(outline, outline, -outline, -outline);
    p.fillRect(inside, i < look.filled ? look.colour : kEmptyFill);
  }
  if (look.crossed) DrawCross(p, size, kRed, std::max(2, size / 8));
  return image;
}

QIcon MakeIcon(int resource) {
  QIcon icon;
  for (int size : kIconSizes) icon.addPixmap(QPixmap::fromImage(DrawIcon(resource, size)));
  return icon;
}

QIcon TrayIcon(int resource) {
  const QString name = QStringLiteral("wlanmon-%1").arg(resource);
  return QIcon::hasThemeIcon(name) ? QIcon::fromTheme(name) : MakeIcon(resource);
}

}  // namespace nv
