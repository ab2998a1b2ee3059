#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "controls/button_look.h"
#include "controls/gradient_bands.h"
#include "controls/gradient_progress.h"
#include "controls/label_static.h"
#include "controls/strip_chart.h"
#include "pixel_support.h"

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

TEST(ButtonLook, EdgeShiftAndEmbossByState) {
  struct Row {
    ButtonState state;
    ButtonEdge edge;
    int shift;
    bool embossed;
  };
  const auto state = [](auto change) {
    ButtonState s;
    change(s);
    return s;
  };
  const Row rows[] = {
      {state([](ButtonState&) {}), ButtonEdge::Raised, 0, false},
      {state([](ButtonState& s) { s.isDefault = true; }), ButtonEdge::DefaultDouble, 0, false},
      {state([](ButtonState& s) { s.flat = true; }), ButtonEdge::None, 0, false},
      {state([](ButtonState& s) { s.flat = s.hover = true; }), ButtonEdge::ThinRaised, 0, false},
      {state([](ButtonState& s) { s.flat = s.hover = s.isDefault = true; }),
       ButtonEdge::DefaultDouble, 0, false},
      {state([](ButtonState& s) { s.pushed = true; }), ButtonEdge::Sunken, 1, false},
      {state([](ButtonState& s) { s.pushed = s.flat = true; }), ButtonEdge::ThinSunken, 1, false},
      {state([](ButtonState& s) { s.checked = true; }), ButtonEdge::Sunken, 1, false},
      {state([](ButtonState& s) { s.checked = true, s.border3d = s.pushLike = false; }),
       ButtonEdge::None, 0, false},
      {state([](ButtonState& s) { s.border3d = s.pushLike = false; }), ButtonEdge::None, 0, false},
      {state([](ButtonState& s) { s.disabled = s.pushed = true; }), ButtonEdge::Raised, 0, true},
      {state([](ButtonState& s) { s.disabled = s.flat = true; }), ButtonEdge::None, 0, true},
  };
  int i = 0;
  for (const Row& row : rows) {
    const ButtonLook look = ChooseButtonLook(row.state);
    EXPECT_EQ(look.edge, row.edge) << "row " << i;
    EXPECT_EQ(look.captionShift, row.shift) << "row " << i;
    EXPECT_EQ(look.embossed, row.embossed) << "row " << i;
    ++i;
  }
}

}  // namespace
}  // namespace nv
