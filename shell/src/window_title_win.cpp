// Top-level windows by title on Windows: what an installer or an older build also uses.
#include <windows.h>

#include "shell/single_instance.h"

namespace nv {

bool TopLevelWindowExists(const char* title) { return FindWindowA(nullptr, title) != nullptr; }

}  // namespace nv
