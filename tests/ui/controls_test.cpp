#include <gtest/gtest.h>

#include <QImage>

#include "controls/gradient_bands.h"
#include "controls/gradient_progress.h"
#include "controls/label_static.h"
#include "controls/strip_chart.h"

namespace nv {
namespace {

TEST(GradientBands, SolidBlueIsOneBand) {
  const int filled = FilledLength(0, 100, 37, 200);
  EXPECT_EQ(filled, 74);
  const auto bands = ComputeBands({0xFF0000, 0xFF0000}, 200, filled);
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0].start, 0);
  EXPECT_EQ(bands[0].end, 74);
  EXPECT_EQ(bands[0].colour, 0xFF0000u);
}

TEST(GradientBands, BlackToWhite) {
  const auto wide = ComputeBands({0x000000, 0xFFFFFF}, 1000, 1000);
  EXPECT_EQ(wide.size(), 255u);
  EXPECT_EQ(wide.back().end, 1000);
  EXPECT_EQ(wide[1].colour, 0x010101u);
  const auto narrow = ComputeBands({0x000000, 0xFFFFFF}, 100, 100);
  ASSERT_EQ(narrow.size(), 100u);
  for (const Band& b : narrow) EXPECT_EQ(b.end - b.start, 1);
  EXPECT_EQ(narrow[50].colour, 0x7F7F7Fu);  // 0 + 50 * 255 / 100
  // A half-filled bar stops at the band that reaches the end of the filled part.
  const auto half = ComputeBands({0x000000, 0xFFFFFF}, 100, 50);
  EXPECT_EQ(half.size(), 50u);
  EXPECT_EQ(ComputeBands({0x000000, 0xFFFFFF}, 100, 50, true).size(), 1u);
}

TEST(GradientBands, ThreeStopsAndOutOfRangePositions) {
  const auto bands = ComputeBands({0x0000FF, 0x00FF00, 0xFF0000}, 100, 100);
  EXPECT_EQ(bands.front().colour, 0x0000FFu);
  EXPECT_EQ(bands.back().end, 100);
  EXPECT_EQ(FilledLength(0, 100, -1, 200), -1);
  EXPECT_EQ(FilledLength(0, 100, 101, 200), -1);
  EXPECT_EQ(FilledLength(0, 100, 100, 200), 200);
  EXPECT_TRUE(ComputeBands({0xFF0000, 0xFF0000}, 200, 0).empty());
}

TEST(GradientProgress, PaintsTheFilledPartOverTheBackground) {
  GradientProgress bar;
  bar.resize(200, 10);
  bar.setRange(0, 100);
  bar.setValue(37);
  bar.SetColourStops({0xFF0000, 0xFF0000});
  bar.SetBackgroundColour(0xFFFFFF);
  const QImage image = bar.grab().toImage();
  EXPECT_EQ(image.pixelColor(0, 5), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(73, 5), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(74, 5), QColor(255, 255, 255));
  bar.SetBarColour(0x0000FF, 0);
  EXPECT_EQ(bar.colourStops(), std::vector<uint32_t>({0x0000FF, 0x0000FF}));
}

TEST(StripChart, ScrollsAndDrawsColumns) {
  StripChart chart;
  chart.resize(40, 100);
  chart.SetRange(0, 100);
  const QImage& picture = chart.picture();
  EXPECT_EQ(picture.pixelColor(10, 50), QColor(0, 128, 0));  // grid at h/2
  EXPECT_EQ(picture.pixelColor(10, 49), QColor(0, 0, 0));
  EXPECT_EQ(chart.AddSample(150), 0u);
  EXPECT_EQ(chart.picture().pixelColor(36, 0), QColor(0, 255, 0));   // full height
  EXPECT_EQ(chart.picture().pixelColor(37, 99), QColor(0, 255, 0));
  EXPECT_EQ(chart.picture().pixelColor(38, 10), QColor(0, 0, 0));    // two pixels wide
  EXPECT_EQ(chart.AddSample(0), 100u);  // the clamped previous value
  EXPECT_EQ(chart.picture().pixelColor(32, 0), QColor(0, 255, 0));   // scrolled left by 4
  EXPECT_EQ(chart.picture().pixelColor(36, 10), QColor(0, 0, 0));
  EXPECT_EQ(chart.picture().pixelColor(36, 25), QColor(0, 128, 0));  // grid dot at h/4
  chart.SetRange(0, 50);  // a second range keeps the picture
  EXPECT_EQ(chart.picture().pixelColor(32, 0), QColor(0, 255, 0));
  chart.AddSample(25);
  EXPECT_EQ(chart.picture().pixelColor(36, 50), QColor(0, 255, 0));  // half of 0..50
  EXPECT_EQ(chart.picture().pixelColor(36, 40), QColor(0, 0, 0));
  const QImage shown = chart.grab().toImage();
  EXPECT_EQ(shown.pixelColor(36, 99), QColor(0, 255, 0));
}

TEST(LabelStatic, HoverColourOnlyWithHighlighting) {
  LabelStatic label(QStringLiteral("About"));
  label.SetTextColour(Qt::black);
  label.SetHoverColour(QColor(0, 0, 255));
  label.SetMouseInside(true);
  EXPECT_EQ(label.shownColour(), QColor(Qt::black));
  label.SetHoverHighlight(true);
  EXPECT_EQ(label.shownColour(), QColor(0, 0, 255));
  label.SetMouseInside(false);
  EXPECT_EQ(label.shownColour(), QColor(Qt::black));
  label.SetBold(true);
  EXPECT_EQ(label.font().weight(), QFont::Bold);
  label.SetUnderline(true);
  EXPECT_TRUE(label.font().underline());
  label.SetPointerCursor(Qt::PointingHandCursor);
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

}  // namespace
}  // namespace nv
