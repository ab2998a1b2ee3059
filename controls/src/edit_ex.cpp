#include "controls/edit_ex.h"

namespace nv {

CEditEx::CEditEx(QWidget* parent) : CEditEx(QString(), parent) {}

CEditEx::CEditEx(const QString& text, QWidget* parent)
    : QLineEdit(text, parent),
      textColour_(palette().color(QPalette::Active, QPalette::Text)),
      background_(palette().color(QPalette::Active, QPalette::Base)) {}

QBrush CEditEx::CreateBackgroundBrush() const { return QBrush(background_); }

void CEditEx::ApplyColours() {
  QPalette p = palette();
  const QBrush brush = CreateBackgroundBrush();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setBrush(group, QPalette::Base, brush);
    if (group != QPalette::Disabled) p.setColor(group, QPalette::Text, textColour_);
  }
  setPalette(p);
  update();
}

QColor CEditEx::SetTextColour(const QColor& colour) {
  const QColor previous = textColour_;
  textColour_ = colour;
  ApplyColours();
  return previous;
}

QColor CEditEx::SetBackgroundColour(const QColor& colour) {
  const QColor previous = background_;
  background_ = colour;
  ApplyColours();
  return previous;
}

}  // namespace nv
