// wlanmon: the Netvane Wireless LAN Monitor tray program.
#include <QApplication>
#include <cstdio>

#include "platform/default_ports.h"
#include "shell/icons.h"
#include "shell/main_frame.h"
#include "shell/single_instance.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("MORWEN"));
  QApplication::setApplicationName(QStringLiteral("wlanmon"));
  QApplication::setQuitOnLastWindowClosed(false);  // closing the window leaves the tray
  QApplication::setWindowIcon(nv::MakeIcon(nv::kIconApplication));

  std::string error;
  const std::string runtime = nv::PrivateRuntimeDirectory(&error);
  if (runtime.empty()) {
    std::fprintf(stderr, "wlanmon: %s\n", error.c_str());
    return 1;
  }
  // A second start beeps and ends before it shows anything, leaving the first alone.
  nv::SingleInstance instance(QString::fromStdString(runtime + "/wlanmon.lock"));
  if (!instance.Acquire()) {
    QApplication::beep();
    std::fputs("wlanmon: already running\n", stderr);
    return 0;
  }
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
