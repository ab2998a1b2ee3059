#include "socket_ports.h"

namespace nv::test {

SocketPorts::SocketPorts(SimDaemon& daemon, SystemPort* system)
    : registry(SqliteRegistry::OpenFile(daemon.registryPath(), nullptr)) {
  if (registry) {
    io = std::make_unique<AdapterIo>(Ports{link, probe, system ? *system : posixSystem, *registry});
  }
}

}  // namespace nv::test
