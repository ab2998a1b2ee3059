// config, security and keygen: the Configuration and Security pages on the command line.
#include <cstring>
#include <iomanip>

#include "adapter/operations.h"
#include "commands.h"
#include "common.h"
#include "edits.h"
#include "logic/page_rules.h"

namespace nv::cli {

namespace {

const std::string kConfigHelp =
    std::string(
        "usage: wlanctl config show [--json]\n"
        "       wlanctl config set OPTIONS\n"
        "Shows or changes the link settings (applied to the adapter, stored, then a new scan):\n") +
    kLinkOptionsHelp;

const std::string kSecurityHelp =
    std::string(
        "usage: wlanctl security show [--show-keys] [--json]\n"
        "       wlanctl security set OPTIONS\n"
        "Shows or changes WEP settings. With WEP on, every key must have the length of its size\n"
        "(or be empty and not the default key); otherwise nothing changes. Keys are shown only\n"
        "with --show-keys, as hexadecimal digits.\n") +
    kSecurityOptionsHelp;

constexpr const char* kKeygenHelp =
    "usage: wlanctl keygen --size 64|128|256 [PASSPHRASE | -] [--json]\n"
    "Prints the four keys a passphrase (at most 32 bytes) makes, in hexadecimal.\n"
    "A passphrase on the command line is visible to other users while wlanctl runs: give -\n"
    "to read it from a line of standard input, or leave it out to be asked without echo.\n";

std::string Pick(const std::string_view* texts, size_t count, int32_t value) {
  if (value >= 0 && static_cast<size_t>(value) < count) return std::string(texts[value]);
  return "(value " + std::to_string(value) + ")";
}

void Row(Context& c, const char* label, const std::string& value) {
  c.out << std::left << std::setw(14) << label << Printable(value) << "\n";
}

int ConfigShow(Context& c, const Args& a) {
  AdapterConfig cfg{};
  if (!ReadStored(c, &cfg)) return kExitFailed;
  const uint32_t domain = ReadRegulatoryDomain(c.io);
  const ChannelRange range = ChannelRangeFor(domain);
  const std::string ssid(cfg.ssid, strnlen(cfg.ssid, 32));
  const std::string bss = Pick(kBssTypeTexts.data(), kBssTypeTexts.size(), cfg.bssType);
  const std::string rate = Pick(kTxRateTexts.data(), kTxRateTexts.size(), cfg.txRate);
  const std::string preamble = Pick(kPreambleTexts.data(), 2, cfg.shortPreamble);
  const std::string power = Pick(kPowerModeTexts.data(), 3, cfg.powerMode);
  if (a.flags.count("json")) {
    Json json{{"ssid", ssid},
              {"bssType", bss},
              {"channel", cfg.channel},
              {"txRate", rate},
              {"preamble", preamble},
              {"powerMode", power},
              {"regulatoryDomain", domain},
              {"channels", {range.first, range.last}}};
    AddBytesWhenNotUtf8(json, "ssid", ssid);
    PrintJson(c, json);
    return kExitOk;
  }
  char domainText[8];
  std::snprintf(domainText, sizeof domainText, "0x%02X", domain);
  Row(c, "SSID", ssid);
  Row(c, "BSS Type", bss);
  Row(c, "Channel",
      std::to_string(cfg.channel) + "  (channels " + std::to_string(range.first) + "-" +
          std::to_string(range.last) + ", regulatory domain " + domainText + ")");
  Row(c, "Tx Rate", rate);
  Row(c, "Preamble", preamble);
  Row(c, "Power Mode", power);
  return kExitOk;
}

int ConfigSet(Context& c, const Args& a) {
  if (a.values.empty()) return Usage(c, "config set needs at least one setting");
  int exit = kExitFailed;
  const bool changed = Change(c, kScopeLink, [&](AdapterConfig& cfg) {
    std::string error;
    if (ApplyLinkOptions(a, ChannelRangeFor(ReadRegulatoryDomain(c.io)), cfg, &error)) return true;
    exit = Usage(c, error);
    return false;
  });
  if (!changed) return exit;
  if (!a.flags.count("json")) c.out << "Link settings applied and stored.\n";
  return kExitOk;
}

int SecurityShow(Context& c, const Args& a) {
  AdapterConfig cfg{};
  if (!ReadStored(c, &cfg)) return kExitFailed;
  const bool showKeys = a.flags.count("show-keys") != 0;
  const std::string auth = Pick(kAuthModeTexts.data(), 3, cfg.authMode);
  Json keys = Json::array();
  const SecurityView view = ShowSecurity(cfg);  // the Security page's key boxes
  for (size_t i = 0; i < 4; ++i) {
    const WepKeySlot& slot = cfg.keys[i];
    const KeyBoxView& text = view.keys[i];
    Json key = {{"length", slot.length},
                {"size", slot.length == 0     ? ""
                         : text.sizeIndex < 0 ? std::to_string(slot.length * 8) + " bits"
                                              : std::string(kKeySizeTexts[text.sizeIndex])}};
    if (showKeys) key["key"] = text.text;
    keys.push_back(key);
  }
  if (a.flags.count("json")) {
    PrintJson(c, Json{{"wep", cfg.wepStatus == kWepEnabled},
                      {"authMode", auth},
                      {"defaultKey", cfg.defaultKeyId + 1},
                      {"keys", keys}});
    return kExitOk;
  }
  Row(c, "Encryption", cfg.wepStatus == kWepEnabled ? "WEP on" : "off");
  Row(c, "Auth. Mode", auth);
  Row(c, "Default Key", std::to_string(cfg.defaultKeyId + 1));
  for (int i = 0; i < 4; ++i) {
    const Json& k = keys[i];
    std::string line = k["length"] == 0 ? "(empty)" : k["size"].get<std::string>();
    if (showKeys && k["length"] != 0) line += "  " + k["key"].get<std::string>();
    Row(c, ("Key " + std::to_string(i + 1)).c_str(), line);
  }
  return kExitOk;
}

int SecuritySet(Context& c, const Args& a) {
  if (a.values.empty()) {
    return Usage(c, "security set needs at least one setting");
  }
  int exit = kExitFailed;
  const bool changed = Change(c, kScopeSecurity, [&](AdapterConfig& cfg) {
    std::string message;
    switch (ApplySecurityOptions(a, cfg, &message)) {
      case SecurityEdit::BadInput:
        exit = Usage(c, message);
        return false;
      case SecurityEdit::KeyCheckFailed:
        exit = Fail(c, message);  // the key rules' own words; nothing was changed
        return false;
      case SecurityEdit::Ok:
        break;
    }
    return true;
  });
  if (!changed) return exit;
  if (!a.flags.count("json")) c.out << "Security settings applied and stored.\n";
  return kExitOk;
}

}  // namespace

int CmdConfig(Context& c, const std::vector<std::string>& words) {
  Args a;
  int exit = 0;
  if (!ParseCommand(c, words, LinkOptionNames(), {}, kConfigHelp.c_str(), &a, &exit)) return exit;
  if (a.positional.size() == 1 && a.positional[0] == "show" && a.values.empty()) {
    return ConfigShow(c, a);
  }
  if (a.positional.size() == 1 && a.positional[0] == "set") return ConfigSet(c, a);
  return Usage(c, "config needs show or set");
}

int CmdSecurity(Context& c, const std::vector<std::string>& words) {
  Args a;
  int exit = 0;
  if (!ParseCommand(c, words, SecurityOptionNames(), {"show-keys"}, kSecurityHelp.c_str(), &a,
                    &exit)) {
    return exit;
  }
  if (a.positional.size() == 1 && a.positional[0] == "show" && a.values.empty()) {
    return SecurityShow(c, a);
  }
  if (a.positional.size() == 1 && a.positional[0] == "set") return SecuritySet(c, a);
  return Usage(c, "security needs show or set");
}

int CmdKeygen(Context& c, const std::vector<std::string>& words) {
  Args a;
  int exit = 0;
  if (!ParseCommand(c, words, {"size"}, {}, kKeygenHelp, &a, &exit)) return exit;
  const int size = a.Get("size") ? ParseKeySize(*a.Get("size")) : -1;
  if (size < 0) return Usage(c, "keygen needs --size 64, 128 or 256");
  if (a.positional.size() > 1) return Usage(c, "keygen needs one passphrase");
  std::string error;
  if (a.positional.empty()) {
    a.positional.emplace_back();
    if (!AskSecret(c, "Passphrase: ", &a.positional[0])) {
      return Usage(c, "keygen needs a passphrase (- reads it from standard input)");
    }
  } else if (a.positional[0] == "-" &&
             !ReadSecretLine(c, "the passphrase", &a.positional[0], &error)) {
    return Usage(c, error);
  }
  if (a.positional[0].empty()) return Usage(c, "keygen needs one passphrase");
  if (a.positional[0].size() > kMaxPassphraseChars) {
    return Usage(c, "the passphrase takes at most 32 bytes");
  }
  const auto keys = KeysFromPassphrase(a.positional[0], size);
  if (a.flags.count("json")) {
    PrintJson(c, Json{{"size", size == 0 ? 64 : size == 1 ? 128 : 256}, {"keys", keys}});
  } else {
    for (size_t i = 0; i < keys.size(); ++i) c.out << "Key " << i + 1 << "  " << keys[i] << "\n";
  }
  return kExitOk;
}

}  // namespace nv::cli
