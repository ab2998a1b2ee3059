#include "logic/options.h"

#include <cstdio>

namespace nv {

ChannelRange ChannelRangeFor(uint32_t domainCode) {
  switch (domainCode) {
    case 0x10:
    case 0x20:
      return {1, 11};
    case 0x30:
      return {1, 13};
    case 0x31:
      return {10, 11};
    case 0x32:
      return {10, 13};
    case 0x41:
    default:  // an unknown domain offers every channel rather than none
      return {1, 14};
  }
}

std::string_view StatusText(int32_t state) {
  switch (state) {
    case kStateNotConnected:
      return "No Connect to Network";
    case kStateScanning:
      return "Scanning...";
    case kStateConnecting:
      return "Connect";
    case kStateAssociated:
      return "Associated";
    case kStateDisassociated:
      return "Disassociated";
    default:
      return "Driver not Load";
  }
}

std::string_view RateText(uint8_t rateIndex) {
  static constexpr std::string_view kTexts[] = {"",         "1",  "2",       "5.5",
                                                "5.5 PBCC", "11", "11 PBCC", "22 PBCC"};
  return rateIndex < kRateIndexCount ? kTexts[rateIndex] : "";
}

std::string BssidText(const uint8_t b[6]) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4],
                b[5]);
  return text;
}

std::string StatusLine(const LinkStatus& status) {
  std::string line(StatusText(status.state));
  if (status.state == kStateConnecting || status.state == kStateAssociated ||
      status.state == kStateDisassociated) {
    line += status.networkMode == kNetworkInfrastructure ? " BSSID=" : " IBSSID=";
    line += BssidText(status.bssid);
  }
  return line;
}

}  // namespace nv
