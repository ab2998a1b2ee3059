// A scrolling bar chart: each sample scrolls the picture four pixels to the left and draws a
// new bright green column at the right edge, over a black background with three grid lines.
#pragma once

#include <QImage>
#include <QWidget>

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

 private:
  void DrawGrid(int fromX);

  uint32_t minimum_ = 0;
  uint32_t maximum_ = 100;
  uint32_t value_ = 0;
  QImage image_;
};

}  // namespace nv
