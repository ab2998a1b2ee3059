// The Configuration and Security pages' rules without their widgets: what Reload shows from a
// stored configuration, what Apply writes into the record the change road hands over, and the
// key box limits and checks. Lists are addressed by position, -1 meaning "no selection".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adapter/records.h"
#include "logic/options.h"

namespace nv {

// The list position of a stored value; -1 when the list has no such entry.
int ListPosition(int32_t value, size_t entries);

// --- Configuration page -------------------------------------------------------------------

// "1".."11" and so on: the channel list of a regulatory domain, lowest channel first.
std::vector<std::string> ChannelEntries(uint32_t domainCode);
// The entry that shows `channel`, -1 when the domain has none.
int ChannelPosition(int32_t channel, uint32_t domainCode);
// The channel list is in use except for an infrastructure link (the access point chooses).
bool ChannelListEnabled(int bssTypePosition);

struct LinkSettingsView {
  std::string ssid;
  std::vector<std::string> channels;
  int channel;  // positions, -1 = no selection
  int bssType;
  int txRate;
  int preamble;
  int powerMode;
  bool channelEnabled;
};
LinkSettingsView ShowLinkSettings(const AdapterConfig& stored, uint32_t domainCode);

struct LinkSettingsInput {
  std::string ssid;         // the box's text (cut to 32 characters)
  std::string channelText;  // the selected channel entry, "" for none
  int bssType;              // positions, -1 = no selection
  int txRate;
  int preamble;
  int powerMode;
};
// Apply's overwrite of the link group. A list without selection keeps the stored value; the
// channel is the number the selected entry shows, 0 when none is selected.
void OverwriteLinkSettings(const LinkSettingsInput& input, AdapterConfig& config);

// --- Security page ------------------------------------------------------------------------

struct KeyBoxView {
  std::string text;  // stored bytes as upper-case hex (always HEX, shown masked)
  int sizeIndex;     // -1: the stored length fits no size; the list keeps its selection
  int limit;         // characters the box takes; 0 with sizeIndex -1
};

struct SecurityView {
  int authMode;                    // position, -1 = no selection
  std::optional<bool> encryption;  // nothing: a stored status other than 0 or 1
  int defaultKey;                  // 0..3, -1 = no radio button checked
  std::array<KeyBoxView, 4> keys;
};
SecurityView ShowSecurity(const AdapterConfig& stored);

// The key length check's verdict: the first key whose length does not fit its size.
struct KeyCheck {
  bool ok;
  int failingKey;       // 1..4 when !ok
  int32_t required;     // characters that key needs
  std::string message;  // for the "Warning" box (kKeyWarningCaption)
};

struct SecurityInput {
  int authMode = -1;  // position, -1 = no selection
  bool encryption = false;
  int defaultKey = -1;  // first checked radio button 0..3, -1 = none
  int keyFormat = kKeyFormatHex;
  std::array<std::string, 4> keyTexts;  // each character one byte (the ANSI code page)
  std::array<int, 4> keySizes{};
};
// The length check Apply runs first; always passes while encryption is off.
KeyCheck CheckSecurityInput(const SecurityInput& input);
// Apply's overwrite of the security group. Without encryption the stored keys and default key
// stay as they were; an empty key box gives an empty slot.
void OverwriteSecurity(const SecurityInput& input, AdapterConfig& config);

// The key box limit for a size and format (0 for an unknown size: the box then takes nothing
// new, the text it has stays).
int KeyBoxLimit(int sizeIndex, int formatIndex);
// The limit of a key box that shows a stored key: its size's. A length that fits no size
// (written by another tool) is shown whole, and the box takes at least what the size its list
// shows takes, so that the length check stops it rather than a cut key going out.
int ShownKeyBoxLimit(const KeyBoxView& key, int listedSizeIndex);
// A format picked in the list empties the key boxes (each then limited by its size in the new
// format) only when it is a real change from the format in force.
bool KeyFormatChanges(int formatInForce, int pickedFormat);
// A key size change cuts the box's text to the new limit; shorter text stays.
std::string CutKeyText(const std::string& text, int limit);
// "Done": the four keys made from the passphrase, as HEX text, for the size chosen for key 1;
// nothing for an empty passphrase or no size.
std::vector<std::string> KeysFromPassphrase(const std::string& passphrase, int sizeIndex);

}  // namespace nv
