#include "controls/strip_chart.h"

#include <QPainter>
#include <QResizeEvent>

namespace nv {

namespace {
const QColor kBackground(0, 0, 0);
const QColor kGrid(0, 128, 0);
const QColor kBar(0, 255, 0);
constexpr int kColumn = 4;
constexpr int kBarWidth = 2;
}  // namespace

StripChart::StripChart(QWidget* parent) : QWidget(parent) {}

void StripChart::SetRange(uint32_t minimum, uint32_t maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  if (!image_.isNull()) return;
  CreatePicture();
  update();
}

void StripChart::CreatePicture() {
  image_ = QImage(size(), QImage::Format_RGB32);
  image_.fill(kBackground);
  DrawGrid(0);
}

void StripChart::DrawGrid(int fromX) {
  const int h = image_.height();
  QPainter p(&image_);
  for (int y : {h / 2, h / 4, 3 * h / 4})
    p.fillRect(QRect(fromX, y, image_.width() - fromX, 1), kGrid);
}

void StripChart::DrawBar(int x, const Column& column) {
  const int h = image_.height();
  const int bar = column.span == 0 ? 0 : static_cast<int>(int64_t{h} * column.offset / column.span);
  if (bar > 0) QPainter(&image_).fillRect(QRect(x, h - bar, kBarWidth, bar), kBar);
}

uint32_t StripChart::AddSample(uint32_t value) {
  const uint32_t previous = value_;
  value_ = value > maximum_ ? maximum_ : value < minimum_ ? minimum_ : value;
  if (image_.isNull()) return previous;
  FitPicture();  // a hidden widget gets its resize event only when shown
  const int w = image_.width();
  const int h = image_.height();
  {
    QPainter p(&image_);
    const QImage scrolled = image_.copy(kColumn, 0, w - kColumn, h);
    p.drawImage(0, 0, scrolled);
    p.fillRect(QRect(w - kColumn, 0, kColumn, h), kBackground);
  }
  DrawGrid(w - kColumn);
  const Column column{value_ - minimum_, maximum_ - minimum_};
  DrawBar(w - kColumn, column);
  columns_.push_back(column);
  const size_t shown = static_cast<size_t>(w / kColumn) + 1;
  while (columns_.size() > shown) columns_.pop_front();
  update();
  return previous;
}

void StripChart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitPicture();
}

void StripChart::FitPicture() {
  if (image_.isNull() || image_.size() == size()) return;
  CreatePicture();
  int x = width() - kColumn * static_cast<int>(columns_.size());
  for (const Column& column : columns_) {
    DrawBar(x, column);
    x += kColumn;
  }
  update();
}

void StripChart::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter(this).drawImage(0, 0, image_);
}

}  // namespace nv
