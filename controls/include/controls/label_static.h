// A static label that fills its background and draws its text in colours of its own, with its
// own font attributes, mouse cursor and an optional hover colour; it reports clicks.
#pragma once

#include <QLabel>

namespace nv {

class LabelStatic : public QLabel {
  Q_OBJECT

 public:
  explicit LabelStatic(const QString& text = QString(), QWidget* parent = nullptr);

  void SetTextColour(const QColor& colour);
  void SetBackgroundColour(const QColor& colour);
  void SetBold(bool on);
  void SetUnderline(bool on);
  void SetFontHeight(int pixels);
  void SetFaceName(const QString& face);
  void SetPointerCursor(const QCursor& cursor) { setCursor(cursor); }
  // Both take effect at once, also while the pointer is already inside.
  void SetHoverColour(const QColor& colour);
  void SetHoverHighlight(bool on);
  void SetMouseInside(bool inside);

  QColor textColour() const { return textColour_; }
  QColor backgroundColour() const { return background_; }
  // What the text is drawn in now: the hover colour while highlighted, else the text colour.
  QColor shownColour() const;
  bool mouseInside() const { return mouseInside_; }

 Q_SIGNALS:
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ApplyColours();

  QColor textColour_;
  QColor background_;
  QColor hoverColour_;
  bool hoverHighlight_ = false;
  bool mouseInside_ = false;
};

}  // namespace nv
