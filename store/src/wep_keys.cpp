#include "store/wep_keys.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "store/md5.h"

namespace nv {

namespace {

bool KeygenTraceEnabled() {
  const char* flag = std::getenv("WLANMON_TRACE_KEYGEN");
  return flag != nullptr && std::strcmp(flag, "1") == 0;
}

bool ValidSize(int sizeIndex) { return sizeIndex >= kKeySize64 && sizeIndex <= kKeySize256; }

std::string Hex(const uint8_t* bytes, size_t count) {
  std::string text;
  char pair[3];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
    text += pair;
  }
  return text;
}

std::string TraceLine(uint32_t x, uint32_t number, uint8_t byte) {
  char line[64];
  std::snprintf(line, sizeof line, "randNumber = %x key %u = %x \n", x, number, byte);
  return line;
}

std::vector<std::string> Generate64(std::string_view passphrase, std::string* trace) {
  uint8_t seed[4] = {};
  for (size_t i = 0; i < passphrase.size(); ++i) seed[i % 4] ^= static_cast<uint8_t>(passphrase[i]);
  uint32_t x = seed[0] | seed[1] << 8 | seed[2] << 16 | static_cast<uint32_t>(seed[3]) << 24;
  char first[32];
  std::snprintf(first, sizeof first, "rand %x \n", x);
  std::string log = first;
  std::vector<std::string> keys;
  for (uint32_t k = 0; k < 4; ++k) {
    uint8_t key[5];
    for (uint32_t j = 0; j < 5; ++j) {
      x = x * 214013u + 2531011u;
      key[j] = static_cast<uint8_t>(x >> 16);
      log += TraceLine(x, 4 * k + j, key[j]);
    }
    keys.push_back(Hex(key, 5));
  }
  if (trace) {
    *trace = log;
  } else if (KeygenTraceEnabled()) {
    std::fputs(log.c_str(), stdout);  // keys must not reach a session log unasked
  }
  return keys;
}

// MD5 of the passphrase (with one byte `extra` appended when extra > 0) repeated to 64 bytes.
std::array<uint8_t, 16> HashedPassphrase(std::string_view passphrase, int extra) {
  std::vector<uint8_t> m(passphrase.begin(), passphrase.end());
  if (extra > 0) m.push_back(static_cast<uint8_t>(extra));
  uint8_t block[64];
  for (size_t i = 0; i < 64; ++i) block[i] = m[i % m.size()];
  return Md5(block);
}

}  // namespace

int32_t RequiredKeyChars(int sizeIndex, int formatIndex) {
  if (!ValidSize(sizeIndex)) return 0;
  if (formatIndex == kKeyFormatAscii) return kKeyBytesBySize[sizeIndex];
  if (formatIndex == kKeyFormatHex) return 2 * kKeyBytesBySize[sizeIndex];
  return 0;
}

void KeyTextToBytes(std::string_view text, int formatIndex, WepKeySlot& slot) {
  std::memset(slot.material, 0, sizeof slot.material);
  if (formatIndex != kKeyFormatHex) {
    const size_t n = std::min(text.size(), sizeof slot.material);
    std::memcpy(slot.material, text.data(), n);
    slot.length = static_cast<int32_t>(n);
    return;
  }
  const size_t n = std::min(text.size() / 2, sizeof slot.material);
  unsigned value = 0;  // a pair with no number keeps the previous byte
  for (size_t i = 0; i < n; ++i) {
    const char pair[3] = {text[2 * i], text[2 * i + 1], '\0'};
    std::sscanf(pair, "%x", &value);
    slot.material[i] = static_cast<uint8_t>(value);
  }
  slot.length = static_cast<int32_t>(n);
}

KeyText KeyBytesToText(const WepKeySlot& slot) {
  const auto length = std::clamp<int32_t>(slot.length, 0, sizeof slot.material);
  KeyText out{Hex(slot.material, static_cast<size_t>(length)), -1, 0};
  if (length == 0 || length == 5) out = {out.text, kKeySize64, 10};
  if (length == 13) out = {out.text, kKeySize128, 26};
  if (length == 29) out = {out.text, kKeySize256, 58};
  return out;
}

KeyCheckResult CheckKeyLengths(const std::array<KeyBoxInput, 4>& keys, int formatIndex,
                               int defaultKey) {
  for (int i = 0; i < 4; ++i) {
    const int32_t required = RequiredKeyChars(keys[i].sizeIndex, formatIndex);
    const auto typed = static_cast<int32_t>(keys[i].text.size());
    if (typed == required || (typed == 0 && defaultKey != i)) continue;
    char message[96];
    std::snprintf(message, sizeof message, "WEP key %d size mistake!\n Need %d characters", i + 1,
                  required);
    return {false, i + 1, required, message};
  }
  return {true, 0, 0, {}};
}

std::vector<std::string> GenerateKeysFromPassphrase(std::string_view passphrase, int sizeIndex,
                                                    std::string* trace) {
  if (passphrase.empty() || !ValidSize(sizeIndex)) return {};
  if (sizeIndex == kKeySize64) return Generate64(passphrase, trace);
  std::vector<std::string> keys;
  for (int k = 0; k < 4; ++k) {
    if (sizeIndex == kKeySize128) {
      keys.push_back(Hex(HashedPassphrase(passphrase, k).data(), 13));
    } else {
      keys.push_back(Hex(HashedPassphrase(passphrase, 2 * k).data(), 16) +
                     Hex(HashedPassphrase(passphrase, 2 * k + 1).data(), 13));
    }
  }
  return keys;
}

}  // namespace nv
