#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <vector>

#include "controls/owner_draw_button.h"
#include "pixel_support.h"

namespace nv {
namespace {

using test::Bounds;
using test::CountPixels;
using test::SendMouse;

const QColor kFace(200, 200, 200);
const QColor kLight(255, 255, 255);
const QColor kMidlight(230, 230, 230);
const QColor kDark(128, 128, 128);
const QColor kShadow(64, 64, 64);
const QColor kText(0, 0, 0);

// A button with colours that tell every edge apart and a caption without anti-aliasing.
std::unique_ptr<OwnerDrawButton> MakeButton(
    OwnerDrawButton::Kind kind = OwnerDrawButton::Kind::Push, QWidget* parent = nullptr) {
  auto button = std::make_unique<OwnerDrawButton>(kind, QStringLiteral("MMM"), parent);
  QPalette p = button->palette();
  p.setColor(QPalette::Button, kFace);
  p.setColor(QPalette::Light, kLight);
  p.setColor(QPalette::Midlight, kMidlight);
  p.setColor(QPalette::Dark, kDark);
  p.setColor(QPalette::Shadow, kShadow);
  button->setPalette(p);
  button->SetTextColour(kText);
  QFont f = button->font();
  f.setPixelSize(14);
  f.setStyleStrategy(QFont::NoAntialias);
  button->setFont(f);
  button->resize(80, 26);
  return button;
}

const QPoint kInside(40, 13);
const QPoint kOutside(120, 13);

TEST(OwnerDrawButton, PressFollowsThePointerAndAReleaseOutsideDoesNothing) {
  auto button = MakeButton();
  QSignalSpy clicks(button.get(), &QAbstractButton::clicked);
  SendMouse(*button, QEvent::MouseButtonPress, kInside);
  EXPECT_TRUE(button->isDown());
  EXPECT_TRUE(button->trackingPress());
  SendMouse(*button, QEvent::MouseMove, kOutside, Qt::NoButton);
  EXPECT_FALSE(button->isDown()) << "dragged off: pops up";
  SendMouse(*button, QEvent::MouseMove, kInside, Qt::NoButton);
  EXPECT_TRUE(button->isDown()) << "dragged back: pushed again";
  SendMouse(*button, QEvent::MouseMove, kOutside, Qt::NoButton);
  SendMouse(*button, QEvent::MouseButtonRelease, kOutside, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_FALSE(button->trackingPress());
  EXPECT_FALSE(button->isDown());

  SendMouse(*button, QEvent::MouseButtonPress, kInside);
  SendMouse(*button, QEvent::MouseButtonRelease, kInside, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks.count(), 1);
  // A double click arrives as press, release, double click, release: two clicks.
  SendMouse(*button, QEvent::MouseButtonPress, kInside);
  SendMouse(*button, QEvent::MouseButtonRelease, kInside, Qt::LeftButton, Qt::NoButton);
  SendMouse(*button, QEvent::MouseButtonDblClick, kInside);
  SendMouse(*button, QEvent::MouseButtonRelease, kInside, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks.count(), 3);
  EXPECT_FALSE(button->IsChecked()) << "a push button never stays checked";
}

TEST(OwnerDrawButton, LosingTheFocusEndsThePress) {
  auto button = MakeButton();
  QSignalSpy clicks(button.get(), &QAbstractButton::clicked);
  SendMouse(*button, QEvent::MouseButtonPress, kInside);
  QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(button.get(), &focusOut);
  EXPECT_FALSE(button->trackingPress());
  EXPECT_FALSE(button->isDown());
  SendMouse(*button, QEvent::MouseMove, kInside + QPoint(1, 0), Qt::NoButton);
  EXPECT_FALSE(button->isDown()) << "the ended press is not taken up again";
  SendMouse(*button, QEvent::MouseButtonRelease, kInside, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks.count(), 0);
}

TEST(OwnerDrawButton, CheckBoxTogglesOnClickAndSpaceButNotOnAReleaseOutside) {
  auto box = MakeButton(OwnerDrawButton::Kind::Check);
  SendMouse(*box, QEvent::MouseButtonPress, kInside);
  SendMouse(*box, QEvent::MouseMove, kOutside, Qt::NoButton);
  SendMouse(*box, QEvent::MouseButtonRelease, kOutside, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(box->IsChecked());
  SendMouse(*box, QEvent::MouseButtonPress, kInside);
  SendMouse(*box, QEvent::MouseButtonRelease, kInside, Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(box->IsChecked());
  QTest::keyClick(box.get(), Qt::Key_Space);
  EXPECT_FALSE(box->IsChecked());
  QTest::keyClick(box.get(), Qt::Key_Space);
  EXPECT_TRUE(box->IsChecked());
  box->SetKind(OwnerDrawButton::Kind::Push);
  EXPECT_FALSE(box->IsChecked());
  box->SetChecked(true);
  EXPECT_FALSE(box->IsChecked());
}

TEST(OwnerDrawButton, CheckingARadioButtonUnchecksTheOthersOfItsGroupOnly) {
  QWidget page;
  std::vector<OwnerDrawButton*> radios;
  for (int i = 0; i < 4; ++i) {
    radios.push_back(
        new OwnerDrawButton(OwnerDrawButton::Kind::Radio, QString::number(i + 1), &page));
    radios.back()->resize(80, 26);
  }
  auto* other = new OwnerDrawButton(OwnerDrawButton::Kind::Radio, QStringLiteral("x"), &page);
  other->SetRadioGroup(1);
  other->SetChecked(true);
  QWidget elsewhere;
  auto* stranger =
      new OwnerDrawButton(OwnerDrawButton::Kind::Radio, QStringLiteral("y"), &elsewhere);
  stranger->SetChecked(true);

  radios[3]->SetChecked(true);
  radios[0]->SetChecked(true);
  EXPECT_FALSE(radios[3]->IsChecked());
  SendMouse(*radios[1], QEvent::MouseButtonPress, kInside);
  SendMouse(*radios[1], QEvent::MouseButtonRelease, kInside, Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(radios[1]->IsChecked());
  EXPECT_FALSE(radios[0]->IsChecked()) << "the walk wraps round to the first button";
  QTest::keyClick(radios[1], Qt::Key_Space);
  EXPECT_TRUE(radios[1]->IsChecked()) << "a checked radio button stays checked";
  QTest::keyClick(radios[2], Qt::Key_Space);
  EXPECT_TRUE(radios[2]->IsChecked());
  EXPECT_FALSE(radios[1]->IsChecked());
  EXPECT_TRUE(other->IsChecked()) << "another group";
  EXPECT_TRUE(stranger->IsChecked()) << "another parent";
  radios[2]->SetChecked(false);  // a group may be left with none checked
  for (auto* radio : radios) EXPECT_FALSE(radio->IsChecked());
}

struct EdgePixels {
  QColor topLeft;
  QColor secondTopLeft;
  QColor bottomRight;
};

EdgePixels Edges(OwnerDrawButton& button) {
  const QImage image = button.grab().toImage();
  const int r = image.width() - 1;
  const int b = image.height() - 1;
  return {image.pixelColor(0, 0), image.pixelColor(1, 1), image.pixelColor(r, b)};
}

TEST(OwnerDrawButton, EdgesFollowFlatDefaultHoverAndPress) {
  auto button = MakeButton();
  EdgePixels e = Edges(*button);  // raised
  EXPECT_EQ(e.topLeft, kMidlight);
  EXPECT_EQ(e.secondTopLeft, kLight);
  EXPECT_EQ(e.bottomRight, kShadow);
  button->SetDefault(true);
  e = Edges(*button);  // sunken, then raised one pixel further in
  EXPECT_EQ(e.topLeft, kDark);
  EXPECT_EQ(e.secondTopLeft, kMidlight);
  EXPECT_EQ(e.bottomRight, kLight);
  button->SetDefault(false);
  button->SetFlat(true);
  EXPECT_EQ(Edges(*button).topLeft, kFace) << "flat: no edge until hovered";
  SendMouse(*button, QEvent::MouseMove, kInside, Qt::NoButton, Qt::NoButton);
  EXPECT_TRUE(button->hovered());
  e = Edges(*button);
  EXPECT_EQ(e.topLeft, kLight);
  EXPECT_EQ(e.secondTopLeft, kFace);
  EXPECT_EQ(e.bottomRight, kDark);
  SendMouse(*button, QEvent::MouseButtonPress, kInside);
  EXPECT_FALSE(button->hovered()) << "a press ends the hover";
  EXPECT_EQ(Edges(*button).topLeft, kDark);
  SendMouse(*button, QEvent::MouseButtonRelease, kInside, Qt::LeftButton, Qt::NoButton);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button.get(), &leave);
  EXPECT_FALSE(button->hovered());
  EXPECT_EQ(Edges(*button).topLeft, kFace);
  button->SetFlat(false);
  SendMouse(*button, QEvent::MouseButtonPress, kInside);
  e = Edges(*button);
  EXPECT_EQ(e.topLeft, kDark);
  EXPECT_EQ(e.secondTopLeft, kShadow);
  EXPECT_EQ(e.bottomRight, kLight);
}

TEST(OwnerDrawButton, PushedCaptionMovesAndDisabledCaptionIsEmbossed) {
  auto button = MakeButton();
  const QRect inside = button->rect().adjusted(3, 3, -3, -3);
  const QRect normal = Bounds(button->grab().toImage(), kText, inside);
  ASSERT_FALSE(normal.isNull()) << "the caption is drawn in the text colour";
  SendMouse(*button, QEvent::MouseButtonPress, kInside);
  EXPECT_EQ(Bounds(button->grab().toImage(), kText, inside), normal.translated(1, 1));
  SendMouse(*button, QEvent::MouseButtonRelease, kInside, Qt::LeftButton, Qt::NoButton);

  button->setEnabled(false);
  const QImage image = button->grab().toImage();
  EXPECT_EQ(CountPixels(image, kText, inside), 0);
  EXPECT_EQ(Bounds(image, kDark, inside), normal.translated(-1, -1)) << "grey, up and left";
  EXPECT_GT(CountPixels(image, kLight, inside), 0) << "highlight underneath";
  // Each grey pixel's lower-right neighbour is highlight or grey: the grey is the highlight
  // caption moved by (-1, -1).
  for (int y = inside.top(); y < inside.bottom(); ++y) {
    for (int x = inside.left(); x < inside.right(); ++x) {
      if (image.pixelColor(x, y) != kDark) continue;
      const QColor below = image.pixelColor(x + 1, y + 1);
      EXPECT_TRUE(below == kLight || below == kDark) << x << "," << y;
    }
  }
  EXPECT_EQ(Edges(*button).topLeft, kMidlight) << "a disabled button keeps its raised edge";
}

TEST(OwnerDrawButton, CheckAndRadioShowTheirStateAndExposeTheirCaption) {
  for (const auto kind : {OwnerDrawButton::Kind::Check, OwnerDrawButton::Kind::Radio}) {
    auto button = MakeButton(kind);
    const QImage off = button->grab().toImage();
    button->SetChecked(true);
    EXPECT_NE(button->grab().toImage(), off) << "the indicator shows the checked state";
    button->SetPushLike(true);
    EXPECT_EQ(Edges(*button).topLeft, kDark) << "push-like and checked: sunken";
  }
  QWidget page;
  auto* radio = new OwnerDrawButton(OwnerDrawButton::Kind::Radio, QStringLiteral("&2"), &page);
  QAccessibleInterface* radioInfo = QAccessible::queryAccessibleInterface(radio);
  ASSERT_NE(radioInfo, nullptr);
  EXPECT_EQ(radioInfo->role(), QAccessible::RadioButton);
  EXPECT_EQ(radioInfo->text(QAccessible::Name), QStringLiteral("2"));
  EXPECT_FALSE(radioInfo->state().checked);
  radioInfo->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(radio->IsChecked());
  EXPECT_TRUE(radioInfo->state().checked);

  auto button = MakeButton();
  button->setText(QStringLiteral("Apply"));
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button.get());
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Apply"));
  EXPECT_EQ(accessible->role(), QAccessible::Button);
  EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus);
}

}  // namespace
}  // namespace nv
