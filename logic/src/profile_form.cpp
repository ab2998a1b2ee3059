#include "logic/profile_form.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "logic/options.h"
#include "store/profile_store.h"

namespace nv {

namespace {

int Position(int32_t value, size_t entries) {
  return value >= 0 && static_cast<size_t>(value) < entries ? static_cast<int>(value) : -1;
}

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
  v.ssid.assign(c.ssid, strnlen(c.ssid, kProfileNameChars));
  v.profileName = mode == ProfileMode::Add ? v.ssid : profileName.substr(0, kProfileNameChars);
  v.title = ProfileDialogTitle(mode, v.profileName);
  const ChannelRange range = ChannelRangeFor(domainCode);
  for (int ch = range.first; ch <= range.last; ++ch) v.channels.push_back(std::to_string(ch));
  v.channel = c.channel >= range.first && c.channel <= range.last ? c.channel - range.first : -1;
  v.bssType = Position(c.bssType, kBssTypeTexts.size());
  v.txRate = Position(c.txRate & 0xFF, kTxRateTexts.size());
  v.preamble = Position(c.shortPreamble, kPreambleTexts.size());
  v.powerMode = Position(c.powerMode, kPowerModeTexts.size());
  v.authMode = Position(c.authMode, kAuthModeTexts.size());
  v.encryption = c.wepStatus == 0;
  v.defaultKey = Position(c.defaultKeyId, 4);
  for (size_t i = 0; i < 4; ++i) v.keys[i] = KeyBytesToText(c.keys[i]);
  v.nameEnabled = mode != ProfileMode::Properties;
  v.ssidEnabled = mode != ProfileMode::Connect;
  v.bssTypeEnabled = mode != ProfileMode::Connect;
  v.encryptionEnabled = mode != ProfileMode::Connect;
  v.channelEnabled = v.bssType != 1;
  return v;
}

ProfileCheck CheckProfileForm(const ProfileFormInput& in) {
  if (in.encryption) {
    std::array<KeyBoxInput, 4> keys{};
    for (size_t i = 0; i < 4; ++i) keys[i] = {in.keyTexts[i], in.keySizes[i]};
    const KeyCheckResult r = CheckKeyLengths(keys, in.keyFormat, in.checkedRadio);
    if (!r.ok) return {false, r.message};
  }
  if (!IsValidProfileName(in.profileName) || in.profileName.size() > kProfileNameChars) {
    return {false, kProfileNameMessage};
  }
  return {true, {}};
}

void OverwriteFromProfileForm(const ProfileFormInput& in, AdapterConfig& c) {
  c.channel = in.channelText.empty() ? 0 : std::atoi(in.channelText.c_str());
  if (in.bssType >= 0) c.bssType = in.bssType;
  if (in.powerMode >= 0) c.powerMode = in.powerMode;
  if (in.preamble >= 0) c.shortPreamble = in.preamble;
  if (in.txRate >= 0) c.txRate = in.txRate;
  CopyText(in.ssid, c.ssid, kProfileNameChars);
  if (in.authMode >= 0) c.authMode = in.authMode;
  c.wepStatus = in.encryption ? 0 : 1;
  c.defaultKeyId = in.checkedRadio >= 0 ? in.checkedRadio : in.openedDefaultKey;
  for (size_t i = 0; i < 4; ++i) {
    c.keys[i] = WepKeySlot{};
    KeyTextToBytes(in.keyTexts[i], in.keyFormat, c.keys[i]);
  }
}

void TakeNetwork(const std::array<std::string, 6>& columns, AdapterConfig& c) {
  c.wepStatus = columns[2] == "Yes" ? 0 : 1;
  c.bssType = columns[3] == "Yes" ? 1 : 0;
  CopyText(columns[0], c.bssidText, sizeof c.bssidText - 1);
  CopyText(columns[1], c.ssid, kProfileNameChars);
}

}  // namespace nv
