#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>

#include "ui/config_dialog.h"

namespace nv {
namespace {

const QColor kGrey(90, 90, 90);

TEST(ConfigDialog, TitleBackgroundAndPagesInCreationOrder) {
  ConfigDialog dialog;
  std::vector<int> created;
  dialog.SetPageFactory([&](int index, QWidget* frame) -> ConfigPage* {
    created.push_back(index);
    return new ConfigPage(QStringLiteral("page%1").arg(index), frame);
  });
  dialog.OpenPages();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Wireless LAN Monitor/Configuration Utility"));
  EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(198, 216, 241));
  EXPECT_EQ(created, std::vector<int>({0, 1, 3, 4, 2}));
  EXPECT_EQ(dialog.currentPage(), 0);
  EXPECT_EQ(dialog.label(2)->text(), QStringLiteral("Security"));
  EXPECT_EQ(dialog.label(2)->cursor().shape(), Qt::PointingHandCursor);
}

TEST(ConfigDialog, ShowPageColoursTheLabels) {
  ConfigDialog dialog;
  dialog.OpenPages();
  int refreshes = 0;
  dialog.SetSurveyRefresh([&] { ++refreshes; });
  dialog.ShowPage(kPageSiteSurvey);
  EXPECT_EQ(refreshes, 1);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(dialog.label(i)->textColour(), i == 3 ? QColor(Qt::black) : kGrey) << i;
    EXPECT_EQ(dialog.label(i)->font().weight(), QFont::Bold);
    EXPECT_EQ(dialog.page(i)->isVisibleTo(&dialog), i == 3) << i;
  }
  dialog.ShowPage(kPageSiteSurvey);  // the current page: nothing happens
  EXPECT_EQ(refreshes, 1);
  dialog.ShowPage(kPageReload);
  EXPECT_EQ(dialog.currentPage(), kPageReload);
  EXPECT_TRUE(dialog.page(0)->isVisibleTo(&dialog));
  EXPECT_EQ(dialog.label(0)->textColour(), QColor(Qt::black));
  dialog.ShowPage(7);  // no such page: all hidden
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(dialog.page(i)->isVisibleTo(&dialog));
}

// Records the order of reloads across pages.
class ReloadRecorder : public ConfigPage {
 public:
  ReloadRecorder(int index, QWidget* frame, std::vector<int>& log)
      : ConfigPage(QString(), frame), index_(index), log_(log) {}
  void Reload() override { log_.push_back(index_); }

 private:
  int index_;
  std::vector<int>& log_;
};

TEST(ConfigDialog, IndexNineReloadsSecurityThenConfiguration) {
  ConfigDialog dialog;
  std::vector<int> reloads;
  dialog.SetPageFactory([&](int index, QWidget* frame) -> ConfigPage* {
    return new ReloadRecorder(index, frame, reloads);
  });
  dialog.OpenPages();
  dialog.ShowPage(kPageReload);
  EXPECT_EQ(reloads, std::vector<int>({kPageSecurity, kPageConfiguration}));
  dialog.ShowPage(kPageReload);  // already 9: ignored
  EXPECT_EQ(reloads.size(), 2u);
  Q_EMIT dialog.page(kPageSecurity)->showPageRequested(kPageAbout);  // a page asks for a page
  EXPECT_EQ(dialog.currentPage(), kPageAbout);
}

