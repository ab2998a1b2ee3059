// What the Site Survey page's commands do to the profile store and the adapter, without its
// widgets. Every change of the adapter's settings takes the change road.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "adapter/adapter_io.h"
#include "adapter/records.h"
#include "logic/change_road.h"
#include "store/profile_store.h"

namespace nv {

// Every profile, in the store's order. A fresh user's first look creates the profile root and
// reads nothing; it is asked once more so the list is not empty for no reason.
std::unique_ptr<ProfileTable> ReadProfileTable(Registry& registry);

// The stored profile of that name; nothing when there is none (deleted elsewhere meanwhile).
std::optional<AdapterConfig> FindProfile(Registry& registry, const std::string& name);

// Profile names ignore case (registry key names do: "HOME" and "home" are one key).
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
// The name a profile is stored under when one matches `name` ignoring case, among every
// stored profile (not only the ones a profile table holds): Add asks before replacing it.
std::optional<std::string> StoredProfileName(Registry& registry, const std::string& name);
// What Add asks before it replaces that profile, and what Delete asks before it removes one.
std::string ReplaceProfileQuestion(const std::string& storedName);
std::string RemoveProfileQuestion(const std::string& name);

// Writes every value of `config` under `name`; false when the store could not keep it.
bool StoreProfile(Registry& registry, const std::string& name, AdapterConfig config);
// Removes the profile and all its values; false when it could not (it is then left whole).
bool RemoveProfile(Registry& registry, const std::string& name);

// The adapter's stored settings (scope kScopeNoAdapter when there is no supported adapter):
// where a page starts from when it shows them or puts a new configuration together.
AdapterConfig StoredAdapterSettings(AdapterIo& io);

// Puts a whole configuration in force: apply, store as the adapter's settings, scan.
ChangeOutcome PutInForce(AdapterIo& io, const AdapterConfig& config,
                         uint32_t lockWaitMs = kSettingsLockWaitMs);

}  // namespace nv
