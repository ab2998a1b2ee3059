// The Profile dialog's rules without its widgets: what it shows of a configuration in each
// mode, what its OK checks, and what OK writes back. Lists are addressed by position, -1
// meaning "no selection".
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "adapter/records.h"
#include "logic/page_rules.h"

namespace nv {

enum class ProfileMode { Add, Properties, Connect };

// "Add New Profile", "Profile: NAME", "Connect: NAME".
std::string ProfileDialogTitle(ProfileMode mode, const std::string& profileName);

// The dialog shows the Configuration page's link settings and the Security page's security
// settings of one configuration, with the mode's title, profile name and enabling.
struct ProfileFormView {
  std::string title;
  std::string profileName;  // Add mode: the configuration's SSID
  LinkSettingsView link;    // channelEnabled: off for infrastructure, for the whole run
  SecurityView security;    // keys always HEX when the dialog opens
  // Which controls the mode leaves enabled.
  bool nameEnabled;
  bool ssidEnabled;
  bool bssTypeEnabled;
  bool encryptionEnabled;
};
ProfileFormView ShowProfileForm(const AdapterConfig& config, ProfileMode mode,
                                const std::string& profileName, uint32_t domainCode);

struct ProfileFormInput {
  std::string profileName;
  LinkSettingsInput link;
  SecurityInput security;    // defaultKey: the first checked radio button, -1 = none
  int openedDefaultKey = 0;  // the default key the dialog opened with (its hidden list)
};

struct ProfileCheck {
  bool ok;
  std::string message;  // for the "Warning" box
};
// OK's checks: the key lengths while encryption is on, then the profile name (1 to 32
// characters, no backslash: a name the profile store cannot keep would lose the profile).
ProfileCheck CheckProfileForm(const ProfileFormInput& input);
inline constexpr const char* kProfileNameMessage =
    "Profile name mistake!\n Need 1 to 32 characters, without \\";

// The name a profile of that name is stored under, when there is one (StoredProfileName).
using ProfileNameLookup = std::function<std::optional<std::string>(const std::string&)>;

// What OK does next.
struct ProfileOk {
  std::string warning;      // not empty: the checks failed; say it in the "Warning" box
  bool askReplace = false;  // ask ReplaceProfileQuestion(name) first; "No" keeps the dialog
  std::string name;         // the name to store under: a replaced profile keeps its spelling
};
// OK's checks, then, in Add mode only, the look for a stored profile of that name (names
// ignore case), which is replaced only when the user says so.
ProfileOk DecideProfileOk(const ProfileFormInput& input, ProfileMode mode,
                          const ProfileNameLookup& lookup);

// OK's write-back into the configuration: the link settings as the Configuration page takes
// them (the channel is 0 when none is selected), the security settings with the keys taken
// also while encryption is off. bssidText and txRate11M are left as they were.
void OverwriteFromProfileForm(const ProfileFormInput& input, AdapterConfig& config);

// Connect: the network's survey columns (BSS/IBSSID, SSID, WEP, AP, ...) dictate WEP on or
// off, the BSS type, the BSSID text and the SSID; everything else stays as stored.
void TakeNetwork(const std::array<std::string, 6>& columns, AdapterConfig& config);

}  // namespace nv
