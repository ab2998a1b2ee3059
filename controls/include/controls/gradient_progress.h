// A progress bar that paints its filled part itself, double-buffered, as a gradient over
// colour stops (COLORREF values, 0x00BBGGRR), band by band as ComputeBands decides.
#pragma once

#include <QProgressBar>
#include <optional>
#include <vector>

namespace nv {

QColor FromColorref(uint32_t colour);

class GradientProgress : public QProgressBar {
  Q_OBJECT

 public:
  explicit GradientProgress(QWidget* parent = nullptr);

  void SetColourStops(std::vector<uint32_t> stops);
  // The bar colour message: two stops, the second equal to the first when 0.
  void SetBarColour(uint32_t first, uint32_t second);
  void SetBackgroundColour(uint32_t colour);
  void SetBarBrush(std::optional<QBrush> brush) { barBrush_ = std::move(brush); }
  const std::vector<uint32_t>& colourStops() const { return stops_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<uint32_t> stops_;
  std::optional<QBrush> barBrush_;
  QColor background_;
};

}  // namespace nv
