// The Profile dialog's rules without its widgets: what it shows of a configuration in each
// mode, what its OK checks, and what OK writes back. Lists are addressed by position, -1
// meaning "no selection".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "adapter/records.h"
#include "store/wep_keys.h"

namespace nv {

enum class ProfileMode { Add, Properties, Connect };

// "Add New Profile", "Profile: NAME", "Connect: NAME".
std::string ProfileDialogTitle(ProfileMode mode, const std::string& profileName);

struct ProfileFormView {
  std::string title;
  std::string profileName;  // Add mode: the configuration's SSID
  std::string ssid;
  std::vector<std::string> channels;  // by regulatory domain
  int channel;                        // positions, -1 = no selection
  int bssType;
  int txRate;
  int preamble;
  int powerMode;
  int authMode;
  bool encryption;  // "Data Encryption": WEP status 0
  int defaultKey;   // 0..3, -1 = no radio button checked
  std::array<KeyText, 4> keys;  // always HEX when the dialog opens
  // Which controls the mode leaves enabled.
  bool nameEnabled;
  bool ssidEnabled;
  bool bssTypeEnabled;
  bool encryptionEnabled;
  bool channelEnabled;  // off for an infrastructure configuration, for the whole run
};
ProfileFormView ShowProfileForm(const AdapterConfig& config, ProfileMode mode,
                                const std::string& profileName, uint32_t domainCode);

struct ProfileFormInput {
  std::string profileName;
  std::string ssid;
  std::string channelText;  // the selected channel entry, "" for none
  int bssType = -1;         // positions, -1 = no selection
  int txRate = -1;
  int preamble = -1;
  int powerMode = -1;
  int authMode = -1;
  bool encryption = false;
  int openedDefaultKey = 0;  // the default key the dialog opened with
  int checkedRadio = -1;     // first checked default-key radio button, -1 = none
  int keyFormat = kKeyFormatHex;
  std::array<std::string, 4> keyTexts;  // each character one byte (the ANSI code page)
  std::array<int, 4> keySizes{};
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

// OK's write-back into the configuration. A list without selection keeps the value the
// configuration had; the channel is the number of the selected entry, 0 for none. Keys are
// taken also while encryption is off. bssidText and txRate11M are left as they were.
void OverwriteFromProfileForm(const ProfileFormInput& input, AdapterConfig& config);

// Connect: the network's survey columns (BSS/IBSSID, SSID, WEP, AP, ...) dictate WEP on or
// off, the BSS type, the BSSID text and the SSID; everything else stays as stored.
void TakeNetwork(const std::array<std::string, 6>& columns, AdapterConfig& config);

}  // namespace nv
