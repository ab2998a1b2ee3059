// The Site Survey lists' eight drawn pictures.
#include <gtest/gtest.h>

#include <QImage>

#include "list_images.h"

namespace nv {
namespace {

// Counts opaque pixels that are light (a halo) and dark (the strokes).
std::pair<int, int> LightAndDark(const QImage& image) {
  int light = 0, dark = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.alpha() < 128) continue;
      light += c.lightness() > 180;
      dark += c.lightness() < 90;
    }
  }
  return {light, dark};
}

TEST(ListImages, EightDistinctPicturesThatReadOnAnyBackground) {
  std::vector<QImage> images;
  for (int i = 0; i < kListImageCount; ++i) {
    const QImage image = ListImage(i).toImage();
    EXPECT_EQ(image.size(), QSize(16, 16));
    const auto [light, dark] = LightAndDark(image);
    if (i == 3) {
      EXPECT_EQ(light + dark, 0);  // blank
    } else {
      EXPECT_GT(light, 5) << i;  // seen on a dark list
      EXPECT_GT(dark, 3) << i;   // seen on a light one
    }
    for (const QImage& other : images) EXPECT_NE(image, other) << i;
    images.push_back(image);
  }
  // Crossed out in red, ringed in blue.
  const auto has = [](const QImage& image, auto test) {
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        if (test(image.pixelColor(x, y))) return true;
    return false;
  };
  const auto red = [](QColor c) { return c.red() > 180 && c.green() < 80 && c.blue() < 80; };
  const auto blue = [](QColor c) { return c.blue() > 180 && c.red() < 80 && c.green() < 140; };
  EXPECT_TRUE(has(images[4], red));
  EXPECT_TRUE(has(images[7], red));
  EXPECT_TRUE(has(images[5], blue));
  EXPECT_TRUE(has(images[6], blue));
  EXPECT_FALSE(has(images[1], red));
}

}  // namespace
}  // namespace nv
