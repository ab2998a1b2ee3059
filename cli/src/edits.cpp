#include "edits.h"

#include <array>
#include <cstring>

#include "common.h"
#include "store/wep_keys.h"

namespace nv::cli {

namespace {

bool Choice(const Args& args, const char* name, const std::string_view* texts, size_t count,
            int32_t* field, std::string* error, bool positions = true) {
  const auto value = args.Get(name);
  if (!value) return true;
  const int index = ParseChoice(*value, texts, count, positions);
  if (index < 0) {
    *error = "--" + std::string(name) + ": no such choice \"" + Printable(*value) + "\"";
    return false;
  }
  *field = index;
  return true;
}

bool IsHex(const std::string& text) {
  return text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

// The Security page's controls, filled from the stored configuration as its Reload does.
struct KeyBoxes {
  std::array<std::string, 4> text;
  std::array<int, 4> size{};
  int format = kKeyFormatHex;
  bool wep = false;
  int defaultKey = -1;
};

KeyBoxes BoxesFrom(const AdapterConfig& c) {
  KeyBoxes b;
  for (int i = 0; i < 4; ++i) {
    const KeyText shown = KeyBytesToText(c.keys[i]);
    b.text[i] = shown.text;
    b.size[i] = shown.sizeIndex < 0 ? kKeySize64 : shown.sizeIndex;
  }
  b.wep = c.wepStatus == kWepEnabled;
  b.defaultKey = c.defaultKeyId >= 0 && c.defaultKeyId <= 3 ? c.defaultKeyId : -1;
  return b;
}

bool EditBoxes(const Args& args, KeyBoxes& b, std::string* error) {
  if (const auto wep = args.Get("wep")) {
    if (*wep != "on" && *wep != "off") return *error = "--wep takes on or off", false;
    b.wep = *wep == "on";
  }
  if (const auto format = args.Get("format")) {
    const int f = ParseChoice(*format, kKeyFormatTexts, 2);
    if (f < 0) return *error = "--format takes hex or ascii", false;
    if (f != b.format) b.text = {};  // a new format empties every key box
    b.format = f;
  }
  for (int i = 0; i < 4; ++i) {
    for (const std::string& name : {std::string("size"), "size" + std::to_string(i + 1)}) {
      if (const auto size = args.Get(name)) {
        const int s = ParseKeySize(*size);
        if (s < 0) return *error = "--" + name + " takes 64, 128 or 256", false;
        b.size[i] = s;
        const size_t limit = static_cast<size_t>(RequiredKeyChars(s, b.format));
        if (b.text[i].size() > limit) b.text[i].resize(limit);
      }
    }
  }
  if (const auto passphrase = args.Get("passphrase")) {
    if (passphrase->size() > kMaxPassphraseChars) {
      return *error = "--passphrase takes at most 32 bytes", false;
    }
    const auto keys = GenerateKeysFromPassphrase(*passphrase, b.size[0]);
    if (keys.empty()) return *error = "--passphrase must not be empty", false;
    for (int i = 0; i < 4; ++i) {
      b.text[i] = keys[i];
      b.size[i] = b.size[0];
    }
    b.format = kKeyFormatHex;
  }
  for (int i = 0; i < 4; ++i) {
    const auto key = args.Get("key" + std::to_string(i + 1));
    if (!key) continue;
    if (b.format == kKeyFormatHex && !IsHex(*key)) {
      return *error = "--key" + std::to_string(i + 1) + " must be hexadecimal digits", false;
    }
    b.text[i] = *key;
  }
  if (const auto key = args.Get("default-key")) {
    int n = 0;
    if (!ParseInt(*key, &n) || n < 1 || n > 4) return *error = "--default-key takes 1..4", false;
    b.defaultKey = n - 1;
  }
  return true;
}

}  // namespace

const std::set<std::string>& LinkOptionNames() {
  static const std::set<std::string> names = {"ssid", "bss-type", "channel", "rate", "preamble",
                                              "power-mode"};
  return names;
}

const std::set<std::string>& SecurityOptionNames() {
  static const std::set<std::string> names = {
      "wep",  "auth", "format", "size", "size1", "size2", "size3", "size4", "key1",
      "key2", "key3", "key4",   "default-key", "passphrase"};
  return names;
}

const std::set<std::string>& SecretOptionNames() {
  static const std::set<std::string> names = {"passphrase", "key1", "key2", "key3", "key4"};
  return names;
}

int ParseKeySize(const std::string& text) {
  for (int i = 0; i < 3; ++i) {
    const std::string_view full = kKeySizeTexts[i];
    if (text == full || text == full.substr(0, full.find(' '))) return i;
  }
  return -1;
}

bool ApplyLinkOptions(const Args& args, ChannelRange channels, AdapterConfig& c,
                      std::string* error) {
  if (const auto ssid = args.Get("ssid")) {
    if (ssid->size() > 32) return *error = "--ssid takes at most 32 bytes", false;
    if (HasControl(*ssid)) return *error = "--ssid must not hold control characters", false;
    std::memset(c.ssid, 0, sizeof c.ssid);
    std::memcpy(c.ssid, ssid->data(), ssid->size());
  }
  if (const auto channel = args.Get("channel")) {
    int n = 0;
    if (!ParseInt(*channel, &n) || n < channels.first || n > channels.last) {
      *error = "--channel takes " + std::to_string(channels.first) + " to " +
               std::to_string(channels.last) + " in this regulatory domain";
      return false;
    }
    c.channel = n;
  }
  return Choice(args, "bss-type", kBssTypeTexts.data(), kBssTypeTexts.size(), &c.bssType, error) &&
         // Rates by their texts only: "5" must not mean the fifth entry, 11 Mbps.
         Choice(args, "rate", kTxRateTexts.data(), kTxRateTexts.size(), &c.txRate, error,
                false) &&
         Choice(args, "preamble", kPreambleTexts.data(), kPreambleTexts.size(), &c.shortPreamble,
                error) &&
         Choice(args, "power-mode", kPowerModeTexts.data(), kPowerModeTexts.size(), &c.powerMode,
                error);
}

SecurityEdit ApplySecurityOptions(const Args& args, AdapterConfig& c, std::string* message) {
  KeyBoxes b = BoxesFrom(c);
  if (!EditBoxes(args, b, message) ||
      !Choice(args, "auth", kAuthModeTexts.data(), kAuthModeTexts.size(), &c.authMode, message)) {
    return SecurityEdit::BadInput;
  }
  if (!b.wep) {
    c.wepStatus = kWepDisabled;  // keys and the default key keep their stored values
    return SecurityEdit::Ok;
  }
  std::array<KeyBoxInput, 4> boxes;
  for (int i = 0; i < 4; ++i) boxes[i] = {b.text[i], b.size[i]};
  const KeyCheckResult check = CheckKeyLengths(boxes, b.format, b.defaultKey);
  if (!check.ok) {
    *message = check.message;
    return SecurityEdit::KeyCheckFailed;
  }
  c.wepStatus = kWepEnabled;
  if (b.defaultKey >= 0) c.defaultKeyId = b.defaultKey;
  for (int i = 0; i < 4; ++i) KeyTextToBytes(b.text[i], b.format, c.keys[i]);
  return SecurityEdit::Ok;
}

}  // namespace nv::cli
