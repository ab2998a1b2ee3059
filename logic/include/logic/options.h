// The option lists the pages share (position = stored value), the channel ranges of the
// regulatory domains, and the texts the Link Info page shows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "adapter/records.h"

namespace nv {

inline constexpr std::array<std::string_view, 3> kBssTypeTexts = {"Ad-hoc", "Infrastructure",
                                                                  "Any"};
inline constexpr std::array<std::string_view, 8> kTxRateTexts = {
    "Auto",          "1 Mbps",  "2 Mbps",       "5.5 Mbps",
    "5.5 Mbps PBCC", "11 Mbps", "11 Mbps PBCC", "22 Mbps PBCC"};
inline constexpr std::array<std::string_view, 2> kPreambleTexts = {"Long Preamble",
                                                                   "Short Preamble"};
inline constexpr std::array<std::string_view, 3> kPowerModeTexts = {
    "Continuous Access Mode", "Maximum Power Save", "Fast Power Save"};
inline constexpr std::array<std::string_view, 3> kAuthModeTexts = {
    "Open Authentication", "Shared Authentication", "Auto Switch"};
// The key lists (positions kKeySize64... and kKeyFormatAscii, kKeyFormatHex).
inline constexpr std::string_view kKeySizeTexts[] = {"64 bits", "128 bits", "256 bits"};
inline constexpr std::string_view kKeyFormatTexts[] = {"ASC II", "HEX"};
// The passphrase box takes this many characters; wlanctl refuses a longer one.
inline constexpr size_t kMaxPassphraseChars = 32;
// The caption of the box that tells a key or profile name mistake.
inline constexpr std::string_view kKeyWarningCaption = "Warning";

struct ChannelRange {
  int first;
  int last;
};
// The channels a regulatory domain allows. A domain code the table does not know offers
// every channel, 1 to 14, rather than none.
ChannelRange ChannelRangeFor(uint32_t domainCode);

// Link Info texts.
std::string_view StatusText(int32_t state);     // "Driver not Load" for anything unknown
std::string_view RateText(uint8_t rateIndex);   // "" for no rate
std::string BssidText(const uint8_t bssid[6]);  // "00-0A-F5-10-00-01"
// Status with " BSSID=..." / " IBSSID=..." while connecting, associated or disassociated.
std::string StatusLine(const LinkStatus& status);

}  // namespace nv
