#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/sqlite_registry.h"

namespace nv {

std::string DefaultRegistryPath() {
  if (const char* path = std::getenv("WLANMON_REGISTRY"); path && *path) return path;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
    return std::string(data) + "/wlanmon/registry.db";
  }
  std::string home;
  if (const char* h = std::getenv("HOME"); h && *h) {
    home = h;
  } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
    home = pw->pw_dir;
  }
  return home + "/.local/share/wlanmon/registry.db";
}

}  // namespace nv
