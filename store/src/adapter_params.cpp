#include "store/adapter_params.h"

#include <algorithm>
#include <cstring>

#include "platform/win32_codes.h"
#include "store/key_scramble.h"
#include "store/value_access.h"

namespace nv {

namespace {

// Instance keys are numbered 0000..9999; more than this is not a registry we can trust.
constexpr uint32_t kMaxInstanceKeys = 10000;

std::string KeyValueName(int slot) { return std::string(dot11::kKeyPrefix) + char('1' + slot); }

void CopyText(const std::string& text, char* field, size_t maxChars) {
  const size_t n = std::min(text.size(), maxChars);
  std::memcpy(field, text.data(), n);
  field[n] = '\0';
}

std::string ToUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool IsSupportedHardwareId(Registry& registry, RegKey key) {
  char id[128] = {};
  uint32_t size = sizeof id;
  if (registry.QueryValue(key, kMatchingDeviceId, nullptr, reinterpret_cast<uint8_t*>(id), &size) !=
      win::kErrorSuccess) {
    return false;
  }
  const std::string upper = ToUpper(std::string(id, strnlen(id, size)));
  return std::any_of(std::begin(kHardwareIds), std::end(kHardwareIds),
                     [&](std::string_view hw) { return upper == hw; });
}

// Is the four-character instance `name` under `root` our present adapter?
bool IsOurAdapter(AdapterIo& io, std::string_view root, const std::string& name,
                  std::string* path) {
  Registry& registry = io.registry();
  *path = std::string(root) + name + "\\";
  RegKey key = 0;
  if (registry.OpenKey(kHkeyLocalMachine, *path, kKeyAllAccess, &key) != win::kErrorSuccess) {
    return false;
  }
  const bool found = IsSupportedHardwareId(registry, key) && io.IsAdapterPresent(name) == kAccessOk;
  registry.CloseKey(key);
  return found;
}

void ReadKey(Registry& registry, RegKey key, AdapterConfig& c) {
  c.bssType = ReadNumberValue(registry, key, dot11::kBssType, dot11::kDefaultBssType);
  c.channel = ReadNumberValue(registry, key, dot11::kChannel, dot11::kDefaultChannel);
  c.powerMode = ReadNumberValue(registry, key, dot11::kPowerMode, dot11::kDefaultPowerMode);
  c.shortPreamble =
      ReadNumberValue(registry, key, dot11::kShortPreamble, dot11::kDefaultShortPreamble);
  c.txRate = ReadNumberValue(registry, key, dot11::kTxRate, dot11::kDefaultTxRate);
  c.txRate11M = ReadNumberValue(registry, key, dot11::kTxRate11M, dot11::kDefaultTxRate);
  CopyText(ReadTextValue(registry, key, dot11::kSsid, dot11::kDefaultSsid), c.ssid, 32);
  CopyText(ReadTextValue(registry, key, dot11::kBssid, ""), c.bssidText, 17);
  c.authMode = ReadNumberValue(registry, key, dot11::kAuthMode, dot11::kDefaultAuthMode);
  c.defaultKeyId = ReadNumberValue(registry, key, dot11::kDefaultKeyId, dot11::kDefaultKeyIdValue);
  c.wepStatus = ReadNumberValue(registry, key, dot11::kWepStatus, dot11::kDefaultWepStatus);
  for (int slot = 0; slot < 4; ++slot) {
    WepKeySlot& k = c.keys[slot];
    const std::string text = ReadTextValue(registry, key, KeyValueName(slot), "");
    uint8_t scratch[sizeof k.material] = {};
    const int32_t count = UnscrambleKey(text, scratch, sizeof scratch);
    // A text longer than the slot keeps the bytes that fit.
    k.length = std::min<int32_t>(count, static_cast<int32_t>(sizeof k.material));
    std::memcpy(k.material, scratch, sizeof k.material);
  }
}

// Every value is written even after one fails; true when all of them were.
bool WriteLinkGroup(Registry& registry, RegKey key, const AdapterConfig& c) {
  int32_t failed = 0;
  failed |= WriteNumberText(registry, key, dot11::kBssType, c.bssType);
  failed |= WriteNumberText(registry, key, dot11::kChannel, c.channel);
  failed |= WriteNumberText(registry, key, dot11::kPowerMode, c.powerMode);
  failed |= WriteNumberText(registry, key, dot11::kShortPreamble, c.shortPreamble);
  failed |= WriteNumberText(registry, key, dot11::kTxRate, c.txRate);
  failed |= WriteNumberText(registry, key, dot11::kTxRate11M, c.txRate11M);
  failed |= WriteTextValue(registry, key, dot11::kSsid, {c.ssid, strnlen(c.ssid, sizeof c.ssid)});
  failed |= WriteTextValue(registry, key, dot11::kBssid,
                           {c.bssidText, strnlen(c.bssidText, sizeof c.bssidText)});
  return failed == win::kErrorSuccess;
}

bool WriteSecurityGroup(Registry& registry, RegKey key, const AdapterConfig& c) {
  int32_t failed = 0;
  failed |= WriteNumberText(registry, key, dot11::kAuthMode, c.authMode);
  failed |= WriteNumberText(registry, key, dot11::kAuthenticationMode, c.authMode);
  failed |= WriteNumberText(registry, key, dot11::kWepStatus, c.wepStatus);
  failed |= WriteDwordValue(registry, key, dot11::kDefaultKeyId, c.defaultKeyId);
  for (int slot = 0; slot < 4; ++slot) {
    const WepKeySlot& k = c.keys[slot];
    failed |= WriteTextValue(registry, key, KeyValueName(slot), ScrambleKey(k.material, k.length));
  }
  return failed == win::kErrorSuccess;
}

}  // namespace

AdapterConfig DefaultAdapterConfig() {
  AdapterConfig c{};
  c.bssType = dot11::kDefaultBssType;
  c.channel = dot11::kDefaultChannel;
  c.powerMode = dot11::kDefaultPowerMode;
  c.shortPreamble = dot11::kDefaultShortPreamble;
  c.txRate = dot11::kDefaultTxRate;
  c.txRate11M = dot11::kDefaultTxRate;
  CopyText(std::string(dot11::kDefaultSsid), c.ssid, 32);
  c.authMode = dot11::kDefaultAuthMode;
  c.wepStatus = dot11::kDefaultWepStatus;
  c.defaultKeyId = dot11::kDefaultKeyIdValue;
  return c;
}

std::string_view ClassRootFor(uint32_t platformId) {
  return platformId == win::kPlatformWin32Nt ? kNtClassRoot : k9xClassRoot;
}

bool LocateAdapterKey(AdapterIo& io, std::string* instancePath) {
  const VersionInfo version = io.system().GetVersion();
  if (!version.ok) return false;
  const std::string_view root = ClassRootFor(version.platformId);
  Registry& registry = io.registry();
  RegKey rootKey = 0;
  if (registry.OpenKey(kHkeyLocalMachine, root, kKeyAllAccess, &rootKey) != win::kErrorSuccess) {
    return false;
  }
  bool found = false;
  for (uint32_t index = 0; index < kMaxInstanceKeys && !found; ++index) {
    char name[128] = {};
    uint32_t length = sizeof name;
    const int32_t rc = registry.EnumKey(rootKey, index, name, &length);
    if (rc == win::kErrorMoreData) continue;  // a name this long is no instance key
    if (rc != win::kErrorSuccess) break;
    name[4] = '\0';  // instance keys have four-digit names
    found = IsOurAdapter(io, root, name, instancePath);
  }
  registry.CloseKey(rootKey);
  return found;
}

namespace {
// Writes the groups `config.scope` selects into the key, all of them or none (one batch).
// False when the batch did not open (nothing is written then), the key did not open, a value
// was refused or the batch did not land.
bool WriteValueSet(Registry& registry, RegKey root, std::string_view path,
                   const AdapterConfig& config) {
  RegistryBatch batch(registry);
  if (!batch.open()) return false;
  RegKey key = 0;
  if (registry.OpenKey(root, path, kKeyAllAccess, &key) != win::kErrorSuccess) return false;
  bool written = true;
  if (config.scope == kScopeAll || config.scope == kScopeLink) {
    written = WriteLinkGroup(registry, key, config);
  }
  if (config.scope == kScopeAll || config.scope == kScopeSecurity) {
    written = WriteSecurityGroup(registry, key, config) && written;
  }
  registry.CloseKey(key);
  return written && batch.Commit() == win::kErrorSuccess;  // a refused value drops the batch
}
}  // namespace

void ReadAdapterParameters(AdapterIo& io, AdapterConfig& config) {
  std::string path;
  if (!LocateAdapterKey(io, &path)) {
    config.scope = kScopeNoAdapter;
    return;
  }
  ReadConfigValues(io.registry(), kHkeyLocalMachine, path, config);
  config.scope = kScopeAll;
}

// Not found and not stored both read -1: the caller learns whether the settings landed.
void WriteAdapterParameters(AdapterIo& io, AdapterConfig& config) {
  std::string path;
  const bool stored =
      LocateAdapterKey(io, &path) && WriteValueSet(io.registry(), kHkeyLocalMachine, path, config);
  config.scope = stored ? kScopeAll : kScopeNoAdapter;
}

void ReadConfigValues(Registry& registry, RegKey root, std::string_view path,
                      AdapterConfig& config) {
  RegKey key = 0;
  if (registry.OpenKey(root, path, kKeyAllAccess, &key) != win::kErrorSuccess) {
    config.scope = kScopeNoAdapter;
    return;
  }
  ReadKey(registry, key, config);
  registry.CloseKey(key);
}

void WriteConfigValues(Registry& registry, RegKey root, std::string_view path,
                       AdapterConfig& config) {
  if (!WriteValueSet(registry, root, path, config)) config.scope = kScopeNoAdapter;
}

}  // namespace nv
