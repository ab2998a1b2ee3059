// Adapter operations. Each one opens the device link, performs its requests in a fixed order and
// closes the link again; none keeps a handle or caches a result.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "adapter/adapter_io.h"
#include "adapter/records.h"

namespace nv {

inline constexpr uint32_t kRegulatoryDomainAddress = 0x16F;
inline constexpr uint32_t kRegulatoryDomainDefault = 0x10;  // without a driver
inline constexpr uint32_t kRadioAddress = 0;
inline constexpr uint32_t kRadioOnValue = 0;
inline constexpr uint32_t kRadioOffValue = 255;
inline constexpr uint32_t kScanStart = 1;  // scan control values
inline constexpr uint32_t kScanStop = 0;

// Answers of ReadRadioState.
inline constexpr int kRadioStateOn = 1;
inline constexpr int kRadioStateOff = 0;
inline constexpr int kRadioStateUnknown = -1;  // the device link did not open

// What an apply-type operation's requests came to, for a caller who asks (the tray and the
// pages do not; wlanctl does). Asking changes nothing that is sent.
struct ApplyReport {
  bool deviceOpened = false;
  int accepted = 0;                  // requests the driver took
  std::vector<std::string> refused;  // the settings whose request failed, in sending order
};

// Sends the groups `config.scope` selects: 0 all, 1 link, 2 security, others nothing.
// Individual request results are ignored, except for the report.
void ApplyConfig(AdapterIo& io, const AdapterConfig& config, ApplyReport* report = nullptr);
// Puts the stored value back into `config` for every setting the driver refused in `report`,
// so that what is written to the registry is what the driver holds.
void KeepStoredForRefused(const AdapterConfig& stored, const ApplyReport& report,
                          AdapterConfig& config);
// The scan control answers kAccessOk / kAccessFailed (IsScanDone: kAccessOk once done).
Access StartScan(AdapterIo& io);
Access StopScan(AdapterIo& io);
Access IsScanDone(AdapterIo& io);
void ReadLinkStatus(AdapterIo& io, LinkStatus& status);
void ReadStatistics(AdapterIo& io, AdapterStatistics& statistics);
void ReadBssList(AdapterIo& io, BssList& list);
void ReadVersions(AdapterIo& io, DriverVersions& versions);
uint32_t ReadRegulatoryDomain(AdapterIo& io);
void SetRadio(AdapterIo& io, bool on, ApplyReport* report = nullptr);
int ReadRadioState(AdapterIo& io);  // kRadioState...

}  // namespace nv
