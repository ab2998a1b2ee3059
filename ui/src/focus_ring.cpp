#include "focus_ring.h"

#include <QEvent>
#include <QPainter>

namespace nv {

namespace {
constexpr int kRingWidth = 2;
}

FocusRing::FocusRing(QWidget* target) : QWidget(target) {
  setObjectName(QStringLiteral("focusRing"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(target->rect());
  setVisible(target->hasFocus());
  target->installEventFilter(this);
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  auto* target = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::Resize:
      setGeometry(target->rect());
      break;
    case QEvent::FocusIn:
      setVisible(true);
      raise();
      break;
    case QEvent::FocusOut:
      setVisible(false);
      break;
    default:
      break;
  }
  return false;
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor colour = palette().color(QPalette::Highlight);
  const int w = width();
  const int h = height();
  painter.fillRect(0, 0, w, kRingWidth, colour);
  painter.fillRect(0, h - kRingWidth, w, kRingWidth, colour);
  painter.fillRect(0, 0, kRingWidth, h, colour);
  painter.fillRect(w - kRingWidth, 0, kRingWidth, h, colour);
}

}  // namespace nv
