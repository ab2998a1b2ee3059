#include "logic/profile_actions.h"

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

bool StoreProfile(Registry& registry, const std::string& name, AdapterConfig config) {
  config.scope = kScopeAll;
  WriteProfile(registry, name, config);
  return config.scope == kScopeAll;
}

ChangeOutcome PutInForce(AdapterIo& io, const AdapterConfig& config) {
  return ChangeAdapterSettings(io, kScopeAll, [&config](AdapterConfig& c) {
    c = config;
    return true;
  });
}

}  // namespace nv