TEST(ConfigDialog, PagesKeepTheirOwnSizeAtTheFrameCorner) {
  ConfigDialog dialog;
  dialog.SetPageFactory([](int index, QWidget* frame) -> ConfigPage* {
    auto* page = new ConfigPage(QString(), frame);
    if (index == kPageAbout) page->resize(120, 80);
    return page;
  });
  dialog.OpenPages();
  const QWidget* frame = dialog.findChild<QWidget*>(QStringLiteral("pageFrame"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(dialog.page(kPageAbout)->size(), QSize(120, 80));
  EXPECT_EQ(dialog.page(kPageAbout)->pos(), frame->contentsRect().topLeft());
  EXPECT_EQ(dialog.page(kPageLinkInfo)->size(), kPageSize);
  EXPECT_TRUE(frame->contentsRect().contains(dialog.page(kPageLinkInfo)->geometry()));
}

TEST(ConfigDialog, LabelsAreSetUpAtEveryOpening) {
  ConfigDialog dialog;
  dialog.OpenPages();
  LabelStatic* about = dialog.label(kPageAbout);
  about->SetMouseInside(true);  // the pointer was over it when the window closed
  about->SetHoverHighlight(false);
  about->SetUnderline(false);
  about->setCursor(Qt::ArrowCursor);
  dialog.OpenPages();
  EXPECT_FALSE(about->mouseInside());
  EXPECT_TRUE(about->font().underline());
  EXPECT_EQ(about->cursor().shape(), Qt::PointingHandCursor);
  about->SetMouseInside(true);
  EXPECT_EQ(about->shownColour(), QColor(0, 0, 255));  // hover highlighting is on again
}

TEST(ConfigDialog, KeyboardSwitchesPagesLikeTabs) {
  ConfigDialog dialog;
  dialog.OpenWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClick(&dialog, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(dialog.currentPage(), 1);
  QTest::keyClick(&dialog, Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(dialog.currentPage(), 2);
  QTest::keyClick(&dialog, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(dialog.currentPage(), 1);
  QTest::keyClick(&dialog, Qt::Key_PageUp, Qt::ControlModifier);
  QTest::keyClick(&dialog, Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(dialog.currentPage(), 4);  // wraps around
  // A page label reached with Tab opens its page with Space.
  dialog.label(kPageSecurity)->setFocus(Qt::TabFocusReason);
  QTest::keyClick(dialog.label(kPageSecurity), Qt::Key_Space);
  EXPECT_EQ(dialog.currentPage(), kPageSecurity);
  EXPECT_EQ(dialog.label(kPageSecurity)->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
  // The focus shows as a frame, not in the hover colour.
  EXPECT_NE(dialog.label(kPageSecurity)->frameStyle(), int(QFrame::NoFrame));
  EXPECT_EQ(dialog.label(kPageSecurity)->shownColour(), QColor(Qt::black));
  dialog.label(kPageAbout)->setFocus(Qt::OtherFocusReason);  // not by the keyboard: no cue
  EXPECT_EQ(dialog.label(kPageSecurity)->frameStyle(), int(QFrame::NoFrame));
  EXPECT_EQ(dialog.label(kPageAbout)->frameStyle(), int(QFrame::NoFrame));
  EXPECT_EQ(dialog.label(kPageAbout)->shownColour(), kGrey);
  dialog.done(QDialog::Accepted);
}

TEST(ConfigDialog, PageLabelsAreAccessiblePageTabs) {
  ConfigDialog dialog;
  dialog.OpenPages();
  dialog.ShowPage(kPageSecurity);
  for (int i = 0; i < 5; ++i) {
    QAccessibleInterface* tab = QAccessible::queryAccessibleInterface(dialog.label(i));
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->role(), QAccessible::PageTab) << i;
    EXPECT_EQ(tab->text(QAccessible::Name), dialog.label(i)->text());
    EXPECT_EQ(tab->state().selected, i == kPageSecurity) << i;
  }
  QAccessibleInterface* about = QAccessible::queryAccessibleInterface(dialog.label(kPageAbout));
  ASSERT_NE(about->actionInterface(), nullptr);
  about->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(dialog.currentPage(), kPageAbout);
}

TEST(ConfigDialog, ShownLabelIsPaintedBlackOthersGrey) {
  ConfigDialog dialog;
  dialog.OpenPages();
  dialog.ShowPage(kPageConfiguration);
  // The darkest pixel of each label is its text colour.
  auto darkest = [](const QImage& image) {
    int best = 255 * 3;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        best = std::min(best, c.red() + c.green() + c.blue());
      }
    }
    return best;
  };
  EXPECT_LT(darkest(dialog.label(kPageConfiguration)->grab().toImage()), 60);
  EXPECT_GE(darkest(dialog.label(kPageAbout)->grab().toImage()), 3 * 80);  // grey, readable
}

TEST(ConfigDialog, LabelClicksSwitchPages) {
  ConfigDialog dialog;
  dialog.OpenPages();
  dialog.show();
  QTest::mouseClick(dialog.label(4), Qt::LeftButton);
  EXPECT_EQ(dialog.currentPage(), 4);
  dialog.hide();
}

TEST(ConfigDialog, EscapeAndCloseRequestsDoNotEndTheWindow) {
  ConfigDialog dialog;
  bool stillOpen = false;
  QTimer::singleShot(0, &dialog, [&] {
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();  // a close request from code
    stillOpen = dialog.isVisible();
    dialog.done(QDialog::Accepted);
  });
  dialog.Run();
  EXPECT_TRUE(stillOpen);
}

TEST(ConfigDialog, MinimisingEndsTheWindow) {
  ConfigDialog dialog;
  QTimer::singleShot(0, &dialog, [&] { dialog.setWindowState(Qt::WindowMinimized); });
  QTimer failsafe;
  failsafe.setSingleShot(true);
  QObject::connect(&failsafe, &QTimer::timeout, &dialog, [&] { dialog.done(-1); });
  failsafe.start(5000);
  EXPECT_EQ(dialog.Run(), QDialog::Accepted);
}

TEST(ConfigDialog, CloseWithPopupsClosesNestedDialogsAndMessageBoxes) {
  ConfigDialog dialog;
  bool innerReturned = false;
  bool boxReturned = false;
  QTimer::singleShot(0, &dialog, [&] {
    QDialog inner(&dialog);
    QTimer::singleShot(0, &inner, [&] {
      QMessageBox box(QMessageBox::Information, QStringLiteral("Warning"),
                      QStringLiteral("WEP key 1 size mistake!"), QMessageBox::Ok, &inner);
      QTimer::singleShot(0, &dialog, [&] { dialog.CloseWithPopups(); });
      box.exec();
      boxReturned = true;
    });
    inner.exec();
    innerReturned = true;
  });
  dialog.Run();
  EXPECT_TRUE(boxReturned);
  EXPECT_TRUE(innerReturned);
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace nv
