// Time from the tray's double click to the configuration window painted on its Link Info page,
// against wlansim: the first opening (cold) and the median of the next ones. Runs on whatever
// Qt platform is set (xcb under Xvfb for the figure that counts, or offscreen).
// Usage: window_open_bench [OPENINGS]
#include <QApplication>
#include <QEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "shell/main_frame.h"
#include "sim_daemon.h"
#include "socket_ports.h"

namespace {

using Clock = std::chrono::steady_clock;

class PaintWatch : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return QObject::eventFilter(watched, event);
  }
};

double OpenOnce(nv::CMainFrame& frame, nv::ConfigDialog& dialog) {
  PaintWatch watch;
  const auto start = Clock::now();
  frame.OpenOrRaiseConfigWindow();  // what the double click runs
  dialog.page(nv::kPageLinkInfo)->installEventFilter(&watch);
  const auto deadline = start + std::chrono::seconds(5);
  while (!watch.painted && Clock::now() < deadline) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  dialog.done(QDialog::Accepted);
  QCoreApplication::processEvents();  // the pages go
  return watch.painted ? ms : -1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int openings = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
  nv::test::SimDaemon daemon;
  nv::test::SocketPorts ports(daemon);
  if (!daemon.running() || !ports.io) {
    std::fputs("window_open_bench: wlansim did not start\n", stderr);
    return 1;
  }
  daemon.Ctl("step 3000");  // associated: every field of the page has something to show
  nv::AppState state;
  nv::ConfigDialog dialog;
  nv::CMainFrame frame(*ports.io, state, dialog);
  frame.Start();
  frame.Tick();
  std::vector<double> times;
  times.reserve(static_cast<size_t>(openings));
  for (int i = 0; i < openings; ++i) times.push_back(OpenOnce(frame, dialog));
  const double first = times.front();
  std::vector<double> rest(times.begin() + 1, times.end());
  std::sort(rest.begin(), rest.end());
  std::printf(
      "double click to Link Info painted (%s): first %.1f ms, median of %zu more %.1f ms,"
      " worst %.1f ms\n",
      QApplication::platformName().toUtf8().constData(), first, rest.size(), rest[rest.size() / 2],
      rest.back());
  frame.ExitProgram();
  return first < 0 ? 1 : 0;
}
