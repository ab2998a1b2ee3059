#include <gtest/gtest.h>

#include <QAccessible>

#include "controls/group_frame.h"
#include "pixel_support.h"

namespace nv {
namespace {

using test::CountPixels;

const QColor kFirst(200, 0, 0);
const QColor kSecond(0, 0, 200);
const QColor kCaption(0, 0, 0);

std::unique_ptr<GroupFrame> MakeFrame() {
  auto frame = std::make_unique<GroupFrame>(QStringLiteral("Data Rate"));
  frame->resize(200, 100);
  frame->SetLineColours(kFirst, kSecond);
  QFont f = frame->font();
  f.setPixelSize(13);
  f.setStyleStrategy(QFont::NoAntialias);
  frame->SetCaptionFont(f);
  return frame;
}

TEST(GroupFrame, EtchedFrameWithTheCaptionCutIntoTheTopLine) {
  auto frame = MakeFrame();
  const QImage image = frame->grab().toImage();
  const QRect gap = frame->CaptionGap();
  const int top = gap.top();
  const int w = image.width();
  const int h = image.height();
  EXPECT_EQ(gap.left(), 8);
  EXPECT_GT(gap.width(), 40);
  // First colour outside, second one pixel further in, on all four sides.
  EXPECT_EQ(image.pixelColor(3, top), kFirst);
  EXPECT_EQ(image.pixelColor(3, top + 1), kSecond);
  EXPECT_EQ(image.pixelColor(0, 50), kFirst);
  EXPECT_EQ(image.pixelColor(1, 50), kSecond);
  EXPECT_EQ(image.pixelColor(w - 2, 50), kFirst);
  EXPECT_EQ(image.pixelColor(w - 1, 50), kSecond);
  EXPECT_EQ(image.pixelColor(50, h - 2), kFirst);
  EXPECT_EQ(image.pixelColor(50, h - 1), kSecond);
  EXPECT_EQ(image.pixelColor(gap.left() - 1, top), kFirst);
  EXPECT_EQ(image.pixelColor(gap.left() + gap.width(), top), kFirst);
  EXPECT_EQ(image.pixelColor(gap.left() + gap.width() + 1, top + 1), kSecond);
  // No line through the caption: only its text lies there.
  const QRect captionRow(gap.left(), top, gap.width(), 2);
  EXPECT_EQ(CountPixels(image, kFirst, captionRow), 0);
  EXPECT_EQ(CountPixels(image, kSecond, captionRow), 0);
  const QRect captionArea(gap.left(), 0, gap.width(), top + 8);
  EXPECT_GT(CountPixels(image, kCaption, captionArea), 20);
  EXPECT_EQ(CountPixels(image, kCaption, QRect(0, 0, gap.left(), h)), 0);

  frame->setAlignment(Qt::AlignRight);
  EXPECT_EQ(frame->CaptionGap().left() + frame->CaptionGap().width(), w - 8);
  frame->setTitle(QString());
  EXPECT_EQ(CountPixels(frame->grab().toImage(), kFirst, QRect(0, top, w, 1)), w - 1)
      << "an empty caption leaves the top line whole";
}

TEST(GroupFrame, DisabledFrameIsGreyed) {
  auto frame = MakeFrame();
  const QColor grey1(150, 150, 150);
  const QColor grey2(220, 220, 220);
  frame->SetDisabledLineColours(grey1, grey2);
  frame->setEnabled(false);
  const QImage image = frame->grab().toImage();
  const QRect gap = frame->CaptionGap();
  EXPECT_EQ(image.pixelColor(0, 50), grey1);
  EXPECT_EQ(image.pixelColor(1, 50), grey2);
  EXPECT_EQ(CountPixels(image, kFirst), 0);
  const QRect captionArea(gap.left(), 0, gap.width(), gap.top() + 8);
  EXPECT_EQ(CountPixels(image, kCaption, captionArea), 0) << "not in the caption colour";
  EXPECT_GT(CountPixels(image, QColor(frame->palette().color(QPalette::Dark).rgb()), captionArea),
            20);
  frame->setEnabled(true);
  EXPECT_EQ(frame->grab().toImage().pixelColor(0, 50), kFirst);
  frame->SetLineColours(QColor(), QColor());  // back to the palette's etched colours
  EXPECT_EQ(frame->grab().toImage().pixelColor(0, 50).rgb(),
            frame->palette().color(QPalette::Dark).rgb());
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(frame.get());
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Data Rate"));
}

}  // namespace
}  // namespace nv
