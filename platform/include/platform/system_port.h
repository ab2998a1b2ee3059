// System port: GetVersionExA's platform id, GetTickCount and Sleep.
#pragma once

#include <cstdint>

namespace nv {

struct VersionInfo {
  bool ok = false;          // GetVersionExA succeeded
  uint32_t platformId = 0;  // dwPlatformId: 2 for the NT family, anything else for 9x
};

class SystemPort {
 public:
  virtual ~SystemPort() = default;
  virtual VersionInfo GetVersion() = 0;
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
};

}  // namespace nv
