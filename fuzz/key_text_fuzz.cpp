// Key and number texts as a registry or a user may hold them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "store/key_scramble.h"
#include "store/value_access.h"
#include "store/wep_keys.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  uint8_t out[128];
  const int32_t count = nv::UnscrambleKey(text, out, sizeof out);
  if (count != static_cast<int32_t>(size / 2)) __builtin_trap();
  nv::WepKeySlot slot{};
  nv::KeyTextToBytes(text, nv::kKeyFormatHex, slot);
  nv::KeyTextToBytes(text, nv::kKeyFormatAscii, slot);
  if (slot.length < 0 || slot.length > 128) __builtin_trap();
  nv::KeyBytesToText(slot);
  int32_t value = 0;
  nv::ParseLeadingInt(text, &value);
  nv::GenerateKeysFromPassphrase(text.substr(0, 32), static_cast<int>(size % 3), nullptr);
  return 0;
}
