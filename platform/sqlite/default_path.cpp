#include <cstdlib>

#include "directories.h"
#include "platform/sqlite_registry.h"

namespace nv {

std::string DefaultRegistryPath() {
  if (const char* path = std::getenv("WLANMON_REGISTRY"); path && *path) return path;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
    return std::string(data) + "/wlanmon/registry.db";
  }
  return posix::HomeDirectory() + "/.local/share/wlanmon/registry.db";
}

}  // namespace nv
