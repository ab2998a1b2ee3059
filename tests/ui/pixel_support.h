// Small helpers for the controls' pixel tests: mouse events sent straight to a widget, and
// counting or locating pixels of one colour in a grabbed picture.
#pragma once

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

namespace nv::test {

inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint pos,
                      Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons buttons = Qt::LeftButton) {
  QMouseEvent event(type, QPointF(pos), widget.mapToGlobal(QPointF(pos)), button, buttons,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

inline int CountPixels(const QImage& image, const QColor& colour, QRect area = QRect()) {
  if (area.isNull()) area = image.rect();
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixelColor(x, y) == colour) ++count;
    }
  }
  return count;
}

// The smallest rectangle holding every pixel of `colour` inside `area`; null when none.
inline QRect Bounds(const QImage& image, const QColor& colour, QRect area) {
  QRect bounds;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixelColor(x, y) == colour) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

}  // namespace nv::test
