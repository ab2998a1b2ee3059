// The tray pictures must read on dark and on light panels: their edge is a light halo around a
// dark outline at every size, so one of the two contrasts with whatever the panel is.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cmath>

#include "shell/icons.h"

namespace nv {
namespace {

const QColor kDarkPanel(0x20, 0x20, 0x20);
const QColor kLightPanel(0xF5, 0xF5, 0xF5);

double Luminance(const QColor& c) {
  auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

// Contrast ratio as the accessibility guidelines define it; 3 is their minimum for graphics.
double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool Opaque(const QImage& image, int x, int y) {
  return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
         image.pixelColor(x, y).alpha() >= 128;
}

// Every pixel on the picture's silhouette stands out on a dark panel, and within the halo's
// width of it a pixel stands out on a light one.
::testing::AssertionResult EdgeReads(const QImage& image, int x, int y, int halo) {
  if (Contrast(image.pixelColor(x, y), kDarkPanel) < 3) {
    return ::testing::AssertionFailure()
           << "edge " << image.pixelColor(x, y).name().toStdString() << " vanishes on a dark panel";
  }
  const int reach = halo + 1;
  for (int dy = -reach; dy <= reach; ++dy) {
    for (int dx = -reach; dx <= reach; ++dx) {
      if (Opaque(image, x + dx, y + dy) &&
          Contrast(image.pixelColor(x + dx, y + dy), kLightPanel) >= 3) {
        return ::testing::AssertionSuccess();
      }
    }
  }
  return ::testing::AssertionFailure() << "no dark outline inside the halo";
}

bool OnSilhouette(const QImage& image, int x, int y) {
  return Opaque(image, x, y) && (!Opaque(image, x - 1, y) || !Opaque(image, x + 1, y) ||
                                 !Opaque(image, x, y - 1) || !Opaque(image, x, y + 1));
}

TEST(Icons, EveryPictureHasAnEdgeThatReadsOnDarkAndLightPanels) {
  for (int resource : kIconResources) {
    for (int size : kIconSizes) {
      const QImage image = DrawIcon(resource, size).convertToFormat(QImage::Format_ARGB32);
      const int halo = std::max(1, size / 16);
      SCOPED_TRACE(::testing::Message() << "icon " << resource << " at " << size);
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          if (!OnSilhouette(image, x, y)) continue;
          EXPECT_TRUE(EdgeReads(image, x, y, halo)) << x << "," << y;
        }
      }
    }
  }
}

TEST(Icons, EmptyBarsStandOutFromBothPanels) {
  // Icon 136, all bars empty: the middle of the tallest bar is its fill.
  for (int size : kIconSizes) {
    const QImage image = DrawIcon(136, size).convertToFormat(QImage::Format_ARGB32);
    int x = size - 1;
    while (x > 0 && image.pixelColor(x, size / 2).alpha() == 0) --x;
    const int halo = std::max(1, size / 16);
    const int outline = std::max(1, size / 24);
    const QColor fill = image.pixelColor(x - halo - outline, size / 2);
    EXPECT_GE(Contrast(fill, kLightPanel), 3) << "at " << size;
    EXPECT_GE(Contrast(fill, kDarkPanel), 3) << "at " << size;
  }
}

TEST(Icons, EveryResourceAtEverySize) {
  for (int resource : kIconResources) {
    for (int size : kIconSizes) {
      const QImage image = DrawIcon(resource, size);
      EXPECT_EQ(image.size(), QSize(size, size));
      int opaque = 0;  // the tallest bar stands in the right quarter, half way up
      for (int x = size * 3 / 4; x < size; ++x) opaque += image.pixelColor(x, size / 2).alpha() > 0;
      EXPECT_GT(opaque, 0) << resource << "@" << size;
    }
  }
  // Four green bars, yellow ones and the red cross differ where it matters.
  const QImage good = DrawIcon(133, 32);
  const QImage poor = DrawIcon(160, 32);
  EXPECT_GT(good.pixelColor(26, 20).green(), good.pixelColor(26, 20).red());
  EXPECT_GT(poor.pixelColor(26, 20).red(), poor.pixelColor(26, 20).blue());
  const QImage none = DrawIcon(153, 32);
  EXPECT_GT(none.pixelColor(16, 16).red(), 150);
}

}  // namespace
}  // namespace nv
