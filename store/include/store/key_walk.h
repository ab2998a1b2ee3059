// One walk over the subkey names of an open registry key, in enumeration order. The profile
// store and wlanctl's registry export both walk with it; each decides what a failing index
// means for it.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/registry.h"
#include "platform/win32_codes.h"

namespace nv {

// Windows' key names have at most 255 characters, and the buffer takes the terminator.
inline constexpr uint32_t kMaxKeyNameBuffer = 256;

// Calls visit(index, rc, name, length) for index 0, 1, ... until EnumKey answers "no more
// items" or `visit` returns false. `rc` is EnumKey's result for the index; `name` is a
// zero-filled buffer of `bufferSize` characters (at most kMaxKeyNameBuffer) that EnumKey
// filled, `length` the name's length it reported.
template <typename Visit>
void WalkSubkeys(Registry& registry, RegKey key, uint32_t bufferSize, Visit&& visit) {
  for (uint32_t index = 0;; ++index) {
    char name[kMaxKeyNameBuffer] = {};
    uint32_t length = std::min(bufferSize, kMaxKeyNameBuffer);
    const int32_t rc = registry.EnumKey(key, index, name, &length);
    if (rc == win::kErrorNoMoreItems) return;
    if (!visit(index, rc, name, length)) return;
  }
}

}  // namespace nv
