// A scrolling bar chart: each sample scrolls the picture four pixels to the left and draws a
// new bright green column at the right edge, over a black background with three grid lines.
// The picture always has the widget's size: a resize redraws the samples that fit.
#pragma once

#include <QImage>
#include <QWidget>
#include <deque>

namespace nv {

class StripChart : public QWidget {
  Q_OBJECT

 public:
  explicit StripChart(QWidget* parent = nullptr);

  // The first call creates and clears the picture at the widget's size; later calls keep it.
  void SetRange(uint32_t minimum, uint32_t maximum);
  // Clamps to the range, draws, and returns the previous value.
  uint32_t AddSample(uint32_t value);
  const QImage& picture() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // A drawn column: its value above the minimum and the range's span when it was drawn.
  struct Column {
    uint32_t offset;
    uint32_t span;
  };

  void CreatePicture();
  void FitPicture();  // recreates the picture at the widget's size, redrawing the columns
  void DrawGrid(int fromX);
  void DrawBar(int x, const Column& column);

  uint32_t minimum_ = 0;
  uint32_t maximum_ = 100;
  uint32_t value_ = 0;
  QImage image_;
  std::deque<Column> columns_;  // newest last; as many as the picture shows
};

}  // namespace nv
