#include "logic/page_rules.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "store/wep_keys.h"

namespace nv {

namespace {

void SetFromPosition(int position, size_t entries, int32_t& field) {
  if (position >= 0 && static_cast<size_t>(position) < entries) field = position;
}

}  // namespace

int ListPosition(int32_t value, size_t entries) {
  return value >= 0 && static_cast<size_t>(value) < entries ? static_cast<int>(value) : -1;
}

std::vector<std::string> ChannelEntries(uint32_t domainCode) {
  const ChannelRange range = ChannelRangeFor(domainCode);
  std::vector<std::string> entries;
  for (int c = range.first; c <= range.last; ++c) entries.push_back(std::to_string(c));
  return entries;
}

int ChannelPosition(int32_t channel, uint32_t domainCode) {
  const ChannelRange range = ChannelRangeFor(domainCode);
  return channel >= range.first && channel <= range.last ? channel - range.first : -1;
}

bool ChannelListEnabled(int bssTypePosition) { return bssTypePosition != kBssInfrastructure; }

LinkSettingsView ShowLinkSettings(const AdapterConfig& stored, uint32_t domainCode) {
  LinkSettingsView view{};
  view.ssid.assign(stored.ssid, strnlen(stored.ssid, 32));
  view.channels = ChannelEntries(domainCode);
  view.channel = ChannelPosition(stored.channel, domainCode);
  view.bssType = ListPosition(stored.bssType, kBssTypeTexts.size());
  view.txRate = ListPosition(stored.txRate, kTxRateTexts.size());
  view.preamble = ListPosition(stored.shortPreamble, kPreambleTexts.size());
  view.powerMode = ListPosition(stored.powerMode, kPowerModeTexts.size());
  view.channelEnabled = ChannelListEnabled(view.bssType);
  return view;
}

void OverwriteLinkSettings(const LinkSettingsInput& input, AdapterConfig& config) {
  // The decimal number at the start of the entry, as the list shows it.
  config.channel = static_cast<int32_t>(std::strtol(input.channelText.c_str(), nullptr, 10));
  SetFromPosition(input.bssType, kBssTypeTexts.size(), config.bssType);
  SetFromPosition(input.powerMode, kPowerModeTexts.size(), config.powerMode);
  SetFromPosition(input.preamble, kPreambleTexts.size(), config.shortPreamble);
  SetFromPosition(input.txRate, kTxRateTexts.size(), config.txRate);
  std::memset(config.ssid, 0, sizeof config.ssid);
  std::memcpy(config.ssid, input.ssid.data(), std::min<size_t>(input.ssid.size(), 32));
}

SecurityView ShowSecurity(const AdapterConfig& stored) {
  SecurityView view{};
  view.authMode = ListPosition(stored.authMode, kAuthModeTexts.size());
  if (stored.wepStatus == kWepEnabled) view.encryption = true;
  if (stored.wepStatus == kWepDisabled) view.encryption = false;
  view.defaultKey = ListPosition(stored.defaultKeyId, 4);
  for (size_t i = 0; i < 4; ++i) {
    const KeyText text = KeyBytesToText(stored.keys[i]);
    view.keys[i] = {text.text, text.sizeIndex, text.boxLimit};
  }
  return view;
}

KeyCheck CheckSecurityInput(const SecurityInput& input) {
  if (!input.encryption) return {true, 0, 0, {}};
  std::array<KeyBoxInput, 4> keys{};
  for (size_t i = 0; i < 4; ++i) keys[i] = {input.keyTexts[i], input.keySizes[i]};
  const KeyCheckResult r = CheckKeyLengths(keys, input.keyFormat, input.defaultKey);
  return {r.ok, r.failingKey, r.required, r.message};
}

void OverwriteSecurity(const SecurityInput& input, AdapterConfig& config) {
  SetFromPosition(input.authMode, kAuthModeTexts.size(), config.authMode);
  if (!input.encryption) {
    config.wepStatus = kWepDisabled;
    return;
  }
  config.wepStatus = kWepEnabled;
  SetFromPosition(input.defaultKey, 4, config.defaultKeyId);
  for (size_t i = 0; i < 4; ++i) {
    config.keys[i] = WepKeySlot{};
    KeyTextToBytes(input.keyTexts[i], input.keyFormat, config.keys[i]);
  }
}

int KeyBoxLimit(int sizeIndex, int formatIndex) { return RequiredKeyChars(sizeIndex, formatIndex); }

int ShownKeyBoxLimit(const KeyBoxView& key, int listedSizeIndex) {
  if (key.sizeIndex >= 0) return key.limit;
  return std::max(static_cast<int>(key.text.size()), KeyBoxLimit(listedSizeIndex, kKeyFormatHex));
}

bool KeyFormatChanges(int formatInForce, int pickedFormat) {
  return pickedFormat >= 0 && pickedFormat != formatInForce;
}

std::string CutKeyText(const std::string& text, int limit) {
  if (limit < 0 || text.size() <= static_cast<size_t>(limit)) return text;
  return text.substr(0, static_cast<size_t>(limit));
}

std::vector<std::string> KeysFromPassphrase(const std::string& passphrase, int sizeIndex) {
  return GenerateKeysFromPassphrase(passphrase, sizeIndex);
}

}  // namespace nv
