// The adapter's configuration in the registry: the dot11 value set, read and written in the
// adapter's network-class instance key and, with another root and path, in profile keys.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "adapter/adapter_io.h"
#include "adapter/records.h"
#include "platform/registry.h"

namespace nv {

namespace dot11 {
inline constexpr std::string_view kBssType = "dot11DesiredBSSType";
inline constexpr std::string_view kChannel = "dot11DesiredChannel";
inline constexpr std::string_view kPowerMode = "dot11PowerMode";
inline constexpr std::string_view kShortPreamble = "dot11ShortPreambleInvoked";
inline constexpr std::string_view kTxRate = "dot11DesiredTxRate";
inline constexpr std::string_view kTxRate11M = "dot11DesiredTxRate11M";
inline constexpr std::string_view kSsid = "dot11DesiredSSID";
inline constexpr std::string_view kBssid = "dot11DesiredBSSID";
inline constexpr std::string_view kAuthMode = "dot11AuthMode";
inline constexpr std::string_view kAuthenticationMode = "dot11AuthenticationMode";
inline constexpr std::string_view kWepStatus = "dot11WEPStatus";
inline constexpr std::string_view kDefaultKeyId = "dot11WEPDefaultKeyID";
inline constexpr std::string_view kKeyPrefix = "dot11WEPDefaultKey";  // + "1".."4"

inline constexpr int32_t kDefaultBssType = kBssAny;
inline constexpr int32_t kDefaultChannel = 1;
inline constexpr int32_t kDefaultPowerMode = kPowerContinuous;
inline constexpr int32_t kDefaultShortPreamble = kPreambleLong;
inline constexpr int32_t kDefaultTxRate = kRate11M;
inline constexpr std::string_view kDefaultSsid = "Wireless";
inline constexpr int32_t kDefaultAuthMode = kAuthAutoSwitch;
inline constexpr int32_t kDefaultWepStatus = kWepDisabled;
inline constexpr int32_t kDefaultKeyIdValue = 0;
}  // namespace dot11

inline constexpr std::string_view kNtClassRoot =
    "System\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}\\";
inline constexpr std::string_view k9xClassRoot =
    "System\\CurrentControlSet\\Services\\Class\\Net\\";
inline constexpr std::string_view kHardwareIds[] = {"PCI\\VEN_1A2B&DEV_3C4D&SUBSYS_00011A2B",
                                                    "PCI\\VEN_1A2B&DEV_3C4D&SUBSYS_00021A2B"};
inline constexpr std::string_view kMatchingDeviceId = "MatchingDeviceId";
inline constexpr std::string_view kNetCfgInstanceId = "NetCfgInstanceId";

// What a key without any dot11 value reads as.
AdapterConfig DefaultAdapterConfig();

// The class root of a platform family (dwPlatformId).
std::string_view ClassRootFor(uint32_t platformId);

// Path of the first instance key that matches a hardware ID and whose adapter is present.
bool LocateAdapterKey(AdapterIo& io, std::string* instancePath);

void ReadAdapterParameters(AdapterIo& io, AdapterConfig& config);
void WriteAdapterParameters(AdapterIo& io, AdapterConfig& config);
void ReadConfigValues(Registry& registry, RegKey root, std::string_view path,
                      AdapterConfig& config);
void WriteConfigValues(Registry& registry, RegKey root, std::string_view path,
                       AdapterConfig& config);

}  // namespace nv
