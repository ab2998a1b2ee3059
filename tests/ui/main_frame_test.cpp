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
  // A native window others can find by its title, never shown.
  EXPECT_TRUE(frame.testAttribute(Qt::WA_WState_Created));
  EXPECT_FALSE(frame.isVisible());
  // No D-Bus tray here: a single activation is half a double click and opens nothing.
  Q_EMIT frame.tray()->activated(QSystemTrayIcon::Trigger);
  EXPECT_FALSE(state.configWindowOpen);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(frame.tray()->toolTip(), QStringLiteral("WLAN Monitor"));
  frame.Tick();
  EXPECT_EQ(frame.tray()->toolTip(), QStringLiteral("WLAN Monitor\nNo Connect"));
  daemon.Ctl("step 3000");
  frame.Tick();
  EXPECT_EQ(frame.monitor().shownIcon(), 133);
  EXPECT_EQ(frame.tray()->toolTip(),
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
  EXPECT_EQ(frame.tray()->toolTip(), QStringLiteral("WLAN Monitor\nNo Card Found"));
  // Without an adapter there is no window to open (the tray shows a notice instead).
  EXPECT_FALSE(frame.OpenOrRaiseConfigWindow());
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(MainFrameTest, TrayStaysUsableWhileTheWindowIsOpen) {
  CMainFrame frame(*ports.io, state, dialog);
  frame.Start();
  frame.OpenOrRaiseConfigWindow();
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // nothing blocks the tray icon
  // The menu: "Open" (the default, what a double click does), "Notify on connect" (off until
  // chosen, kept in the registry), "Exit".
  ASSERT_EQ(frame.tray()->contextMenu(), &frame.menu());
  const QList<QAction*> items = frame.menu().actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->text(), QStringLiteral("Open"));
  EXPECT_EQ(frame.menu().defaultAction(), items[0]);
  EXPECT_EQ(items[1]->text(), QStringLiteral("Notify on connect"));
  EXPECT_TRUE(items[1]->isCheckable());
  EXPECT_FALSE(items[1]->isChecked());
  items[1]->trigger();
  EXPECT_TRUE(ReadNotifyOnConnect(*ports.registry));
  WriteNotifyOnConnect(*ports.registry, false);  // as wlanctl notify off does
  Q_EMIT frame.menu().aboutToShow();
  EXPECT_FALSE(items[1]->isChecked());
  EXPECT_EQ(items[2]->text(), QStringLiteral("Exit"));
  daemon.Ctl("step 3000");
  frame.Tick();  // the tooltip goes on following the link
  EXPECT_EQ(frame.tray()->toolTip(),
            QStringLiteral("WLAN Monitor\nLink Quality : Good\nSignal Strength : High"));
  dialog.ShowPage(kPageAbout);
  Q_EMIT frame.tray()->activated(QSystemTrayIcon::DoubleClick);  // open already: brought forward
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.currentPage(), kPageAbout);  // the same run, not a new one
  dialog.done(QDialog::Accepted);
  EXPECT_FALSE(state.configWindowOpen);
  items[0]->trigger();  // "Open": a new run starts on page 0
  EXPECT_TRUE(state.configWindowOpen);
  EXPECT_EQ(dialog.currentPage(), kPageLinkInfo);
  dialog.done(QDialog::Accepted);
  Q_EMIT frame.tray()->activated(QSystemTrayIcon::DoubleClick);  // so does a double click
  EXPECT_TRUE(state.configWindowOpen);
  EXPECT_EQ(dialog.currentPage(), kPageLinkInfo);
  // Exit from the menu while the window is open ends the window first, then the program.
  bool quitSeen = false;
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, &frame, [&] { quitSeen = true; });
  QTimer::singleShot(0, &frame, [&] { items[2]->trigger(); });
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
  EXPECT_TRUE(frame.tray()->isVisible());
  EXPECT_EQ(frame.monitor().shownIcon(), kIconNoCard);
  frame.ExitProgram();
  EXPECT_FALSE(frame.tray()->isVisible());
}

}  // namespace
}  // namespace nv
