// The stored form of WEP keys: each key byte XORed with a fixed text, written as lower-case
// hexadecimal pairs in reverse byte order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nv {

inline constexpr std::string_view kScrambleText = "pwqmx47e&5<b+r(hk8]f=t2;\"g_vn3/s~y%#QZ7";
inline constexpr int32_t kMaxStoredKeyBytes = 32;

// At most the first 32 bytes are stored; a count of 0 or less gives the empty text.
std::string ScrambleKey(const uint8_t* bytes, int32_t count);
// Returns the text's byte count (length / 2) and writes those bytes, as far as `capacity`
// allows, into `out`. An odd text's first character is ignored.
int32_t UnscrambleKey(std::string_view text, uint8_t* out, size_t capacity);

}  // namespace nv
