// The core's ports as a program on Linux has them: the POSIX device link, probe and system,
// and the registry file of a running test daemon.
#pragma once

#include <memory>

#include "adapter/adapter_io.h"
#include "platform/sqlite_registry.h"
#include "posix_ports.h"
#include "sim_daemon.h"

namespace nv::test {

struct SocketPorts {
  // `system` may be replaced (a clock that steps the daemon, say); null keeps the POSIX one.
  explicit SocketPorts(SimDaemon& daemon, SystemPort* system = nullptr);
  PosixDeviceLink link;
  PosixAdapterProbe probe;
  PosixSystem posixSystem;
  std::unique_ptr<SqliteRegistry> registry;
  std::unique_ptr<AdapterIo> io;
};

}  // namespace nv::test
