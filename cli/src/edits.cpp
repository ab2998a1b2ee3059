#include "edits.h"

#include <array>
#include <cstring>

#include "common.h"
#include "logic/page_rules.h"

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

// The Security page's controls as its Reload fills them from the stored configuration; a
// stored length that fits no size leaves the size list at its first entry.
SecurityInput InputFrom(const AdapterConfig& c) {
  const SecurityView view = ShowSecurity(c);
  SecurityInput in;
  in.authMode = view.authMode;
  in.encryption = view.encryption.value_or(false);
  in.defaultKey = view.defaultKey;
  in.keyFormat = kKeyFormatHex;  // stored keys always show as hex
  for (size_t i = 0; i < 4; ++i) {
    in.keyTexts[i] = view.keys[i].text;
    in.keySizes[i] = view.keys[i].sizeIndex < 0 ? kKeySize64 : view.keys[i].sizeIndex;
  }
  return in;
}

bool EditFormatAndSizes(const Args& args, SecurityInput& in, std::string* error) {
  if (const auto format = args.Get("format")) {
    const int f = ParseChoice(*format, kKeyFormatTexts, 2);
    if (f < 0) return *error = "--format takes hex or ascii", false;
    if (f != in.keyFormat) in.keyTexts = {};  // a new format empties every key box
    in.keyFormat = f;
  }
  for (size_t i = 0; i < 4; ++i) {
    for (const std::string& name : {std::string("size"), "size" + std::to_string(i + 1)}) {
      if (const auto size = args.Get(name)) {
        const int s = ParseKeySize(*size);
        if (s < 0) return *error = "--" + name + " takes 64, 128 or 256", false;
        in.keySizes[i] = s;
        in.keyTexts[i] = CutKeyText(in.keyTexts[i], KeyBoxLimit(s, in.keyFormat));
      }
    }
  }
  return true;
}

bool EditKeyTexts(const Args& args, SecurityInput& in, std::string* error) {
  if (const auto passphrase = args.Get("passphrase")) {
    if (passphrase->size() > kMaxPassphraseChars) {
      return *error = "--passphrase takes at most 32 bytes", false;
    }
    const auto keys = KeysFromPassphrase(*passphrase, in.keySizes[0]);
    if (keys.empty()) return *error = "--passphrase must not be empty", false;
    for (size_t i = 0; i < 4; ++i) {
      in.keyTexts[i] = keys[i];
      in.keySizes[i] = in.keySizes[0];
    }
    in.keyFormat = kKeyFormatHex;
  }
  for (size_t i = 0; i < 4; ++i) {
    const auto key = args.Get("key" + std::to_string(i + 1));
    if (!key) continue;
    if (in.keyFormat == kKeyFormatHex && !IsHex(*key)) {
      return *error = "--key" + std::to_string(i + 1) + " must be hexadecimal digits", false;
    }
    in.keyTexts[i] = *key;
  }
  return true;
}

// The options typed into the controls, in the order a user of the page would.
bool EditInput(const Args& args, SecurityInput& in, std::string* error) {
  if (const auto wep = args.Get("wep")) {
    if (*wep != "on" && *wep != "off") return *error = "--wep takes on or off", false;
    in.encryption = *wep == "on";
  }
  if (!EditFormatAndSizes(args, in, error) || !EditKeyTexts(args, in, error)) return false;
  if (const auto key = args.Get("default-key")) {
    int n = 0;
    if (!ParseInt(*key, &n) || n < 1 || n > 4) return *error = "--default-key takes 1..4", false;
    in.defaultKey = n - 1;
  }
  if (const auto auth = args.Get("auth")) {
    const int position = ParseChoice(*auth, kAuthModeTexts.data(), kAuthModeTexts.size(), true);
    if (position < 0) {
      return *error = "--auth: no such choice \"" + Printable(*auth) + "\"", false;
    }
    in.authMode = position;
  }
  return true;
}

}  // namespace

const std::set<std::string>& LinkOptionNames() {
  static const std::set<std::string> names = {"ssid", "bss-type", "channel",
                                              "rate", "preamble", "power-mode"};
  return names;
}

const std::set<std::string>& SecurityOptionNames() {
  static const std::set<std::string> names = {"wep",   "auth",  "format",      "size",      "size1",
                                              "size2", "size3", "size4",       "key1",      "key2",
                                              "key3",  "key4",  "default-key", "passphrase"};
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
         Choice(args, "rate", kTxRateTexts.data(), kTxRateTexts.size(), &c.txRate, error, false) &&
         Choice(args, "preamble", kPreambleTexts.data(), kPreambleTexts.size(), &c.shortPreamble,
                error) &&
         Choice(args, "power-mode", kPowerModeTexts.data(), kPowerModeTexts.size(), &c.powerMode,
                error);
}

// The page's Apply: the key length check first, then the overwrite of the security group.
SecurityEdit ApplySecurityOptions(const Args& args, AdapterConfig& c, std::string* message) {
  SecurityInput in = InputFrom(c);
  if (!EditInput(args, in, message)) return SecurityEdit::BadInput;
  const KeyCheck check = CheckSecurityInput(in);
  if (!check.ok) {
    *message = check.message;
    return SecurityEdit::KeyCheckFailed;
  }
  OverwriteSecurity(in, c);
  return SecurityEdit::Ok;
}

}  // namespace nv::cli
