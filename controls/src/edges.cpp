#include "edges.h"

#include <QPainter>
#include <QPalette>

namespace nv {

void Draw3dRect(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  if (r.width() <= 0 || r.height() <= 0) return;
  p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

void DrawRaisedEdge(QPainter& p, const QRect& r, const QPalette& pal) {
  Draw3dRect(p, r, pal.color(QPalette::Midlight), pal.color(QPalette::Shadow));
  Draw3dRect(p, r.adjusted(1, 1, -1, -1), pal.color(QPalette::Light), pal.color(QPalette::Dark));
}

void DrawSunkenEdge(QPainter& p, const QRect& r, const QPalette& pal) {
  Draw3dRect(p, r, pal.color(QPalette::Dark), pal.color(QPalette::Light));
  Draw3dRect(p, r.adjusted(1, 1, -1, -1), pal.color(QPalette::Shadow),
             pal.color(QPalette::Midlight));
}

}  // namespace nv
