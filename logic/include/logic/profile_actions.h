// What the Site Survey page's commands and wlanctl's profile command do to the profile store
// and the adapter, without widgets. Every change of the adapter's settings takes the change
// road.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/adapter_io.h"
#include "adapter/records.h"
#include "logic/change_road.h"
#include "logic/survey_model.h"

namespace nv {

// A profile list holds at most this many profiles (the store's table).
inline constexpr size_t kMaxListedProfiles = 64;
// A profile name counts up to this many bytes.
inline constexpr size_t kMaxProfileNameChars = 32;

// Every profile, in the store's order. A fresh user's first look creates the profile root and
// reads nothing; it is asked once more so the list is not empty for no reason. For logic/ and
// the tests: the front ends take ListProfiles.
std::unique_ptr<ProfileTable> ReadProfileTable(Registry& registry);

struct ProfileListing {
  std::vector<ProfileRow> rows;  // current ones, then in range, then not (OrderProfiles)
  size_t omitted = 0;            // stored profiles the list cannot hold
};
// The profiles as the Site Survey page and `wlanctl profile list` show them, marked against
// the survey and the link.
ProfileListing ListProfiles(Registry& registry, const BssList& survey, const LinkStatus& current);

// A name the profile store keeps: 1 to 32 bytes, no backslash (which would address a nested
// key).
bool ProfileNameFits(std::string_view name);

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
// Removes the profile and all its values; false when it could not (it is then left whole, and
// `code`, when given, gets the Win32 code of what stopped it).
bool RemoveProfile(Registry& registry, const std::string& name, int32_t* code = nullptr);

// The adapter's stored settings (scope kScopeNoAdapter when there is no supported adapter):
// where a page starts from when it shows them or puts a new configuration together.
AdapterConfig StoredAdapterSettings(AdapterIo& io);
// What a profile made without the window starts from: the adapter's stored settings, or the
// defaults when no supported adapter is found.
AdapterConfig NewProfileSettings(AdapterIo& io);
// Connect: the adapter's stored settings with what the network's survey columns dictate.
AdapterConfig NetworkSettings(AdapterIo& io, const std::array<std::string, 6>& columns);

// Puts a whole configuration in force: apply, store as the adapter's settings, scan.
ChangeOutcome PutInForce(AdapterIo& io, const AdapterConfig& config,
                         uint32_t lockWaitMs = kSettingsLockWaitMs);

// What a window's profile command did (it waits for the settings lock only as the window may).
struct ProfileChange {
  // The change went ahead (no other program held the settings lock): the pages reload.
  bool taken = false;
  // What did not happen, one line per fact (logic/change_message.h); empty when all did.
  std::vector<std::string> problems;
};
// A double click or Enter on a profile: puts the stored profile in force. A profile removed
// meanwhile does nothing (a cleared record would wipe the adapter's settings).
ProfileChange ActivateStoredProfile(AdapterIo& io, const std::string& name);
// The Profile dialog's OK: stores the profile, then puts it in force. `shownName` is the name
// as the window shows it, for "was stored but not activated".
ProfileChange StoreAndActivate(AdapterIo& io, const std::string& name, const AdapterConfig& config,
                               const std::string& shownName);

}  // namespace nv
