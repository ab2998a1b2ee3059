// Connection profiles: one key per profile under the user's "Software\NVXPROFILE\", each
// holding the dot11 value set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/records.h"
#include "platform/registry.h"

namespace nv {

inline constexpr std::string_view kProfileRoot = "Software\\NVXPROFILE\\";
inline constexpr int32_t kMaxProfiles = 64;
inline constexpr size_t kProfileNameChars = 32;

struct Profile {
  char name[36];
  AdapterConfig config;
};

struct ProfileTable {
  int32_t count;  // entries filled; -1 when the profile root did not open
  AdapterConfig configs[kMaxProfiles];
  char names[kMaxProfiles][36];
};

// A name the store accepts: not empty and no backslash (which would address a nested key).
bool IsValidProfileName(std::string_view name);

// Every stored profile name in enumeration order, cut to the 32 characters that count, by the
// walk the other operations use (a name too long for the store to read is not listed). Opens
// the profile root for reading only: empty when there is none.
std::vector<std::string> ListProfileNames(Registry& registry);
void EnumerateProfiles(Registry& registry, ProfileTable& table);
void ReadProfile(Registry& registry, std::string_view name, AdapterConfig& config);
void WriteProfile(Registry& registry, std::string_view name, AdapterConfig& config);
// 0 when the profile and all its values are gone, else the Win32 code of what stopped it (the
// profile is then left whole).
int32_t DeleteProfile(Registry& registry, std::string_view name);
int32_t DeleteKeyTree(Registry& registry, RegKey parent, std::string_view path);

}  // namespace nv
