// A group box that paints itself: an etched two-colour frame with its caption (the group box's
// title) cut into the top line, in a font and colours of its own, greyed when disabled. The
// caption's alignment is QGroupBox's (left by default, right or centred); it starts 8 pixels
// from the frame's corner.
#pragma once

#include <QGroupBox>
#include <optional>

namespace nv {

class GroupFrame : public QGroupBox {
  Q_OBJECT

 public:
  explicit GroupFrame(const QString& caption = QString(), QWidget* parent = nullptr);

  // An invalid colour selects the default: the palette's shadow (Dark) for the first line and
  // its highlight (Light) for the second. `repaint` false leaves the picture until the next paint.
  void SetLineColours(const QColor& first, const QColor& second, bool repaint = true);
  void SetDisabledLineColours(const QColor& first, const QColor& second, bool repaint = true);
  void SetLineWidth(int width);
  void SetCaptionColour(const QColor& colour, bool repaint = true);  // black by default
  void SetCaptionFont(const QFont& font);                            // the widget's font until set

  QColor firstLineColour() const;
  QColor secondLineColour() const;
  QColor captionColour() const { return captionColour_; }
  QFont captionFont() const { return captionFont_.value_or(font()); }
  int lineWidth() const { return lineWidth_; }
  // The caption's gap in the top line and the line's row, for the current size and title.
  QRect CaptionGap() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawEtched(QPainter& p, const QRect& gap) const;
  void DrawCaption(QPainter& p, const QRect& gap) const;

  QColor first_;
  QColor second_;
  QColor disabledFirst_;
  QColor disabledSecond_;
  int lineWidth_ = 1;
  QColor captionColour_{0, 0, 0};
  std::optional<QFont> captionFont_;
};

}  // namespace nv
