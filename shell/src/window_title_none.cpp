// Where top-level windows cannot be listed (Wayland, other platforms): the lock file alone
// keeps the program single.
#include "shell/single_instance.h"

namespace nv {

bool TopLevelWindowExists(const char*) { return false; }

}  // namespace nv
