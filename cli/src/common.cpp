#include "common.h"

#include <algorithm>
#include <cstdio>

#include "adapter/operations.h"
#include "edits.h"
#include "store/adapter_params.h"

namespace nv::cli {

int Fail(Context& c, const std::string& message, int code) {
  c.err << "wlanctl: " << message << "\n";
  return code;
}

int Usage(Context& c, const std::string& message) {
  c.err << "wlanctl: " << message << " (--help shows the usage)\n";
  return kExitUsage;
}

void PrintJson(Context& c, const Json& json) {
  c.out << json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

bool ReadStored(Context& c, AdapterConfig* config) {
  *config = AdapterConfig{};
  ReadAdapterParameters(c.io, *config);
  if (config->scope == kScopeNoAdapter) {
    Fail(c, NoAdapter(c));
    return false;
  }
  return true;
}

std::string NoAdapter(Context& c) {
  if (c.registryBusy && c.registryBusy()) return kRegistryBusyText;
  const std::string why = c.linkRefusal ? c.linkRefusal() : std::string();
  return why.empty() ? "no supported adapter found" : "no adapter: " + why;
}

bool ReportChange(Context& c, const ChangeOutcome& outcome) {
  if (!outcome.adapterFound) return Fail(c, NoAdapter(c)), false;
  if (!outcome.overwritten) return false;  // the overwrite said why
  if (!outcome.deviceOpened) {
    const std::string why = c.linkRefusal ? c.linkRefusal() : std::string();
    Fail(c, "the adapter could not be opened" + (why.empty() ? "" : " (" + why + ")") +
                "; nothing was changed");
    return false;
  }
  std::string refused;
  for (const std::string& name : outcome.refused) refused += (refused.empty() ? "" : ", ") + name;
  if (!refused.empty()) Fail(c, "the driver refused: " + refused);
  if (!outcome.reached) {
    Fail(c, "nothing reached the adapter; nothing was stored");
  } else if (!outcome.stored) {
    const bool busy = c.registryBusy && c.registryBusy();
    Fail(c, std::string("the settings could not be stored") + (busy ? ": " : "") +
                (busy ? kRegistryBusyText : ""));
  }
  return outcome.applied && outcome.stored;
}

bool Change(Context& c, int32_t scope, const Overwrite& overwrite) {
  return ReportChange(c, ChangeAdapterSettings(c.io, scope, overwrite));
}

namespace {

// Length of the valid UTF-8 sequence at `at` (overlong forms and surrogates refused), or 0.
size_t Utf8Length(std::string_view t, size_t at, uint32_t* point) {
  const auto b = static_cast<unsigned char>(t[at]);
  const size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3
                                 : (b & 0xF8) == 0xF0 ? 4 : 0;
  if (n == 0 || at + n > t.size()) return 0;
  uint32_t cp = n == 1 ? b : b & (0x7Fu >> n);
  for (size_t i = 1; i < n; ++i) {
    const auto next = static_cast<unsigned char>(t[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (next & 0x3Fu);
  }
  constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  *point = cp;
  return n;
}

bool IsControl(uint32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  for (size_t at = 0; at < text.size();) {
    uint32_t cp = 0;
    const size_t n = Utf8Length(text, at, &cp);
    if (n == 0 || IsControl(cp)) {
      for (size_t i = 0; i < std::max<size_t>(n, 1); ++i) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(text[at + i]));
        out += hex;
      }
      at += std::max<size_t>(n, 1);
      continue;
    }
    if (cp == '\\') out += '\\';
    out.append(text.substr(at, n));
    at += n;
  }
  return out;
}

bool HasControl(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    uint32_t cp = 0;
    const size_t n = Utf8Length(text, at, &cp);
    if (n != 0 && IsControl(cp)) return true;
    const auto byte = static_cast<unsigned char>(text[at]);
    if (n == 0 && byte >= 0x80 && byte <= 0x9F) return true;  // C1 in an 8-bit terminal
    at += std::max<size_t>(n, 1);
  }
  return false;
}

std::string VersionText(const uint8_t v[4]) {
  char text[20];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", v[0], v[1], v[2], v[3]);
  return text;
}

bool ReadSecretLine(Context& c, const std::string& what, std::string* value,
                    std::string* error) {
  if (c.in == nullptr || !std::getline(*c.in, *value)) {
    *error = "standard input ended before " + what;
    return false;
  }
  if (!value->empty() && value->back() == '\r') value->pop_back();
  return true;
}

bool AskSecret(Context& c, const std::string& prompt, std::string* value) {
  return c.askSecret && c.askSecret(prompt, value);
}

namespace {

std::string PromptFor(const std::string& option) {
  return option == "passphrase" ? "Passphrase: " : "WEP key " + option.substr(3) + ": ";
}

// "-" values come from standard input in a fixed order; left-out ones are asked for.
bool ResolveSecrets(Context& c, Args* args, std::string* error) {
  for (const std::string& name : SecretOptionNames()) {
    auto found = args->values.find(name);
    if (found == args->values.end() || found->second != "-") continue;
    if (!ReadSecretLine(c, "the value of --" + name, &found->second, error)) return false;
  }
  for (const std::string& name : args->asked) {
    std::string value;
    if (!AskSecret(c, PromptFor(name), &value)) {
      *error = "--" + name + " needs a value (- reads it from standard input)";
      return false;
    }
    args->values[name] = value;
  }
  args->asked.clear();
  return true;
}

}  // namespace

bool ParseCommand(Context& c, const std::vector<std::string>& words,
                  const std::set<std::string>& valued, const std::set<std::string>& flags,
                  const char* help, Args* args, int* exit) {
  std::set<std::string> allFlags = flags;
  allFlags.insert({"help", "json"});
  std::set<std::string> askable;
  for (const std::string& name : SecretOptionNames()) {
    if (valued.count(name)) askable.insert(name);
  }
  std::string error;
  if (!ParseArgs(words, valued, allFlags, args, &error, askable)) {
    *exit = Usage(c, error);
    return false;
  }
  if (args->flags.count("help")) {
    c.out << help;
    *exit = kExitOk;
    return false;
  }
  if (!ResolveSecrets(c, args, &error)) {
    *exit = Usage(c, error);
    return false;
  }
  return true;
}

}  // namespace nv::cli
