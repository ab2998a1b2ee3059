#include "logic/profile_actions.h"

#include <algorithm>
#include <cctype>

#include "store/adapter_params.h"

namespace nv {

std::unique_ptr<ProfileTable> ReadProfileTable(Registry& registry) {
  auto table = std::make_unique<ProfileTable>();
  EnumerateProfiles(registry, *table);
  if (table->count < 0) {
    *table = ProfileTable{};
    EnumerateProfiles(registry, *table);
  }
  return table;
}

std::optional<AdapterConfig> FindProfile(Registry& registry, const std::string& name) {
  AdapterConfig config{};
  ReadProfile(registry, name, config);
  if (config.scope != kScopeAll) return std::nullopt;
  return config;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<std::string> StoredProfileName(Registry& registry, const std::string& name) {
  for (const std::string& stored : ListProfileNames(registry)) {
    if (SameNameIgnoringCase(stored, name)) return stored;
  }
  return std::nullopt;
}

std::string ReplaceProfileQuestion(const std::string& storedName) {
  return "A profile named \"" + storedName + "\" exists. Replace it?";
}

std::string RemoveProfileQuestion(const std::string& name) {
  return "Remove profile " + name + "?";
}

bool StoreProfile(Registry& registry, const std::string& name, AdapterConfig config) {
  config.scope = kScopeAll;
  WriteProfile(registry, name, config);
  return config.scope == kScopeAll;
}

bool RemoveProfile(Registry& registry, const std::string& name) {
  return DeleteProfile(registry, name) == 0;
}

AdapterConfig StoredAdapterSettings(AdapterIo& io) {
  AdapterConfig config{};
  ReadAdapterParameters(io, config);
  return config;
}

ChangeOutcome PutInForce(AdapterIo& io, const AdapterConfig& config, uint32_t lockWaitMs) {
  return ChangeAdapterSettings(
      io, kScopeAll,
      [&config](AdapterConfig& c) {
        c = config;
        return true;
      },
      lockWaitMs);
}

}  // namespace nv
