#include "logic/profile_actions.h"

#include <algorithm>
#include <cctype>
#include <cstring>

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
  const auto table = ReadProfileTable(registry);
  for (int32_t i = 0; i < table->count; ++i) {
    const char* stored = table->names[i];
    const std::string_view view(stored, strnlen(stored, kProfileNameChars));
    if (SameNameIgnoringCase(view, name)) return std::string(view);
  }
  return std::nullopt;
}

bool StoreProfile(Registry& registry, const std::string& name, AdapterConfig config) {
  config.scope = kScopeAll;
  WriteProfile(registry, name, config);
  return config.scope == kScopeAll;
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
