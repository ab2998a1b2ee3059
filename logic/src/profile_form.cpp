#include "logic/profile_form.h"

#include <algorithm>
#include <cstring>

#include "logic/options.h"
#include "store/profile_store.h"
#include "store/wep_keys.h"

namespace nv {

namespace {

void CopyText(const std::string& text, char* out, size_t limit) {
  const size_t n = std::min(text.size(), limit);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

}  // namespace

std::string ProfileDialogTitle(ProfileMode mode, const std::string& profileName) {
  switch (mode) {
    case ProfileMode::Add:
      return "Add New Profile";
    case ProfileMode::Properties:
      return "Profile: " + profileName;
    case ProfileMode::Connect:
      return "Connect: " + profileName;
  }
  return {};
}

ProfileFormView ShowProfileForm(const AdapterConfig& c, ProfileMode mode,
                                const std::string& profileName, uint32_t domainCode) {
  ProfileFormView v{};
  v.link = ShowLinkSettings(c, domainCode);
  v.security = ShowSecurity(c);
  v.profileName = mode == ProfileMode::Add ? v.link.ssid : profileName.substr(0, kProfileNameChars);
  v.title = ProfileDialogTitle(mode, v.profileName);
  v.nameEnabled = mode != ProfileMode::Properties;
  v.ssidEnabled = mode != ProfileMode::Connect;
  v.bssTypeEnabled = mode != ProfileMode::Connect;
  v.encryptionEnabled = mode != ProfileMode::Connect;
  return v;
}

ProfileCheck CheckProfileForm(const ProfileFormInput& in) {
  const KeyCheck keys = CheckSecurityInput(in.security);
  if (!keys.ok) return {false, keys.message};
  if (!IsValidProfileName(in.profileName) || in.profileName.size() > kProfileNameChars) {
    return {false, kProfileNameMessage};
  }
  return {true, {}};
}

ProfileOk DecideProfileOk(const ProfileFormInput& in, ProfileMode mode,
                          const ProfileNameLookup& lookup) {
  const ProfileCheck check = CheckProfileForm(in);
  if (!check.ok) return {check.message, false, {}};
  const std::optional<std::string> stored =
      mode == ProfileMode::Add && lookup ? lookup(in.profileName) : std::nullopt;
  if (!stored) return {{}, false, in.profileName};
  return {{}, true, *stored};
}

void OverwriteFromProfileForm(const ProfileFormInput& in, AdapterConfig& c) {
  OverwriteLinkSettings(in.link, c);
  const SecurityInput& s = in.security;
  if (s.authMode >= 0 && static_cast<size_t>(s.authMode) < kAuthModeTexts.size()) {
    c.authMode = s.authMode;
  }
  c.wepStatus = s.encryption ? kWepEnabled : kWepDisabled;
  c.defaultKeyId = s.defaultKey >= 0 && s.defaultKey < 4 ? s.defaultKey : in.openedDefaultKey;
  for (size_t i = 0; i < 4; ++i) {
    c.keys[i] = WepKeySlot{};
    KeyTextToBytes(s.keyTexts[i], s.keyFormat, c.keys[i]);
  }
}

void TakeNetwork(const std::array<std::string, 6>& columns, AdapterConfig& c) {
  c.wepStatus = columns[2] == "Yes" ? kWepEnabled : kWepDisabled;
  c.bssType = columns[3] == "Yes" ? kBssInfrastructure : kBssAdHoc;
  CopyText(columns[0], c.bssidText, sizeof c.bssidText - 1);
  CopyText(columns[1], c.ssid, kProfileNameChars);
}

}  // namespace nv
