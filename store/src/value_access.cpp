#include "store/value_access.h"

#include <array>
#include <cstring>
#include <string>

#include "platform/win32_codes.h"

namespace nv {

namespace {

// Reads a value into a zero-filled 1024-byte buffer; false when it cannot be used.
bool ReadRaw(Registry& registry, RegKey key, std::string_view name,
             std::array<uint8_t, kValueBufferBytes>& buffer, uint32_t* type, uint32_t* size) {
  buffer.fill(0);
  *size = kValueBufferBytes;
  const int32_t rc = registry.QueryValue(key, name, type, buffer.data(), size);
  return rc == win::kErrorSuccess && *size != 0;
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

bool ParseLeadingInt(std::string_view text, int32_t* value) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  const size_t digits = i;
  uint32_t result = 0;  // wraps like the C library's conversion to int
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    result = result * 10 + static_cast<uint32_t>(text[i++] - '0');
  }
  if (i == digits) return false;
  *value = static_cast<int32_t>(negative ? 0u - result : result);
  return true;
}

int32_t ReadNumberValue(Registry& registry, RegKey key, std::string_view name, int32_t fallback) {
  std::array<uint8_t, kValueBufferBytes> buffer{};
  uint32_t type = 0;
  uint32_t size = 0;
  if (!ReadRaw(registry, key, name, buffer, &type, &size)) return fallback;
  if (type == kRegDword) {
    return static_cast<int32_t>(buffer[0] | buffer[1] << 8 | buffer[2] << 16 |
                                static_cast<uint32_t>(buffer[3]) << 24);
  }
  const auto* text = reinterpret_cast<const char*>(buffer.data());
  int32_t value = 0;
  return ParseLeadingInt({text, strnlen(text, size)}, &value) ? value : fallback;
}

std::string ReadTextValue(Registry& registry, RegKey key, std::string_view name,
                          std::string_view fallback) {
  std::array<uint8_t, kValueBufferBytes> buffer{};
  uint32_t type = 0;
  uint32_t size = 0;
  if (!ReadRaw(registry, key, name, buffer, &type, &size)) return std::string(fallback);
  const auto* text = reinterpret_cast<const char*>(buffer.data());
  return {text, strnlen(text, size)};
}

int32_t WriteNumberText(Registry& registry, RegKey key, std::string_view name, int32_t value) {
  return WriteTextValue(registry, key, name, std::to_string(value));
}

int32_t WriteDwordValue(Registry& registry, RegKey key, std::string_view name, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  const uint8_t bytes[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                            static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
  return registry.SetValue(key, name, kRegDword, bytes, 4);
}

int32_t WriteTextValue(Registry& registry, RegKey key, std::string_view name,
                       std::string_view text) {
  return registry.SetValue(key, name, kRegSz, reinterpret_cast<const uint8_t*>(text.data()),
                           static_cast<uint32_t>(text.size()));
}

}  // namespace nv
