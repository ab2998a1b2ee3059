#include "platform/default_ports.h"

#include "platform/sqlite_registry.h"
#include "posix_ports.h"
#include "unix_socket.h"

namespace nv {

DefaultPorts MakeDefaultPorts() {
  DefaultPorts ports;
  ports.link = std::make_unique<PosixDeviceLink>();
  ports.probe = std::make_unique<PosixAdapterProbe>();
  ports.system = std::make_unique<PosixSystem>();
  ports.registry = SqliteRegistry::OpenFile(DefaultRegistryPath(), &ports.error);
  return ports;
}

std::string PrivateRuntimeDirectory(std::string* error) {
  const std::string dir = posix::RuntimeDir();
  return posix::EnsurePrivateDir(dir, error) ? dir : std::string();
}

}  // namespace nv
