#include "store/key_scramble.h"

#include <cstdio>
#include <cstdlib>

namespace nv {

namespace {
uint8_t ScrambleByte(size_t i) {
  return static_cast<uint8_t>(kScrambleText[i % kScrambleText.size()]);
}
}  // namespace

std::string ScrambleKey(const uint8_t* bytes, int32_t count) {
  const int32_t stored = count < kMaxStoredKeyBytes ? count : kMaxStoredKeyBytes;
  if (stored <= 0) return {};
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(static_cast<size_t>(stored) * 2, '0');
  for (size_t i = 0; i < static_cast<size_t>(stored); ++i) {
    const uint8_t v = bytes[i] ^ ScrambleByte(i);
    const size_t at = text.size() - 2 - 2 * i;  // byte 0 ends the text
    text[at] = kDigits[v >> 4];
    text[at + 1] = kDigits[v & 0xF];
  }
  return text;
}

int32_t UnscrambleKey(std::string_view text, uint8_t* out, size_t capacity) {
  const size_t count = text.size() / 2;
  for (size_t i = 0; i < count && i < capacity; ++i) {
    const size_t at = text.size() - 2 - 2 * i;
    // strtoul semantics on the pair: a non-digit ends the number early.
    const char pair[3] = {text[at], text[at + 1], '\0'};
    const auto v = static_cast<uint8_t>(std::strtoul(pair, nullptr, 16));
    out[i] = v ^ ScrambleByte(i);
  }
  return static_cast<int32_t>(count);
}

}  // namespace nv
