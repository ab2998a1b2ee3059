// wlanmon: the Netvane Wireless LAN Monitor tray program.
#include <QApplication>
#include <cstdio>

#include "logic/settings_lock.h"
#include "platform/default_ports.h"
#include "shell/display_check.h"
#include "shell/icons.h"
#include "shell/instance_channel.h"
#include "shell/main_frame.h"
#include "shell/single_instance.h"
#include "sim/in_process.h"

namespace {

// A second start hands its request to the running program and ends; it beeps only when no
// window comes of it.
int SecondStart(nv::OpenReply reply) {
  switch (reply) {
    case nv::OpenReply::kShown:
      std::fputs("wlanmon: already running; its configuration window is in front\n", stderr);
      return 0;
    case nv::OpenReply::kNoWindow:
      QApplication::beep();
      std::fputs("wlanmon: already running; no adapter is found, so there is no window to show\n",
                 stderr);
      return 0;
    case nv::OpenReply::kCannotAsk:
      QApplication::beep();
      std::fputs("wlanmon: already running\n", stderr);
      return 0;
    case nv::OpenReply::kNoAnswer:
      break;
  }
  QApplication::beep();
  std::fputs("wlanmon: already running, but it did not answer the request to open its window\n",
             stderr);
  return 1;
}

std::vector<std::string> Arguments() {
  std::vector<std::string> arguments;
  for (const QString& argument : QCoreApplication::arguments())
    arguments.push_back(argument.toStdString());
  return arguments;
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
  if (!instance.Acquire()) return SecondStart(nv::AskLockHolderToOpen(runtime));
  // An instance that shows itself only by its frame's title (another build, another lock).
  if (nv::TopLevelWindowExists(nv::kMainFrameTitle)) return SecondStart(nv::AskFrameOwnerToOpen());
  // The window must not freeze: short waits on the daemon and on a database held elsewhere.
  nv::DefaultPorts ports = nv::MakeDefaultPorts(250, nv::kWindowLockWaitMs);
  if (!ports.registry) {
    std::fprintf(stderr, "wlanmon: %s\n", ports.error.c_str());
    return 1;
  }
  // The driver, or the virtual adapter inside this process (--virtual-adapter [SCENARIO]).
  std::unique_ptr<nv::InProcessAdapter> virtualAdapter;
  const nv::AdapterChoice choice = nv::ChooseAdapter(Arguments());
  if (choice.virtualAdapter) {
    virtualAdapter =
        nv::InProcessAdapter::Start(choice.scenarioPath, *ports.registry, *ports.system, &error);
    if (!virtualAdapter) {
      std::fprintf(stderr, "wlanmon: %s\n", error.c_str());
      return 1;
    }
  }
  nv::DeviceLink& link = virtualAdapter ? virtualAdapter->link() : *ports.link;
  nv::AdapterProbe& probe = virtualAdapter ? virtualAdapter->probe() : *ports.probe;
  nv::AdapterIo io(nv::Ports{link, probe, *ports.system, *ports.registry});

  nv::AppState state;
  nv::ConfigDialog dialog;
  nv::CMainFrame frame(io, state, dialog);
  frame.Start();
  nv::InstanceChannel channel(frame, [&frame] { return frame.OpenOrRaiseConfigWindow(); });
  if (!channel.Listen(runtime, &error)) {
    std::fprintf(stderr, "wlanmon: a second start cannot open the window: %s\n", error.c_str());
  }
  return QApplication::exec();
}
