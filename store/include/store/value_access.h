// Typed access to single registry values with the dot11 value set's encodings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace nv {

inline constexpr uint32_t kValueBufferBytes = 1024;

// REG_DWORD as stored; any other type as text whose leading decimal integer counts. The
// default when the value is missing, empty, too large or not a number.
int32_t ReadNumberValue(Registry& registry, RegKey key, std::string_view name, int32_t fallback);
// The stored text up to its first zero byte; the default when missing, empty or too large.
std::string ReadTextValue(Registry& registry, RegKey key, std::string_view name,
                          std::string_view fallback);
int32_t WriteNumberText(Registry& registry, RegKey key, std::string_view name, int32_t value);
int32_t WriteDwordValue(Registry& registry, RegKey key, std::string_view name, int32_t value);
// REG_SZ; the data size is the text's length without a terminating zero.
int32_t WriteTextValue(Registry& registry, RegKey key, std::string_view name,
                       std::string_view text);

// The leading decimal integer of a text, as "%d" reads it; false when there is none.
bool ParseLeadingInt(std::string_view text, int32_t* value);

}  // namespace nv
