// wlanctl: the command-line companion of the Netvane Wireless LAN Monitor.
#include <iostream>

#include "cli/wlanctl.h"
#include "platform/default_ports.h"
#include "stop_signals.h"
#include "terminal.h"

int main(int argc, char** argv) {
  nv::DefaultPorts ports = nv::MakeDefaultPorts(2000);  // no exchange may hang the command
  if (!ports.registry) {
    std::cerr << "wlanctl: " << ports.error << "\n";
    return nv::cli::kExitFailed;
  }
  nv::AdapterIo io(nv::Ports{*ports.link, *ports.probe, *ports.system, *ports.registry});
  nv::cli::Context context{io, std::cout, std::cerr};
  context.in = &std::cin;
  if (nv::cli::StdinIsTerminal()) context.askSecret = nv::cli::ReadHiddenLine;
  context.linkRefusal = ports.linkRefusal;
  context.registryBusy = ports.registryBusy;
  context.outputClosed = nv::cli::StandardOutputClosed;
  return nv::cli::Run({argv + 1, argv + argc}, context);
}
