#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>

#include "ui/config_dialog.h"

namespace nv {
namespace {

const QColor kGrey(128, 128, 128);

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
  EXPECT_EQ(dialog.page(kPageSecurity)->reloads(), 0);  // empty pages count nothing
  EXPECT_EQ(dialog.currentPage(), kPageReload);
  EXPECT_TRUE(dialog.page(0)->isVisibleTo(&dialog));
  EXPECT_EQ(dialog.label(0)->textColour(), QColor(Qt::black));
  dialog.ShowPage(7);  // no such page: all hidden
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(dialog.page(i)->isVisibleTo(&dialog));
}

class ReloadCounter : public ConfigPage {
 public:
  using ConfigPage::ConfigPage;
  void Reload() override { ++reloads_; }
};

TEST(ConfigDialog, IndexNineReloadsSecurityAndConfiguration) {
  ConfigDialog dialog;
  dialog.SetPageFactory([](int, QWidget* frame) { return new ReloadCounter(QString(), frame); });
  dialog.OpenPages();
  dialog.ShowPage(kPageReload);
  EXPECT_EQ(dialog.page(kPageSecurity)->reloads(), 1);
  EXPECT_EQ(dialog.page(kPageConfiguration)->reloads(), 1);
  EXPECT_EQ(dialog.page(kPageLinkInfo)->reloads(), 0);
  dialog.ShowPage(kPageReload);  // already 9: ignored
  EXPECT_EQ(dialog.page(kPageSecurity)->reloads(), 1);
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
