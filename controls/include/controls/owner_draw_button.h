// A button that paints itself with 3-D edges: a push button, a check box or a radio button.
// It follows the mouse (hover; a press tracked while the pointer leaves and comes back; a
// release outside does nothing), clicks by the space key, and keeps its own checked state.
// Checking a radio button unchecks the other radio buttons of its group: the OwnerDrawButton
// radio buttons with the same parent widget and the same group number. Unlike Qt's exclusive
// buttons, a radio group may be left with none checked (SetChecked(false)).
#pragma once

#include <QAbstractButton>

namespace nv {

class OwnerDrawButton : public QAbstractButton {
  Q_OBJECT

 public:
  enum class Kind { Push = 0, Check = 2, Radio = 4 };

  explicit OwnerDrawButton(const QString& caption = QString(), QWidget* parent = nullptr);
  OwnerDrawButton(Kind kind, const QString& caption, QWidget* parent = nullptr);

  // A push button is never checked; a check box toggles on a click; a radio button checks itself.
  void SetKind(Kind kind);
  Kind kind() const { return kind_; }
  // Check boxes and radio buttons drawn as buttons (with edges, sunken while checked); without
  // it they show a check mark or a dot beside the caption. Always on for push buttons.
  void SetPushLike(bool on);
  bool pushLike() const { return pushLike_ || kind_ == Kind::Push; }
  // A flat button shows its edge only while the pointer is over it.
  void SetFlat(bool on);
  bool flat() const { return flat_; }
  // The default button's double edge (look only: Enter does nothing on the pages).
  void SetDefault(bool on);
  bool isDefault() const { return default_; }
  // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter (the default); always vertically centred.
  void SetCaptionAlignment(Qt::Alignment alignment);
  Qt::Alignment captionAlignment() const { return alignment_; }
  void SetTextColour(const QColor& colour);
  QColor textColour() const { return textColour_; }
  void SetRadioGroup(int group) { radioGroup_ = group; }
  int radioGroup() const { return radioGroup_; }

  // The checked state (setChecked/isChecked work as well); ignored for a push button.
  void SetChecked(bool on) { setChecked(on); }
  bool IsChecked() const { return isChecked(); }
  bool hovered() const { return hover_; }
  bool trackingPress() const { return trackingPress_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void nextCheckState() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void UncheckGroup();
  void SetHover(bool on);
  QRect CaptionRect() const;
  void DrawIndicator(QPainter& p, const QRect& area) const;
  void DrawCaption(QPainter& p, QRect area, bool embossed) const;

  Kind kind_ = Kind::Push;
  bool pushLike_ = false;
  bool flat_ = false;
  bool default_ = false;
  bool hover_ = false;
  bool trackingPress_ = false;
  int radioGroup_ = 0;
  Qt::Alignment alignment_ = Qt::AlignHCenter;
  QColor textColour_;
};

}  // namespace nv
