// The ports a program uses on this platform: on Windows the Win32 services, elsewhere the
// virtual adapter's socket and the SQLite registry.
#pragma once

#include <memory>
#include <string>

#include "platform/adapter_probe.h"
#include "platform/device_link.h"
#include "platform/registry.h"
#include "platform/system_port.h"

namespace nv {

struct DefaultPorts {
  std::unique_ptr<DeviceLink> link;
  std::unique_ptr<AdapterProbe> probe;
  std::unique_ptr<SystemPort> system;
  std::unique_ptr<Registry> registry;  // null when it could not be opened (see error)
  std::string error;
};

DefaultPorts MakeDefaultPorts();

// A directory private to this user for the program's lock and sockets, created if needed;
// empty with a message in `error` when it cannot be had.
std::string PrivateRuntimeDirectory(std::string* error);

}  // namespace nv
