#include "list_images.h"

#include <QPainter>
#include <QPainterPath>

namespace nv {

namespace {

const QColor kInk(40, 40, 48);
const QColor kHalo(255, 255, 255, 215);
const QColor kBody(226, 230, 236);
const QColor kScreen(120, 170, 230);
const QColor kCross(220, 30, 30);
const QColor kRing(30, 90, 235);

// Every stroke is drawn twice: a wide light halo, then the dark line on it.
void Stroke(QPainter& p, const QPainterPath& path, const QColor& ink, qreal width) {
  p.strokePath(path, QPen(kHalo, width + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.strokePath(path, QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void Box(QPainter& p, const QRectF& r, const QColor& fill) {
  QPainterPath path;
  path.addRect(r);
  Stroke(p, path, kInk, 1);
  p.fillRect(r.adjusted(0.5, 0.5, -0.5, -0.5), fill);
}

// A box with an antenna sending two waves either side.
void AccessPoint(QPainter& p, qreal dx) {
  QPainterPath mast;
  mast.moveTo(dx + 7, 8.5);
  mast.lineTo(dx + 7, 3.5);
  QPainterPath waves;
  for (const QRectF& r : {QRectF(dx + 4, 1, 6, 5), QRectF(dx + 1.5, -0.5, 11, 8)}) {
    waves.arcMoveTo(r, 210);
    waves.arcTo(r, 210, -60);
    waves.arcMoveTo(r, 30);
    waves.arcTo(r, 30, -60);
  }
  Stroke(p, mast, kInk, 1.2);
  Stroke(p, waves, kInk, 1);
  Box(p, QRectF(dx + 0.5, 8.5, 13, 5), kBody);
  p.fillRect(QRectF(dx + 9, 10.5, 2, 1.5), QColor(40, 180, 60));  // its lamp
}

// A small computer: a screen on a base.
void Station(QPainter& p, qreal dx) {
  Box(p, QRectF(dx + 2.5, 3.5, 9, 7), kScreen);
  Box(p, QRectF(dx + 1.5, 12.5, 11, 2), kBody);
  QPainterPath neck;
  neck.moveTo(dx + 7, 10.5);
  neck.lineTo(dx + 7, 12.5);
  Stroke(p, neck, kInk, 1);
}

void Cross(QPainter& p) {
  QPainterPath cross;
  cross.moveTo(2.5, 2.5);
  cross.lineTo(13.5, 13.5);
  cross.moveTo(13.5, 2.5);
  cross.lineTo(2.5, 13.5);
  Stroke(p, cross, kCross, 1.6);
}

void Ring(QPainter& p) {
  QPainterPath ring;
  ring.addEllipse(QRectF(1, 1, 14, 14));
  Stroke(p, ring, kRing, 1.6);
}

}  // namespace

QPixmap ListImage(int index) {
  QPixmap pixmap(kListImageSize, kListImageSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (index) {
    case 0:
      Station(p, 1);
      break;
    case 1:
      AccessPoint(p, 1);
      break;
    case 2:
      AccessPoint(p, -1);
      p.scale(0.6, 0.6);
      Station(p, 13);
      break;
    case 4:
      AccessPoint(p, 1);
      Cross(p);
      break;
    case 5:
      AccessPoint(p, 1);
      Ring(p);
      break;
    case 6:
      Station(p, 1);
      Ring(p);
      break;
    case 7:
      Station(p, 1);
      Cross(p);
      break;
    default:
      break;  // 3: blank
  }
  return pixmap;
}

const std::array<QIcon, kListImageCount>& ListImages() {
  static const std::array<QIcon, kListImageCount> images = [] {
    std::array<QIcon, kListImageCount> icons;
    for (int i = 0; i < kListImageCount; ++i) icons[static_cast<size_t>(i)] = QIcon(ListImage(i));
    return icons;
  }();
  return images;
}

}  // namespace nv
