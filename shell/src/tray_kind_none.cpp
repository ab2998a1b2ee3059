// Windows and builds without Qt D-Bus: the tray reports double clicks.
#include "shell/tray_kind.h"

namespace nv {

bool TrayActivatesOnce() { return false; }

}  // namespace nv
