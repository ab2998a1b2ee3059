#include "platform/default_ports.h"

#include "platform/sqlite_registry.h"
#include "posix_ports.h"
#include "unix_socket.h"

namespace nv {

DefaultPorts MakeDefaultPorts(int exchangeDeadlineMs) {
  DefaultPorts ports;
  auto link = std::make_unique<PosixDeviceLink>(exchangeDeadlineMs);
  auto probe = std::make_unique<PosixAdapterProbe>(exchangeDeadlineMs);
  ports.linkRefusal = [l = link.get(), p = probe.get()] {
    return l->refusal().empty() ? p->refusal() : l->refusal();
  };
  ports.link = std::move(link);
  ports.probe = std::move(probe);
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
