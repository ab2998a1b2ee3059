#include "controls/label_static.h"

#include <QMouseEvent>

namespace nv {

LabelStatic::LabelStatic(const QString& text, QWidget* parent)
    : QLabel(text, parent),
      textColour_(palette().color(QPalette::WindowText)),
      background_(palette().color(QPalette::Button)),
      hoverColour_(textColour_) {
  setAutoFillBackground(true);  // the background colour fills the whole label
  ApplyColours();
}

QColor LabelStatic::shownColour() const {
  return hoverHighlight_ && mouseInside_ ? hoverColour_ : textColour_;
}

void LabelStatic::ApplyColours() {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, shownColour());
  p.setColor(QPalette::Window, background_);
  setPalette(p);
  update();
}

void LabelStatic::SetTextColour(const QColor& colour) {
  textColour_ = colour;
  ApplyColours();
}

void LabelStatic::SetHoverColour(const QColor& colour) {
  hoverColour_ = colour;
  ApplyColours();
}

void LabelStatic::SetHoverHighlight(bool on) {
  hoverHighlight_ = on;
  ApplyColours();
}

void LabelStatic::SetBackgroundColour(const QColor& colour) {
  background_ = colour;
  ApplyColours();
}

void LabelStatic::SetBold(bool on) {
  QFont f = font();
  f.setWeight(on ? QFont::Bold : QFont::Normal);
  setFont(f);
}

void LabelStatic::SetUnderline(bool on) {
  QFont f = font();
  f.setUnderline(on);
  setFont(f);
}

void LabelStatic::SetFontHeight(int pixels) {
  QFont f = font();
  f.setPixelSize(pixels);
  setFont(f);
}

void LabelStatic::SetFaceName(const QString& face) {
  QFont f = font();
  f.setFamily(face);
  setFont(f);
}

void LabelStatic::SetMouseInside(bool inside) {
  if (inside == mouseInside_) return;
  mouseInside_ = inside;
  ApplyColours();
}

void LabelStatic::enterEvent(QEnterEvent* event) {
  SetMouseInside(true);
  QLabel::enterEvent(event);
}

void LabelStatic::leaveEvent(QEvent* event) {
  SetMouseInside(false);
  QLabel::leaveEvent(event);
}

void LabelStatic::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    Q_EMIT clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace nv
