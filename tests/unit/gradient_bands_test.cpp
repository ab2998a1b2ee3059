// The gradient bar's bands and filled length.
#include "controls/gradient_bands.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace nv
