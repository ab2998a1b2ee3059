// An edit box that paints its text and background in colours of its own (also when read-only;
// a disabled box keeps the greyed text).
#pragma once

#include <QLineEdit>

namespace nv {

class CEditEx : public QLineEdit {
  Q_OBJECT

 public:
  explicit CEditEx(QWidget* parent = nullptr);
  explicit CEditEx(const QString& text, QWidget* parent = nullptr);

  // Each returns the colour set before.
  QColor SetTextColour(const QColor& colour);
  QColor SetBackgroundColour(const QColor& colour);
  QColor textColour() const { return textColour_; }
  QColor backgroundColour() const { return background_; }

 protected:
  // The brush the whole box is filled with; by default solid in the background colour.
  virtual QBrush CreateBackgroundBrush() const;
  void ApplyColours();

 private:
  QColor textColour_;
  QColor background_;
};

}  // namespace nv
