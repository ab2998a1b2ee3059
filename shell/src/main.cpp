// wlanmon: the Netvane Wireless LAN Monitor tray program.
#include <QApplication>
#include <cstdio>

#include "platform/default_ports.h"
#include "shell/display_check.h"
#include "shell/icons.h"
#include "shell/main_frame.h"
#include "shell/single_instance.h"

namespace {

// A second start beeps and ends before it shows anything, leaving the first alone.
int AlreadyRunning() {
  QApplication::beep();
  std::fputs("wlanmon: already running\n", stderr);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  nv::DisplayCheck display;
  QApplication app(argc, argv);
  if (!display.Opened()) {
    std::fputs("wlanmon: cannot open a display; the tray program needs a desktop session\n",
               stderr);
    return 1;
  }
  QApplication::setOrganizationName(QStringLiteral("MORWEN"));
  // The name a D-Bus tray shows as the item's title. A display name would also be appended
  // to every window title, the frame's included.
  QApplication::setApplicationName(QStringLiteral("WLAN Monitor"));
  QApplication::setDesktopFileName(QStringLiteral("wlanmon"));
  QApplication::setQuitOnLastWindowClosed(false);  // closing the window leaves the tray
  QApplication::setWindowIcon(nv::MakeIcon(nv::kIconApplication));

  std::string error;
  const std::string runtime = nv::PrivateRuntimeDirectory(&error);
  if (runtime.empty()) {
    std::fprintf(stderr, "wlanmon: %s\n", error.c_str());
    return 1;
  }
  nv::SingleInstance instance(QString::fromStdString(runtime + "/wlanmon.lock"));
  if (!instance.Acquire()) return AlreadyRunning();
  // An instance that shows itself only by its frame's title (another build, another lock).
  if (nv::TopLevelWindowExists(nv::kMainFrameTitle)) return AlreadyRunning();
  nv::DefaultPorts ports = nv::MakeDefaultPorts(250);  // the window must not freeze
  if (!ports.registry) {
    std::fprintf(stderr, "wlanmon: %s\n", ports.error.c_str());
    return 1;
  }
  nv::AdapterIo io(nv::Ports{*ports.link, *ports.probe, *ports.system, *ports.registry});

  nv::AppState state;
  nv::ConfigDialog dialog;
  nv::CMainFrame frame(io, state, dialog);
  frame.Start();
  return QApplication::exec();
}
