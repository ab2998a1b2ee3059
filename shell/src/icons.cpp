#include "shell/icons.h"

#include <QPainter>
#include <QPixmap>

namespace nv {

namespace {

const QColor kGreen(46, 160, 67);
const QColor kYellow(227, 179, 65);
const QColor kRed(215, 58, 73);
const QColor kBlue(31, 111, 235);
const QColor kEmptyFill(235, 235, 235);
const QColor kOutline(60, 60, 60);

struct Look {
  int filled;  // bars filled, 0..4
  QColor colour;
  bool crossed;
};

Look LookOf(int resource) {
  switch (resource) {
    case 132: return {1, kGreen, false};
    case 135: return {2, kGreen, false};
    case 134: return {3, kGreen, false};
    case 133: return {4, kGreen, false};
    case 157: return {1, kYellow, false};
    case 158: return {2, kYellow, false};
    case 159: return {3, kYellow, false};
    case 160: return {4, kYellow, false};
    case 153: return {0, kEmptyFill, true};
    case 128: return {4, kBlue, false};
    default: return {0, kEmptyFill, false};  // 136
  }
}

}  // namespace

QImage DrawIcon(int resource, int size) {
  const Look look = LookOf(resource);
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  // Four bars on whole pixels: a dark outline keeps them visible on light and dark panels.
  const int gap = std::max(1, size / 16);
  const int barWidth = (size - 3 * gap) / 4;
  const int left = (size - (4 * barWidth + 3 * gap)) / 2;
  const int bottom = size - std::max(1, size / 16);
  for (int i = 0; i < 4; ++i) {
    const int height = std::max(3, (bottom * (i + 1)) / 4);
    const QRect bar(left + i * (barWidth + gap), bottom - height, barWidth, height);
    p.fillRect(bar, kOutline);
    const QRect inside = bar.adjusted(1, 1, -1, -1);
    p.fillRect(inside, i < look.filled ? look.colour : kEmptyFill);
  }
  if (look.crossed) {
    QPen pen(kRed, std::max(2, size / 8), Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setRenderHint(QPainter::Antialiasing);
    const int m = std::max(2, size / 8);
    p.drawLine(m, m, size - m, size - m);
    p.drawLine(size - m, m, m, size - m);
  }
  return image;
}

QIcon MakeIcon(int resource) {
  QIcon icon;
  for (int size : kIconSizes) icon.addPixmap(QPixmap::fromImage(DrawIcon(resource, size)));
  return icon;
}

}  // namespace nv
