// wlanctl: the command-line companion of the Netvane Wireless LAN Monitor.
#include <iostream>

#include "cli/wlanctl.h"
#include "platform/default_ports.h"

int main(int argc, char** argv) {
  nv::DefaultPorts ports = nv::MakeDefaultPorts();
  if (!ports.registry) {
    std::cerr << "wlanctl: " << ports.error << "\n";
    return nv::cli::kExitFailed;
  }
  nv::AdapterIo io(nv::Ports{*ports.link, *ports.probe, *ports.system, *ports.registry});
  nv::cli::Context context{io, std::cout, std::cerr};
  return nv::cli::Run({argv + 1, argv + argc}, context);
}
