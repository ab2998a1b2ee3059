// WEP key rules shared by every window that edits keys: sizes, the two text formats, the
// length check and its message, and keys generated from a passphrase.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/records.h"

namespace nv {

// The sizes and formats (kKeySize64..., kKeyFormatHex) are in adapter/records.h; what the
// windows show of them in logic/options.h.
inline constexpr int32_t kKeyBytesBySize[] = {5, 13, 29};

// Characters a key of this size needs in this format; 0 for an unknown size or format.
int32_t RequiredKeyChars(int sizeIndex, int formatIndex);

// Converts typed key text into a slot (bytes beyond the slot's 128 are dropped).
void KeyTextToBytes(std::string_view text, int formatIndex, WepKeySlot& slot);

struct KeyText {
  std::string text;  // upper-case hex of every stored byte
  int sizeIndex;     // -1: the length fits no size; leave the size list as it is
  int boxLimit;      // characters the key box takes; 0 with sizeIndex -1
};
KeyText KeyBytesToText(const WepKeySlot& slot);

struct KeyBoxInput {
  std::string_view text;
  int sizeIndex;
};

struct KeyCheckResult {
  bool ok;
  int failingKey;    // 1..4 when !ok
  int32_t required;  // characters that key needs
  std::string message;
};

// Checks keys 1..4 in order; the first failure stops the check.
KeyCheckResult CheckKeyLengths(const std::array<KeyBoxInput, 4>& keys, int formatIndex,
                               int defaultKey);

// Four keys in HEX text; empty for an empty passphrase or an unknown size. `trace` receives
// the 64-bit generator's diagnostic lines when given.
std::vector<std::string> GenerateKeysFromPassphrase(std::string_view passphrase, int sizeIndex,
                                                    std::string* trace = nullptr);

}  // namespace nv
