#include "controls/owner_draw_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <algorithm>

#include "controls/button_look.h"
#include "edges.h"
#include "owner_draw_button_accessible.h"

namespace nv {

namespace {
constexpr int kMargin = 4;  // the caption keeps margin + 2 pixels from the left and right sides
constexpr int kIndicatorGap = 4;
}  // namespace

OwnerDrawButton::OwnerDrawButton(const QString& caption, QWidget* parent)
    : OwnerDrawButton(Kind::Push, caption, parent) {}

OwnerDrawButton::OwnerDrawButton(Kind kind, const QString& caption, QWidget* parent)
    : QAbstractButton(parent), textColour_(palette().color(QPalette::ButtonText)) {
  InstallOwnerDrawButtonAccessibility();
  setText(caption);
  setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent covers every pixel
  setMouseTracking(true);                 // hover follows plain mouse moves
  setFocusPolicy(Qt::StrongFocus);
  SetKind(kind);
  connect(this, &QAbstractButton::toggled, this, [this](bool on) {
    if (on && kind_ == Kind::Radio) UncheckGroup();
  });
}

void OwnerDrawButton::SetKind(Kind kind) {
  kind_ = kind;
  setCheckable(kind != Kind::Push);
  if (kind == Kind::Push) setChecked(false);
  updateGeometry();
  update();
}

void OwnerDrawButton::SetPushLike(bool on) {
  pushLike_ = on;
  updateGeometry();
  update();
}

void OwnerDrawButton::SetFlat(bool on) {
  flat_ = on;
  update();
}

void OwnerDrawButton::SetDefault(bool on) {
  default_ = on;
  update();
}

void OwnerDrawButton::SetCaptionAlignment(Qt::Alignment alignment) {
  alignment_ = alignment & (Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter);
  if (alignment_ != Qt::AlignLeft && alignment_ != Qt::AlignRight) alignment_ = Qt::AlignHCenter;
  update();
}

void OwnerDrawButton::SetTextColour(const QColor& colour) {
  textColour_ = colour;
  update();
}

void OwnerDrawButton::nextCheckState() {
  if (kind_ == Kind::Check) setChecked(!isChecked());
  if (kind_ == Kind::Radio) setChecked(true);
}

// Walks the group from the button after this one round to the one before it.
void OwnerDrawButton::UncheckGroup() {
  QWidget* owner = parentWidget();
  if (owner == nullptr) return;
  const auto buttons = owner->findChildren<OwnerDrawButton*>(Qt::FindDirectChildrenOnly);
  const auto self = std::find(buttons.begin(), buttons.end(), this);
  if (self == buttons.end()) return;
  const auto count = buttons.size();
  const auto start = self - buttons.begin();
  for (qsizetype i = 1; i < count; ++i) {
    OwnerDrawButton* other = buttons[(start + i) % count];
    if (other->kind_ == Kind::Radio && other->radioGroup_ == radioGroup_) other->setChecked(false);
  }
}

void OwnerDrawButton::SetHover(bool on) {
  if (hover_ == on) return;
  hover_ = on;
  update();
}

void OwnerDrawButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractButton::mousePressEvent(event);
    return;
  }
  SetHover(false);
  QAbstractButton::mousePressEvent(event);
  trackingPress_ = true;
}

void OwnerDrawButton::mouseMoveEvent(QMouseEvent* event) {
  if (trackingPress_) {
    QAbstractButton::mouseMoveEvent(event);  // pushed state follows the pointer
    return;
  }
  // A press that ended with a focus loss is not taken up again when the pointer returns.
  if (!(event->buttons() & Qt::LeftButton)) SetHover(rect().contains(event->position().toPoint()));
  event->accept();
}

void OwnerDrawButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const bool wasTracking = trackingPress_;
    trackingPress_ = false;
    if (!wasTracking && isDown()) setDown(false);
    SetHover(rect().contains(event->position().toPoint()));
  }
  QAbstractButton::mouseReleaseEvent(event);  // clicks only when released over the button
}

