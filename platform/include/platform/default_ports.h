// The ports a program uses on this platform: on Windows the Win32 services, elsewhere the
// virtual adapter's socket and the SQLite registry.
#pragma once

#include <cstdint>
#include <functional>
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
  // Why the device link was last refused (a runtime directory or socket of another user);
  // empty when it was not.
  std::function<std::string()> linkRefusal;
  // Whether a registry call has given up on a database another program held too long.
  std::function<bool()> registryBusy;
};

// `exchangeDeadlineMs`: how long one exchange with the driver may take before it counts as
// failed; `registryWaitMs`: how long a registry call waits for a database another program
// holds, where the registry can be held (the window's thread passes short ones, so that a
// stopped daemon or a held database cannot freeze it).
DefaultPorts MakeDefaultPorts(int exchangeDeadlineMs = 2000, int registryWaitMs = 5000);

// A directory private to this user for the program's lock and sockets, created if needed;
// empty with a message in `error` when it cannot be had.
std::string PrivateRuntimeDirectory(std::string* error);

}  // namespace nv
