#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "controls/gradient_progress.h"
#include "controls/label_static.h"
#include "controls/strip_chart.h"
#include "pixel_support.h"

namespace nv {
namespace {

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
  bar.SetBarColour(0x0000FF, 0);  // a second colour of 0 repeats the first: solid red
  const QImage red = bar.grab().toImage();
  EXPECT_EQ(red.pixelColor(0, 5), QColor(255, 0, 0));
  EXPECT_EQ(red.pixelColor(73, 5), QColor(255, 0, 0));
}

TEST(StripChart, ScrollsAndDrawsColumns) {
  StripChart chart;
  chart.resize(40, 100);
  chart.SetRange(0, 100);
  const QImage& picture = chart.picture();
  EXPECT_EQ(picture.pixelColor(10, 50), QColor(0, 128, 0));  // grid at h/2
  EXPECT_EQ(picture.pixelColor(10, 49), QColor(0, 0, 0));
  EXPECT_EQ(chart.AddSample(150), 0u);
  EXPECT_EQ(chart.picture().pixelColor(36, 0), QColor(0, 255, 0));  // full height
  EXPECT_EQ(chart.picture().pixelColor(37, 99), QColor(0, 255, 0));
  EXPECT_EQ(chart.picture().pixelColor(38, 10), QColor(0, 0, 0));   // two pixels wide
  EXPECT_EQ(chart.AddSample(0), 100u);                              // the clamped previous value
  EXPECT_EQ(chart.picture().pixelColor(32, 0), QColor(0, 255, 0));  // scrolled left by 4
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

TEST(StripChart, PictureFollowsTheWidgetsSize) {
  StripChart chart;
  chart.resize(100, 30);  // the size before the page's layout
  chart.SetRange(0, 100);
  chart.AddSample(50);
  chart.AddSample(100);
  chart.resize(40, 100);
  const QImage shown = chart.grab().toImage();
  EXPECT_EQ(chart.picture().size(), QSize(40, 100));
  EXPECT_EQ(shown.pixelColor(10, 50), QColor(0, 128, 0));  // grid at the new h/2
  EXPECT_EQ(shown.pixelColor(36, 0), QColor(0, 255, 0));   // the last sample, full height
  EXPECT_EQ(shown.pixelColor(32, 49), QColor(0, 0, 0));    // the one before: half of 100
  EXPECT_EQ(shown.pixelColor(32, 51), QColor(0, 255, 0));
  chart.AddSample(0);
  EXPECT_EQ(chart.picture().pixelColor(28, 51), QColor(0, 255, 0));  // scrolled on
}

const QColor kInk(0, 0, 0);
const QColor kHoverBlue(0, 0, 255);
const QColor kPaper(255, 255, 255);

std::unique_ptr<LabelStatic> MakeLabel() {
  auto label = std::make_unique<LabelStatic>(QStringLiteral("Security"));
  QFont f = label->font();
  f.setPixelSize(14);
  f.setStyleStrategy(QFont::NoAntialias);
  label->setFont(f);
  label->resize(100, 24);
  label->SetTextColour(kInk);
  label->SetBackgroundColour(kPaper);
  return label;
}

TEST(LabelStatic, PaintsItsBackgroundColourOverItsOwner) {
  QWidget owner;
  owner.resize(120, 40);
  owner.setAutoFillBackground(true);
  QPalette p = owner.palette();
  p.setColor(QPalette::Window, kPaper);
  owner.setPalette(p);
  auto label = MakeLabel();
  label->setParent(&owner);
  label->move(10, 10);
  label->SetBackgroundColour(QColor(198, 216, 241));
  const QImage image = owner.grab().toImage();
  EXPECT_EQ(image.pixelColor(5, 5), kPaper);
  EXPECT_EQ(image.pixelColor(10, 10), QColor(198, 216, 241));
  EXPECT_EQ(image.pixelColor(109, 33), QColor(198, 216, 241));
  EXPECT_GT(test::CountPixels(image, kInk), 10);
  label.release();  // owned by `owner` now
}

TEST(LabelStatic, HoverSettingsTakeEffectAtOnce) {
  auto label = MakeLabel();
  label->SetHoverColour(kHoverBlue);
  label->SetMouseInside(true);
  EXPECT_EQ(test::CountPixels(label->grab().toImage(), kHoverBlue), 0) << "highlighting off";
  label->SetHoverHighlight(true);  // while the pointer is already inside
  QImage image = label->grab().toImage();
  EXPECT_GT(test::CountPixels(image, kHoverBlue), 10);
  EXPECT_EQ(test::CountPixels(image, kInk), 0);
  label->SetHoverColour(QColor(255, 0, 0));
  EXPECT_GT(test::CountPixels(label->grab().toImage(), QColor(255, 0, 0)), 10);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(label.get(), &leave);
  EXPECT_GT(test::CountPixels(label->grab().toImage(), kInk), 10);
  // Underlining adds a row of ink below the text.
  const int plain = test::CountPixels(label->grab().toImage(), kInk);
  label->SetUnderline(true);
  EXPECT_GT(test::CountPixels(label->grab().toImage(), kInk), plain + 20);
}

}  // namespace
}  // namespace nv
