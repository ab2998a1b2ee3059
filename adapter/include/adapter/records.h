// The records exchanged between the driver, the registry, the profiles and the pages. Every
// record is a plain value; its owner value-initialises it ({}), which zero-fills it.
#pragma once

#include <array>
#include <cstdint>

namespace nv {

struct WepKeySlot {
  uint8_t material[128];  // raw key bytes; only the first `length` are meaningful
  int32_t length;         // 0 = empty slot
};

// WEP key sizes (5, 13 or 29 bytes) and the two ways a key is typed: the positions of the
// key lists in every window, and what the key rules take.
inline constexpr int kKeySize64 = 0;
inline constexpr int kKeySize128 = 1;
inline constexpr int kKeySize256 = 2;
inline constexpr int kKeyFormatAscii = 0;
inline constexpr int kKeyFormatHex = 1;

// Values of AdapterConfig::scope.
inline constexpr int32_t kScopeAll = 0;
inline constexpr int32_t kScopeLink = 1;
inline constexpr int32_t kScopeSecurity = 2;
inline constexpr int32_t kScopeNoAdapter = -1;

// Values of AdapterConfig::bssType (the NDIS 802.11 infrastructure mode numbering).
inline constexpr int32_t kBssAdHoc = 0;
inline constexpr int32_t kBssInfrastructure = 1;
inline constexpr int32_t kBssAny = 2;

// Values of AdapterConfig::powerMode.
inline constexpr int32_t kPowerContinuous = 0;
inline constexpr int32_t kPowerMaxSave = 1;
inline constexpr int32_t kPowerFastSave = 2;

// Values of AdapterConfig::shortPreamble.
inline constexpr int32_t kPreambleLong = 0;
inline constexpr int32_t kPreambleShort = 1;

// Values of AdapterConfig::authMode.
inline constexpr int32_t kAuthOpen = 0;
inline constexpr int32_t kAuthShared = 1;
inline constexpr int32_t kAuthAutoSwitch = 2;
inline constexpr int32_t kAuthDriverChooses = -1;  // all bits set; sent while connecting

// Values of AdapterConfig::wepStatus: note that 0 means enabled.
inline constexpr int32_t kWepEnabled = 0;
inline constexpr int32_t kWepDisabled = 1;

// Transmit rate indexes (AdapterConfig::txRate, LinkStatus::rateIndex).
inline constexpr int32_t kRateAuto = 0;  // sent as the 22 Mbit/s code; never read back
inline constexpr int32_t kRateNone = 0;  // LinkStatus::rateIndex: no (known) rate
inline constexpr int32_t kRate1M = 1;
inline constexpr int32_t kRate2M = 2;
inline constexpr int32_t kRate5_5M = 3;
inline constexpr int32_t kRate5_5MPbcc = 4;
inline constexpr int32_t kRate11M = 5;
inline constexpr int32_t kRate11MPbcc = 6;
inline constexpr int32_t kRate22MPbcc = 7;

struct AdapterConfig {
  int32_t scope;       // apply/write selector in; registry reader's result out (0 / -1)
  int32_t bssType;     // 0 ad hoc, 1 infrastructure, 2 any
  char ssid[36];       // NUL-terminated, at most 32 significant characters
  char bssidText[20];  // dot11DesiredBSSID text, at most 17 characters
  int32_t powerMode;   // 0 continuous, 1 max power save, 2 fast power save
  int32_t txRate;      // rate index 0..7; only the low byte counts
  int32_t txRate11M;   // carried between registry and profiles only
  int32_t channel;     // 1..14
  int32_t shortPreamble;
  int32_t authMode;   // 0 open, 1 shared, 2 auto switch
  int32_t wepStatus;  // 0 enabled, 1 disabled
  WepKeySlot keys[4];
  int32_t defaultKeyId;  // 0..3
};

// Connection states of LinkStatus::state.
inline constexpr int32_t kStateNoDriver = -1;
inline constexpr int32_t kStateNotConnected = 0;
inline constexpr int32_t kStateScanning = 1;
inline constexpr int32_t kStateConnecting = 2;
inline constexpr int32_t kStateAssociated = 3;
inline constexpr int32_t kStateDisassociated = 4;

// Values of LinkStatus::networkMode and BssEntry::networkMode.
inline constexpr uint8_t kNetworkAdHoc = 0;
inline constexpr uint8_t kNetworkInfrastructure = 1;
inline constexpr uint8_t kNetworkUndetermined = 2;  // LinkStatus only

// A read operation marks the record it could not fill: BssList::count,
// AdapterStatistics::counterSet and DriverVersions::result become -1 (LinkStatus::state
// becomes kStateNoDriver, the same value).
inline constexpr int32_t kReadFailed = -1;
inline constexpr int32_t kVersionsRead = 0;  // DriverVersions::result after a good read

// Values of AdapterStatistics::counterSet going in: the primary pair; any other the secondary.
inline constexpr int32_t kCounterSetPrimary = 0;

struct LinkStatus {
  char ssid[36];
  uint8_t channel;  // 0 = none
  uint8_t bssid[6];
  uint8_t networkMode;  // 0 ad hoc, 1 infrastructure, 2 undetermined
  int32_t state;
  uint8_t rateIndex;    // 0 = none
  uint32_t linkMetric;  // lower is better
  uint32_t signalMetric;
};

struct BssEntry {
  uint8_t channel;
  char ssid[36];
  uint8_t bssid[6];
  uint8_t rssi;
  uint8_t privacy;
  uint8_t networkMode;  // 0 ad hoc, 1 infrastructure
};

inline constexpr int32_t kMaxBssEntries = 64;

struct BssList {
  int32_t count;  // 0..64; -1 = reading failed
  BssEntry entries[kMaxBssEntries];
};

struct AdapterStatistics {
  int32_t counterSet;  // in: 0 primary, other secondary; out: -1 = query failed
  uint32_t rxBytes;
  uint32_t txBytes;
};

struct DriverVersions {
  int32_t result;  // 0, or -1 = failed
  uint8_t firmwareVersion[4];
  uint8_t driverVersion[4];
};

// Transmit rate index <-> driver rate code (100 kbit/s units, +0x80 for PBCC).
inline constexpr int kRateIndexCount = kRate22MPbcc + 1;
uint8_t RateCodeFromIndex(int32_t rateIndex);  // only the low byte of the index counts
// The index of one of the seven codes the driver reports; nothing for any other code.
bool DecodeRateCode(uint32_t rateCode, uint8_t* rateIndex);
uint8_t RateIndexFromCode(uint32_t rateCode);  // 0 (no rate) for an unknown code

}  // namespace nv
