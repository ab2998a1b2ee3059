#include "platform/default_ports.h"

#include "win32_ports.h"

namespace nv {

// DeviceIoControl on the real driver is synchronous; the registry has no busy state to wait on.
DefaultPorts MakeDefaultPorts(int, int) {
  DefaultPorts ports;
  ports.link = std::make_unique<Win32DeviceLink>();
  ports.probe = std::make_unique<Win32AdapterProbe>();
  ports.system = std::make_unique<Win32System>();
  ports.registry = std::make_unique<Win32Registry>();
  return ports;
}

std::string PrivateRuntimeDirectory(std::string* error) {
  // The user's own local application data folder, which other users cannot read.
  char base[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableA("LOCALAPPDATA", base, sizeof base);
  if (n == 0 || n >= sizeof base) {
    *error = "LOCALAPPDATA is not set";
    return {};
  }
  const std::string dir = std::string(base) + "\\Netvane";
  if (!CreateDirectoryA(dir.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    *error = "cannot create " + dir;
    return {};
  }
  return dir;
}

}  // namespace nv
