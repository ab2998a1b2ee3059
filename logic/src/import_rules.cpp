// What an import may store: the adapter's instance keys and the profiles, holding the dot11
// values each with its type and range, so that no page would have to show what it cannot.
#include <algorithm>
#include <cctype>
#include <charconv>

#include "logic/registry_transfer.h"
#include "logic/text_escape.h"
#include "platform/win32_codes.h"
#include "store/adapter_params.h"
#include "store/profile_store.h"

namespace nv {

namespace {

enum class Kind { Number, KeyId, Ssid, Bssid, Key };

struct Rule {
  std::string_view name;
  Kind kind;
  int min = 0;
  int max = 0;
};

constexpr int kChannelRule = -1;  // the domain's range, known only at the import
const Rule kRules[] = {
    {dot11::kBssType, Kind::Number, 0, 2},
    {dot11::kChannel, Kind::Number, kChannelRule, kChannelRule},
    {dot11::kPowerMode, Kind::Number, 0, 2},
    {dot11::kShortPreamble, Kind::Number, 0, 1},
    {dot11::kTxRate, Kind::Number, 0, 7},
    {dot11::kTxRate11M, Kind::Number, 0, 7},
    {dot11::kSsid, Kind::Ssid},
    {dot11::kBssid, Kind::Bssid},
    {dot11::kAuthMode, Kind::Number, 0, 2},
    {dot11::kAuthenticationMode, Kind::Number, 0, 2},
    {dot11::kWepStatus, Kind::Number, 0, 1},
    {dot11::kDefaultKeyId, Kind::KeyId, 0, 3},
    {"dot11WEPDefaultKey1", Kind::Key},
    {"dot11WEPDefaultKey2", Kind::Key},
    {"dot11WEPDefaultKey3", Kind::Key},
    {"dot11WEPDefaultKey4", Kind::Key},
};

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return out;
}

const Rule* RuleFor(std::string_view name) {
  for (const Rule& rule : kRules) {
    if (Lower(rule.name) == Lower(name)) return &rule;
  }
  return nullptr;
}

// The utility writes only dot11 values; the rest of the instance key is the driver's.
bool UtilityValue(std::string_view name) { return Lower(name).rfind("dot11", 0) == 0; }

std::string_view Text(const RegValueDump& v) {
  std::string_view text(reinterpret_cast<const char*>(v.data.data()), v.data.size());
  if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
  return text;
}

// A number as the stores write it ("%d" text) or as a DWORD, which they read alike.
bool Number(const RegValueDump& v, int* value) {
  if (v.type == kRegDword && v.data.size() == 4) {
    *value = static_cast<int32_t>(v.data[0] | v.data[1] << 8 | v.data[2] << 16 |
                                  static_cast<uint32_t>(v.data[3]) << 24);
    return true;
  }
  if (v.type != kRegSz) return false;
  const std::string_view text = Text(v);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

// "" when the value may be stored, else what is wrong with it.
std::string Problem(const RegValueDump& v, const Rule& rule, ChannelRange channels) {
  const std::string name(rule.name);
  int n = 0;
  switch (rule.kind) {
    case Kind::Number:
    case Kind::KeyId: {
      if (!Number(v, &n)) return name + " must be a decimal number";
      const int min = rule.min == kChannelRule ? channels.first : rule.min;
      const int max = rule.max == kChannelRule ? channels.last : rule.max;
      if (n < min || n > max) {
        return name + " " + std::to_string(n) + " is outside " + std::to_string(min) + " to " +
               std::to_string(max);
      }
      return "";
    }
    case Kind::Ssid:
      if (v.type != kRegSz) return name + " must be a string";
      if (Text(v).size() > 32) return name + " takes at most 32 bytes";
      if (HasControl(Text(v))) return name + " must not hold control characters";
      return "";
    case Kind::Bssid:
      if (v.type != kRegSz) return name + " must be a string";
      if (Text(v).size() > 17 || HasControl(Text(v))) return name + " is no BSSID text";
      return "";
    case Kind::Key: {
      const std::string_view text = Text(v);
      const bool hex = text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
      const bool sized =
          text.empty() || text.size() == 10 || text.size() == 26 || text.size() == 58;
      if (v.type != kRegSz || !hex || !sized) {
        return name + " must be a stored key text of 0, 10, 26 or 58 hexadecimal digits";
      }
      return "";
    }
  }
  return "";
}

std::vector<std::string_view> Names(std::string_view path) {
  std::vector<std::string_view> names;
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find('\\', start), path.size());
    names.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

std::string CheckKey(const RegKeyDump& key, ChannelRange channels) {
  for (const std::string_view name : Names(key.path)) {
    if (name.size() > kMaxKeyNameChars) return "a key name is longer than 255 characters";
  }
  const std::string profileRoot = Lower(kProfileRoot.substr(0, kProfileRoot.size() - 1));
  const bool userKey = key.root == kHkeyCurrentUser;
  const std::string path = Lower(key.path);
  if (userKey && path == profileRoot) {
    return key.values.empty() ? "" : "the profile root holds no values";
  }
  if (userKey) {
    // Whoever calls this without the importable-key filter still gets an answer, not a throw.
    const bool underRoot = path.size() > profileRoot.size() + 1 &&
                           path.compare(0, profileRoot.size(), profileRoot) == 0 &&
                           path[profileRoot.size()] == '\\';
    if (!underRoot) {
      return "only the profiles can be imported under HKEY_CURRENT_USER";
    }
    const std::string_view profile = std::string_view(key.path).substr(profileRoot.size() + 1);
    if (profile.find('\\') != std::string_view::npos) return "a profile holds no subkeys";
    if (profile.size() > kProfileNameChars) {
      return "a profile name takes at most " + std::to_string(kProfileNameChars) + " bytes";
    }
    if (HasControl(profile)) return "a profile name must not hold control characters";
  }
  for (const RegValueDump& v : key.values) {
    const Rule* rule = RuleFor(v.name);
    if (rule == nullptr) {
      // The driver's own values in the instance key are passed over (DropDriverValues).
      if (!userKey && !UtilityValue(v.name)) continue;
      return "unknown value \"" + Printable(v.name) + "\"";
    }
    if (std::string problem = Problem(v, *rule, channels); !problem.empty()) return problem;
  }
  return "";
}

}  // namespace

bool Importable(const RegKeyDump& key) {
  const std::string path = Lower(key.path);
  if (key.root == kHkeyCurrentUser) {
    const std::string profiles = Lower(kProfileKeyPath);
    return path == profiles || path.rfind(profiles + "\\", 0) == 0;
  }
  for (const std::string_view root : {kNtClassRoot, k9xClassRoot}) {
    if (path.rfind(Lower(root), 0) == 0) {
      const std::string_view instance = std::string_view(key.path).substr(root.size());
      return !instance.empty() && instance.find('\\') == std::string_view::npos;
    }
  }
  return false;
}

bool CheckImport(const std::vector<RegKeyDump>& keys, ChannelRange channels, RegeditError* error) {
  for (const RegKeyDump& key : keys) {
    if (std::string problem = CheckKey(key, channels); !problem.empty()) {
      *error = {key.line, problem};
      return false;
    }
  }
  return true;
}

size_t DropDriverValues(std::vector<RegKeyDump>* keys) {
  size_t dropped = 0;
  for (RegKeyDump& key : *keys) {
    if (key.root == kHkeyCurrentUser) continue;
    const auto driverOwned = [](const RegValueDump& v) { return !UtilityValue(v.name); };
    const auto from = std::remove_if(key.values.begin(), key.values.end(), driverOwned);
    dropped += static_cast<size_t>(key.values.end() - from);
    key.values.erase(from, key.values.end());
  }
  return dropped;
}

}  // namespace nv
