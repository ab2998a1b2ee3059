#include "store/profile_store.h"

#include <cstring>
#include <string>

#include "platform/win32_codes.h"
#include "store/adapter_params.h"
#include "store/key_walk.h"

namespace nv {

namespace {

// Opens the profile root; a missing root is created for the next call, and this one fails.
bool OpenProfileRoot(Registry& registry, RegKey* root) {
  const int32_t rc = registry.OpenKey(kHkeyCurrentUser, kProfileRoot, kKeyAllAccess, root);
  if (rc == win::kErrorSuccess) return true;
  if (rc == win::kErrorFileNotFound) {
    RegKey created = 0;
    if (registry.CreateKey(kHkeyCurrentUser, kProfileRoot, &created) == win::kErrorSuccess) {
      registry.CloseKey(created);
    }
  }
  return false;
}

std::string ProfilePath(std::string_view name) {
  return std::string(kProfileRoot) + std::string(name);
}

// The buffer the profile walk reads names into: a longer name is passed over.
constexpr uint32_t kProfileNameBuffer = 128;

// Visits the root's profiles in enumeration order with their names cut to 32 characters.
// A name too long for the buffer is skipped; any other failing index ends the walk. `visit`
// returns false to stop.
template <typename Visit>
void ForEachProfileName(Registry& registry, RegKey root, Visit&& visit) {
  WalkSubkeys(registry, root, kProfileNameBuffer, [&](uint32_t, int32_t rc, char* name, uint32_t) {
    if (rc == win::kErrorMoreData) return true;
    if (rc != win::kErrorSuccess) return false;
    name[kProfileNameChars] = '\0';
    return visit(std::string_view(name));
  });
}

// Finds the profile named exactly `name` and runs `use` on its key path. True when found.
template <typename Use>
bool WithProfile(Registry& registry, std::string_view name, Use&& use) {
  RegKey root = 0;
  if (!OpenProfileRoot(registry, &root)) return false;
  bool found = false;
  ForEachProfileName(registry, root, [&](std::string_view cut) {
    const std::string path = ProfilePath(cut) + "\\";
    RegKey key = 0;
    if (registry.OpenKey(kHkeyCurrentUser, path, kKeyAllAccess, &key) != win::kErrorSuccess) {
      return true;
    }
    registry.CloseKey(key);
    if (cut != name) return true;
    use(path);
    found = true;
    return false;
  });
  registry.CloseKey(root);
  return found;
}

// Index 0 each time: the enumeration stays valid as entries disappear. The buffers take the
// longest names the registry allows, so nothing is left behind for the length of its name.
int32_t DeleteAllValues(Registry& registry, RegKey key) {
  std::string name(16384, '\0');
  for (;;) {
    auto length = static_cast<uint32_t>(name.size());
    int32_t rc = registry.EnumValue(key, 0, name.data(), &length, nullptr, nullptr, nullptr);
    if (rc == win::kErrorNoMoreItems) return win::kErrorSuccess;
    if (rc == win::kErrorSuccess) rc = registry.DeleteValue(key, {name.data(), length});
    if (rc != win::kErrorSuccess) return rc;
  }
}

int32_t DeleteAllSubkeys(Registry& registry, RegKey key) {
  for (;;) {
    char name[260] = {};
    uint32_t length = sizeof name;
    int32_t rc = registry.EnumKey(key, 0, name, &length);
    if (rc == win::kErrorNoMoreItems) return win::kErrorSuccess;
    if (rc == win::kErrorSuccess) rc = DeleteKeyTree(registry, key, {name, length});
    if (rc != win::kErrorSuccess) return rc;
  }
}

}  // namespace

bool IsValidProfileName(std::string_view name) {
  return !name.empty() && name.find('\\') == std::string_view::npos;
}

std::vector<std::string> ListProfileNames(Registry& registry) {
  std::vector<std::string> names;
  RegKey root = 0;
  if (registry.OpenKey(kHkeyCurrentUser, kProfileRoot, kKeyRead, &root) != win::kErrorSuccess) {
    return names;
  }
  ForEachProfileName(registry, root, [&](std::string_view cut) {
    names.emplace_back(cut);
    return true;
  });
  registry.CloseKey(root);
  return names;
}

void EnumerateProfiles(Registry& registry, ProfileTable& table) {
  RegKey root = 0;
  if (!OpenProfileRoot(registry, &root)) {
    table.count = kReadFailed;
    return;
  }
  int32_t entry = 0;
  ForEachProfileName(registry, root, [&](std::string_view cut) {
    const std::string path = ProfilePath(cut) + "\\";
    RegKey key = 0;
    if (registry.OpenKey(kHkeyCurrentUser, path, kKeyAllAccess, &key) == win::kErrorSuccess) {
      std::memcpy(table.names[entry], cut.data(), cut.size());
      table.names[entry][cut.size()] = '\0';
      ReadConfigValues(registry, kHkeyCurrentUser, path, table.configs[entry]);
      registry.CloseKey(key);
    }
    return ++entry < kMaxProfiles;  // the table holds 64; the rest are not read
  });
  registry.CloseKey(root);
  table.count = entry;
}

void ReadProfile(Registry& registry, std::string_view name, AdapterConfig& config) {
  const bool found = WithProfile(registry, name, [&](const std::string& path) {
    ReadConfigValues(registry, kHkeyCurrentUser, path, config);
  });
  config.scope = found ? kScopeAll : kScopeNoAdapter;
}

// One batch: a profile is stored whole or not at all, whenever the process dies.
void WriteProfile(Registry& registry, std::string_view name, AdapterConfig& config) {
  if (!IsValidProfileName(name)) {
    config.scope = kScopeNoAdapter;
    return;
  }
  RegistryBatch batch(registry);
  if (!batch.open()) {  // written without it, the values would land one by one
    config.scope = kScopeNoAdapter;
    return;
  }
  RegKey created = 0;
  if (registry.CreateKey(kHkeyCurrentUser, ProfilePath(name), &created) == win::kErrorSuccess) {
    registry.CloseKey(created);
  }
  bool written = false;
  const bool found = WithProfile(registry, name, [&](const std::string& path) {
    WriteConfigValues(registry, kHkeyCurrentUser, path, config);
    written = config.scope != kScopeNoAdapter;
  });
  // Not found: the created key stays, as it would without the batch.
  const bool landed = batch.Commit() == win::kErrorSuccess;
  config.scope = found && written && landed ? kScopeAll : kScopeNoAdapter;
}

int32_t DeleteProfile(Registry& registry, std::string_view name) {
  // "" would take every profile with it
  if (!IsValidProfileName(name)) return win::kErrorInvalidParameter;
  RegistryBatch batch(registry);
  if (!batch.open()) return RegistryBatch::kBatchNotOpen;
  if (const int32_t rc = DeleteKeyTree(registry, kHkeyCurrentUser, ProfilePath(name))) return rc;
  return batch.Commit();
}

int32_t DeleteKeyTree(Registry& registry, RegKey parent, std::string_view path) {
  RegKey key = 0;
  if (const int32_t rc = registry.OpenKey(parent, path, kKeyAllAccess, &key)) return rc;
  int32_t rc = DeleteAllValues(registry, key);
  if (rc == win::kErrorSuccess) rc = DeleteAllSubkeys(registry, key);
  registry.CloseKey(key);
  if (rc != win::kErrorSuccess) return rc;
  return registry.DeleteKey(parent, path);
}

}  // namespace nv