void OwnerDrawButton::enterEvent(QEnterEvent* event) {
  if (!trackingPress_ && !(event->buttons() & Qt::LeftButton)) SetHover(true);
  QAbstractButton::enterEvent(event);
}

void OwnerDrawButton::leaveEvent(QEvent* event) {
  SetHover(false);
  QAbstractButton::leaveEvent(event);
}

void OwnerDrawButton::focusOutEvent(QFocusEvent* event) {
  if (event->reason() != Qt::PopupFocusReason) trackingPress_ = false;
  QAbstractButton::focusOutEvent(event);
}

QRect OwnerDrawButton::CaptionRect() const {
  return rect().adjusted(kMargin + 2, 0, -(kMargin + 2), 0);
}

QSize OwnerDrawButton::sizeHint() const {
  const QFontMetrics fm = fontMetrics();
  int width = fm.horizontalAdvance(text()) + 2 * (kMargin + 2) + 12;
  if (!pushLike()) width += style()->pixelMetric(QStyle::PM_IndicatorWidth) + kIndicatorGap;
  return {width, std::max(fm.height() + 10, 23)};
}

void OwnerDrawButton::DrawIndicator(QPainter& p, const QRect& area) const {
  const bool radio = kind_ == Kind::Radio;
  const int side =
      style()->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth);
  QStyleOptionButton option;
  option.initFrom(this);
  option.rect = QRect(area.left(), area.top() + (area.height() - side) / 2, side, side);
  option.state |= isChecked() ? QStyle::State_On : QStyle::State_Off;
  if (isDown()) option.state |= QStyle::State_Sunken;
  style()->drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox,
                         &option, &p, this);
}

void OwnerDrawButton::DrawCaption(QPainter& p, QRect area, bool embossed) const {
  const int flags =
      static_cast<int>(alignment_) | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
  p.setFont(font());
  if (embossed) {
    p.setPen(palette().color(QPalette::Light));
    p.drawText(area, flags, text());
    p.setPen(palette().color(QPalette::Dark));
    p.drawText(area.translated(-1, -1), flags, text());
    return;
  }
  p.setPen(textColour_);
  p.drawText(area, flags, text());
}

void OwnerDrawButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  const QRect area = rect();
  ButtonState state;
  state.disabled = !isEnabled();
  state.pushed = isDown();
  state.checked = isChecked();
  state.hover = hover_;
  state.flat = flat_;
  state.isDefault = default_;
  state.border3d = state.pushLike = pushLike();
  const ButtonLook look = ChooseButtonLook(state);
  p.fillRect(area, pal.color(QPalette::Button));
  switch (look.edge) {
    case ButtonEdge::None:
      break;
    case ButtonEdge::Raised:
      DrawRaisedEdge(p, area, pal);
      break;
    case ButtonEdge::Sunken:
      DrawSunkenEdge(p, area, pal);
      break;
    case ButtonEdge::DefaultDouble:
      DrawSunkenEdge(p, area, pal);
      DrawRaisedEdge(p, area.adjusted(1, 1, -1, -1), pal);
      break;
    case ButtonEdge::ThinRaised:
      Draw3dRect(p, area, pal.color(QPalette::Light), pal.color(QPalette::Dark));
      break;
    case ButtonEdge::ThinSunken:
      Draw3dRect(p, area, pal.color(QPalette::Dark), pal.color(QPalette::Light));
      break;
  }
  QRect caption = CaptionRect();
  if (!pushLike()) {
    DrawIndicator(p, caption);
    caption.setLeft(caption.left() + style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                    kIndicatorGap);
  }
  DrawCaption(p, caption.translated(look.captionShift, look.captionShift), look.embossed);
  if (hasFocus()) {  // keyboard users need to see where the space key goes
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
  }
}

}  // namespace nv
