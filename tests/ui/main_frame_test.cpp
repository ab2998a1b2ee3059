// The tray program's frame against a real wlansim with the virtual clock; ticks by hand.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "shell/icons.h"
#include "shell/main_frame.h"
#include "sim_daemon.h"
#include "socket_ports.h"

namespace nv {
namespace {

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(daemon.running() && ports.io); }
  test::SimDaemon daemon;
  test::SocketPorts ports{daemon};
  AppState state;
  ConfigDialog dialog;
};

TEST_F(MainFrameTest, FollowsTheLinkFromStartToAssociation) {
  CMainFrame frame(*ports.io, state, dialog);
  EXPECT_EQ(state.radioOn, 1);
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Netvane Wireless LAN Monitor"));
  EXPECT_FALSE(frame.isVisible());
  frame.Start();
  EXPECT_EQ(frame.tray().toolTip(), QStringLiteral("WLAN Monitor"));
  frame.Tick();
  EXPECT_EQ(frame.tray().toolTip(), QStringLiteral("WLAN Monitor\nNo Connect"));
  daemon.Ctl("step 3000");
  frame.Tick();
  EXPECT_EQ(frame.monitor().shownIcon(), 133);
  EXPECT_EQ(frame.tray().toolTip(),
            QStringLiteral("WLAN Monitor\nLink Quality : Good\nSignal Strength : High"));
  EXPECT_EQ(state.survey.list.count, 6);  // entering associated refreshed the survey
  EXPECT_EQ(state.survey.connectedBssIndex, 0);
  daemon.Ctl("network signal 00:0A:F5:10:00:01 40");
  frame.Tick();
  EXPECT_EQ(frame.monitor().shownIcon(), 158);
}

TEST_F(MainFrameTest, RemovingTheAdapterClosesTheOpenWindow) {
  CMainFrame frame(*ports.io, state, dialog);
  frame.Start();
  frame.OpenOrRaiseConfigWindow();  // returns at once
  EXPECT_TRUE(state.configWindowOpen);
  EXPECT_TRUE(dialog.isVisible());
  daemon.Ctl("remove");
  frame.Tick();
  EXPECT_FALSE(state.configWindowOpen);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(frame.monitor().shownIcon(), kIconNoCard);
  EXPECT_EQ(frame.tray().toolTip(), QStringLiteral("WLAN Monitor\nNo Card Found"));
}

TEST_F(MainFrameTest, TrayStaysUsableWhileTheWindowIsOpen) {
  CMainFrame frame(*ports.io, state, dialog);
  frame.Start();
  frame.OpenOrRaiseConfigWindow();
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // nothing blocks the tray icon
  ASSERT_NE(frame.tray().contextMenu(), nullptr);
  EXPECT_EQ(frame.tray().contextMenu()->actions().value(0)->text(), QStringLiteral("Exit"));
  daemon.Ctl("step 3000");
  frame.Tick();  // the tooltip goes on following the link
  EXPECT_EQ(frame.tray().toolTip(),
            QStringLiteral("WLAN Monitor\nLink Quality : Good\nSignal Strength : High"));
  dialog.ShowPage(kPageAbout);
  Q_EMIT frame.tray().activated(QSystemTrayIcon::DoubleClick);  // open already: brought forward
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.currentPage(), kPageAbout);  // the same run, not a new one
  dialog.done(QDialog::Accepted);
  EXPECT_FALSE(state.configWindowOpen);
  Q_EMIT frame.tray().activated(QSystemTrayIcon::DoubleClick);  // a new run starts on page 0
  EXPECT_TRUE(state.configWindowOpen);
  EXPECT_EQ(dialog.currentPage(), kPageLinkInfo);
  // Exit from the menu while the window is open ends the window first, then the program.
  bool quitSeen = false;
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, &frame, [&] { quitSeen = true; });
  QTimer::singleShot(0, &frame, [&] { frame.tray().contextMenu()->actions().value(0)->trigger(); });
  QTimer failsafe;
  failsafe.setSingleShot(true);
  QObject::connect(&failsafe, &QTimer::timeout, qApp, [] { QCoreApplication::exit(2); });
  failsafe.start(5000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(quitSeen);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(state.configWindowOpen);
}

TEST_F(MainFrameTest, NoDriverAtStartStillBringsUpTheIcon) {
  daemon.Stop();
  CMainFrame frame(*ports.io, state, dialog);
  EXPECT_EQ(state.radioOn, 0xFF);
  frame.Start();
  frame.Tick();
  EXPECT_TRUE(frame.tray().isVisible());
  EXPECT_EQ(frame.monitor().shownIcon(), kIconNoCard);
  frame.ExitProgram();
  EXPECT_FALSE(frame.tray().isVisible());
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
  EXPECT_GT(good.pixelColor(28, 20).green(), good.pixelColor(28, 20).red());
  EXPECT_GT(poor.pixelColor(28, 20).red(), poor.pixelColor(28, 20).blue());
  const QImage none = DrawIcon(153, 32);
  EXPECT_GT(none.pixelColor(16, 16).red(), 150);
}

}  // namespace
}  // namespace nv
