// wlanctl: the command-line companion of the Netvane Wireless LAN Monitor.
#include <iostream>

#include "cli/wlanctl.h"
#include "platform/sqlite_registry.h"
#include "posix_ports.h"

int main(int argc, char** argv) {
  std::string error;
  auto registry = nv::SqliteRegistry::OpenFile(nv::DefaultRegistryPath(), &error);
  if (!registry) {
    std::cerr << "wlanctl: " << error << "\n";
    return nv::cli::kExitFailed;
  }
  nv::PosixDeviceLink link;
  nv::PosixAdapterProbe probe;
  nv::PosixSystem system;
  nv::AdapterIo io(nv::Ports{link, probe, system, *registry});
  nv::cli::Context context{io, std::cout, std::cerr};
  return nv::cli::Run({argv + 1, argv + argc}, context);
}
