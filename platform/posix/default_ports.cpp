#include "platform/default_ports.h"

#include "platform/sqlite_registry.h"
#include "posix_ports.h"
#include "unix_socket.h"

namespace nv {

DefaultPorts MakeDefaultPorts(int exchangeDeadlineMs, int registryWaitMs) {
  SqliteRegistry::SetBusyWaitMs(registryWaitMs);
  DefaultPorts ports;
  ports.link = std::make_unique<PosixDeviceLink>(exchangeDeadlineMs);
  ports.probe = std::make_unique<PosixAdapterProbe>(exchangeDeadlineMs);
  ports.linkRefusal = [] { return posix::LastRefusal(); };
  ports.system = std::make_unique<PosixSystem>();
  ports.registry = SqliteRegistry::OpenFile(DefaultRegistryPath(), &ports.error);
  ports.registryBusy = [] { return SqliteRegistry::BusyGiveUps() > 0; };
  return ports;
}

std::string PrivateRuntimeDirectory(std::string* error) {
  const std::string dir = posix::RuntimeDir();
  return posix::EnsurePrivateDir(dir, error) ? dir : std::string();
}

}  // namespace nv
