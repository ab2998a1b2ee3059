// The tray program's frame against a real wlansim with the virtual clock; ticks by hand.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <csignal>
#include <cstdio>
#include <future>

#include "shell/icons.h"
#include "shell/instance_channel.h"
#include "shell/main_frame.h"
#include "sim_daemon.h"
#include "socket_ports.h"
#include "temp_dir.h"

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

// A unix socket of this process's user, or of `uid` (then the socket is another user's); -1
// when it cannot be had.
int SocketAs(const std::string& path, uid_t uid, bool listening) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  const auto* at = reinterpret_cast<const sockaddr*>(&address);
  if (setresuid(uid, uid, uid) != 0) return -1;  // credentials of connect() and listen()
  if (listening) return bind(fd, at, sizeof address) == 0 && listen(fd, 1) == 0 ? fd : -1;
  return connect(fd, at, sizeof address) == 0 ? fd : -1;
}

// The running side serves while a second start asks from another thread.
OpenReply AskWhileServing(const std::string& dir) {
  auto reply = std::async(std::launch::async, AskLockHolderToOpen, dir);
  while (reply.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready) {
    QCoreApplication::processEvents();  // the ask gives up after its own deadline
  }
  return reply.get();
}

TEST(InstanceChannel, OpensForThisUserAndNeitherServesNorBelievesAnother) {
  const test::TempDir dir;
  QWidget frame;
  bool windowShown = true;
  int opens = 0;
  InstanceChannel channel(frame, [&] {
    ++opens;
    return windowShown;
  });
  std::string error;
  ASSERT_TRUE(channel.Listen(dir.path(), &error)) << error;
  EXPECT_EQ(AskWhileServing(dir.path()), OpenReply::kShown);
  windowShown = false;
  EXPECT_EQ(AskWhileServing(dir.path()), OpenReply::kNoWindow);
  EXPECT_EQ(opens, 2);
  if (geteuid() != 0) GTEST_SKIP() << "needs root to play another user";
  constexpr uid_t kNobody = 65534;
  // Opened up so that another user reaches the socket: the channel itself refuses the peer.
  chmod(dir.path().c_str(), 0755);
  chmod(dir.File("wlanmon.socket").c_str(), 0666);
  const pid_t peer = fork();
  if (peer == 0) {
    alarm(5);
    const int fd = SocketAs(dir.File("wlanmon.socket"), kNobody, false);
    if (fd < 0) _exit(2);
    char reply[16];
    const bool served = send(fd, "open\n", 5, MSG_NOSIGNAL) == 5 && read(fd, reply, 16) > 0;
    _exit(served ? 0 : 1);
  }
  int status = 0;
  while (waitpid(peer, &status, WNOHANG) == 0) QCoreApplication::processEvents();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;  // reached, not served
  EXPECT_EQ(opens, 2);
  // A listener of another user where the lock holder's socket should be is not believed.
  const test::TempDir theirs;
  ASSERT_EQ(chown(theirs.path().c_str(), kNobody, kNobody), 0);
  const pid_t listener = fork();
  if (listener == 0) {
    alarm(5);
    const int fd = SocketAs(theirs.File("wlanmon.socket"), kNobody, true);
    const int client = fd < 0 ? -1 : accept(fd, nullptr, nullptr);
    char request[16];
    _exit(client >= 0 && read(client, request, sizeof request) > 0 &&
          send(client, "shown\n", 6, MSG_NOSIGNAL));
  }
  EXPECT_EQ(AskLockHolderToOpen(theirs.path()), OpenReply::kNoAnswer);
  kill(listener, SIGKILL);
  waitpid(listener, nullptr, 0);
}

}  // namespace
}  // namespace nv
