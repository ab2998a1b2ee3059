// Little-endian field access on byte buffers; layouts are read and written field by field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace nv::le {

inline uint32_t Get32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
         static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

inline int32_t GetS32(std::span<const uint8_t> b, size_t at) {
  return static_cast<int32_t>(Get32(b, at));
}

inline void Put32(std::span<uint8_t> b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
  b[at + 2] = static_cast<uint8_t>(v >> 16);
  b[at + 3] = static_cast<uint8_t>(v >> 24);
}

}  // namespace nv::le
