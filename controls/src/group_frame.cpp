#include "controls/group_frame.h"

#include <QPainter>
#include <algorithm>

#include "controls/frame_caption.h"

namespace nv {

namespace {

QColor OrDefault(const QColor& colour, const QColor& fallback) {
  return colour.isValid() ? colour : fallback;
}

QString CaptionText(const QString& title) { return QStringLiteral(" %1 ").arg(title); }

CaptionAlign ToCaptionAlign(Qt::Alignment alignment) {
  if (alignment & Qt::AlignRight) return CaptionAlign::Right;
  if (alignment & Qt::AlignHCenter) return CaptionAlign::Centre;
  return CaptionAlign::Left;
}

// One rectangle of the etched frame, `width` pixels thick, open at the caption's gap.
void DrawOpenRect(QPainter& p, const QRect& r, int width, int gapLeft, int gapRight,
                  const QColor& colour) {
  const int right = r.right();
  const int bottom = r.bottom();
  if (gapRight > gapLeft) {
    p.fillRect(QRect(r.left(), r.top(), std::max(0, gapLeft - r.left()), width), colour);
    p.fillRect(QRect(gapRight, r.top(), std::max(0, right + width - gapRight), width), colour);
  } else {
    p.fillRect(QRect(r.left(), r.top(), r.width() + width - 1, width), colour);
  }
  p.fillRect(QRect(r.left(), r.top(), width, bottom - r.top() + width), colour);
  p.fillRect(QRect(r.left(), bottom, right - r.left() + width, width), colour);
  p.fillRect(QRect(right, r.top(), width, bottom - r.top() + width), colour);
}

}  // namespace

GroupFrame::GroupFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void GroupFrame::SetLineColours(const QColor& first, const QColor& second, bool repaint) {
  first_ = first;
  second_ = second;
  if (repaint) update();
}

void GroupFrame::SetDisabledLineColours(const QColor& first, const QColor& second, bool repaint) {
  disabledFirst_ = first;
  disabledSecond_ = second;
  if (repaint) update();
}

void GroupFrame::SetLineWidth(int width) {
  lineWidth_ = std::max(1, width);
  update();
}

void GroupFrame::SetCaptionColour(const QColor& colour, bool repaint) {
  captionColour_ = colour;
  if (repaint) update();
}

void GroupFrame::SetCaptionFont(const QFont& font) {
  captionFont_ = font;
  update();
}

QColor GroupFrame::firstLineColour() const {
  const QColor fallback = palette().color(QPalette::Dark);
  return isEnabled() ? OrDefault(first_, fallback) : OrDefault(disabledFirst_, fallback);
}

QColor GroupFrame::secondLineColour() const {
  const QColor fallback = palette().color(QPalette::Light);
  return isEnabled() ? OrDefault(second_, fallback) : OrDefault(disabledSecond_, fallback);
}

QRect GroupFrame::CaptionGap() const {
  const int captionWidth =
      title().isEmpty() ? 0 : QFontMetrics(captionFont()).horizontalAdvance(CaptionText(title()));
  const QRect frame = rect();
  const CaptionPlace place =
      PlaceCaption(frame.left(), frame.left() + frame.width(), frame.top(), fontMetrics().height(),
                   captionWidth, ToCaptionAlign(alignment()));
  return {place.left, place.topLine, place.right - place.left, lineWidth_};
}

void GroupFrame::DrawEtched(QPainter& p, const QRect& gap) const {
  const int w = lineWidth_;
  const QRect outer(0, gap.top(), width() - w, height() - gap.top() - w);
  DrawOpenRect(p, outer, w, gap.left(), gap.left() + gap.width(), firstLineColour());
  DrawOpenRect(p, outer.translated(w, w), w, gap.left(), gap.left() + gap.width(),
               secondLineColour());
}

void GroupFrame::DrawCaption(QPainter& p, const QRect& gap) const {
  const QFont captionFont = this->captionFont();
  const int height = QFontMetrics(captionFont).height();
  const QRect area(gap.left(), gap.top() + lineWidth_ / 2 - height / 2, gap.width(), height);
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
  p.setFont(captionFont);
  if (!isEnabled()) {  // greyed: embossed like disabled text
    p.setPen(palette().color(QPalette::Light));
    p.drawText(area.translated(1, 1), flags, CaptionText(title()));
    p.setPen(palette().color(QPalette::Dark));
  } else {
    p.setPen(captionColour_);
  }
  p.drawText(area, flags, CaptionText(title()));
}

void GroupFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect gap = CaptionGap();
  DrawEtched(p, gap);
  if (!title().isEmpty()) DrawCaption(p, gap);
}

}  // namespace nv
