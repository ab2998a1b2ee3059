#include "adapter/operations.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/buffers.h"
#include "platform/le_bytes.h"

namespace nv {

namespace {

// Open, run `body` with the handle, close. Returns false when the link did not open.
template <typename Body>
bool WithDevice(AdapterIo& io, Body&& body) {
  DeviceHandle handle = kInvalidDeviceHandle;
  if (io.OpenDevice(&handle) != kIoOk) return false;
  body(handle);
  io.CloseDevice(handle);
  return true;
}

template <size_t N>
IoResult Send(AdapterIo& io, DeviceHandle handle, const ControlPair& pair,
              std::array<uint8_t, N> buf) {
  uint32_t length = N;
  return io.Request(handle, pair, buf.data(), &length, kDirectionSet);
}

IoResult SendValue(AdapterIo& io, DeviceHandle handle, const ControlPair& pair, int32_t value) {
  return Send(io, handle, pair, EncodeValueBuffer(static_cast<uint32_t>(value)));
}

void Note(ApplyReport* report, bool ok, std::string_view setting) {
  if (report == nullptr) return;
  if (ok) {
    ++report->accepted;
  } else {
    report->refused.emplace_back(setting);
  }
}

// The settings by the names an ApplyReport gives them.
constexpr std::string_view kSsidSetting = "SSID";
constexpr std::string_view kBssTypeSetting = "BSS type";
constexpr std::string_view kPowerModeSetting = "power mode";
constexpr std::string_view kTxRateSetting = "transmit rate";
constexpr std::string_view kChannelSetting = "channel";
constexpr std::string_view kPreambleSetting = "preamble";
constexpr std::string_view kWepStatusSetting = "WEP status";
constexpr std::string_view kAuthModeSetting = "authentication mode";
constexpr std::string_view kWepKeySetting = "WEP key ";  // and the slot, 1 to 4

std::string WepKeySetting(int slot) {
  return std::string(kWepKeySetting) + std::to_string(slot + 1);
}

void SendLinkGroup(AdapterIo& io, DeviceHandle h, const AdapterConfig& c, ApplyReport* r) {
  Note(r, Send(io, h, codes::kSsid, EncodeSsidBuffer(c)) == kIoOk, kSsidSetting);
  Note(r, SendValue(io, h, codes::kBssType, c.bssType) == kIoOk, kBssTypeSetting);
  Note(r, SendValue(io, h, codes::kPowerMode, c.powerMode) == kIoOk, kPowerModeSetting);
  Note(r, Send(io, h, codes::kRates, EncodeRatesBuffer(RateCodeFromIndex(c.txRate))) == kIoOk,
       kTxRateSetting);
  Note(r, SendValue(io, h, codes::kChannel, c.channel) == kIoOk, kChannelSetting);
  Note(r, SendValue(io, h, codes::kPreamble, c.shortPreamble) == kIoOk, kPreambleSetting);
}

void SendSecurityGroup(AdapterIo& io, DeviceHandle h, const AdapterConfig& c, ApplyReport* r) {
  Note(r, SendValue(io, h, codes::kWepStatus, c.wepStatus) == kIoOk, kWepStatusSetting);
  Note(r, SendValue(io, h, codes::kAuthMode, c.authMode) == kIoOk, kAuthModeSetting);
  if (c.wepStatus != kWepEnabled) return;  // keys travel only while WEP is enabled
  for (int slot = 0; slot < 4; ++slot) {
    Note(r, Send(io, h, codes::kWepKey, EncodeWepKeyBuffer(c, slot)) == kIoOk, WepKeySetting(slot));
  }
}

// Copies one refused setting's stored value back into `config`.
void KeepStored(std::string_view setting, const AdapterConfig& stored, AdapterConfig& config) {
  if (setting == kSsidSetting) std::memcpy(config.ssid, stored.ssid, sizeof config.ssid);
  if (setting == kBssTypeSetting) config.bssType = stored.bssType;
  if (setting == kPowerModeSetting) config.powerMode = stored.powerMode;
  if (setting == kTxRateSetting) config.txRate = stored.txRate;
  if (setting == kChannelSetting) config.channel = stored.channel;
  if (setting == kPreambleSetting) config.shortPreamble = stored.shortPreamble;
  if (setting == kWepStatusSetting) config.wepStatus = stored.wepStatus;
  if (setting == kAuthModeSetting) config.authMode = stored.authMode;
  for (int slot = 0; slot < 4; ++slot) {
    if (setting == WepKeySetting(slot)) config.keys[slot] = stored.keys[slot];
  }
}

Access SetScan(AdapterIo& io, uint32_t value) {
  Access result = kAccessFailed;
  WithDevice(io, [&](DeviceHandle h) {
    const bool sent = Send(io, h, codes::kScan, EncodeValueBuffer(value)) == kIoOk;
    result = sent ? kAccessOk : kAccessFailed;
  });
  return result;
}

// Queries the status block; false when the link did not open or the query failed.
bool QueryStatusBlock(AdapterIo& io, StatusBlockFields& block) {
  bool ok = false;
  WithDevice(io, [&](DeviceHandle h) {
    std::array<uint8_t, kStatusBlockSize> buffer{};
    uint32_t length = kStatusBlockSize;
    ok = io.Request(h, codes::kStatus, buffer.data(), &length, kDirectionQuery) == kIoOk;
    if (ok) block = DecodeStatusBlock(buffer);
  });
  return ok;
}

}  // namespace

void ApplyConfig(AdapterIo& io, const AdapterConfig& config, ApplyReport* report) {
  const bool opened = WithDevice(io, [&](DeviceHandle h) {
    if (config.scope == kScopeAll || config.scope == kScopeLink) {
      SendLinkGroup(io, h, config, report);
    }
    if (config.scope == kScopeAll || config.scope == kScopeSecurity) {
      SendSecurityGroup(io, h, config, report);
    }
  });
  if (report != nullptr) report->deviceOpened = opened;
}

void KeepStoredForRefused(const AdapterConfig& stored, const ApplyReport& report,
                          AdapterConfig& config) {
  for (const std::string& setting : report.refused) KeepStored(setting, stored, config);
}

Access StartScan(AdapterIo& io) { return SetScan(io, kScanStart); }

Access StopScan(AdapterIo& io) { return SetScan(io, kScanStop); }

Access IsScanDone(AdapterIo& io) {
  Access done = kAccessFailed;
  WithDevice(io, [&](DeviceHandle h) {
    std::array<uint8_t, kValueBufferSize> buffer{};
    uint32_t length = kValueBufferSize;
    const IoResult result = io.Request(h, codes::kScan, buffer.data(), &length, kDirectionQuery);
    const bool finished = result == kIoOk && length == 4 && le::Get32(buffer, 0) != 0;
    done = finished ? kAccessOk : kAccessFailed;
  });
  return done;
}

void ReadLinkStatus(AdapterIo& io, LinkStatus& status) {
  StatusBlockFields block{};
  if (!QueryStatusBlock(io, block)) {
    status.state = kStateNoDriver;
    return;
  }
  FillLinkStatus(block, status);
}

void ReadStatistics(AdapterIo& io, AdapterStatistics& statistics) {
  StatusBlockFields block{};
  if (!QueryStatusBlock(io, block)) {
    statistics.counterSet = kReadFailed;
    return;
  }
  const bool primary = statistics.counterSet == kCounterSetPrimary;
  statistics.rxBytes = primary ? block.rxBytesPrimary : block.rxBytesSecondary;
  statistics.txBytes = primary ? block.txBytesPrimary : block.txBytesSecondary;
}

void ReadBssList(AdapterIo& io, BssList& list) {
  list.count = kReadFailed;
  WithDevice(io, [&](DeviceHandle h) {
    std::vector<uint8_t> buffer(kBssListBufferSize, 0);
    uint32_t length = kBssListBufferSize;
    if (io.Request(h, codes::kBssList, buffer.data(), &length, kDirectionQuery) != kIoOk ||
        length == 0) {
      return;
    }
    FillBssList(buffer, list);
  });
}

void ReadVersions(AdapterIo& io, DriverVersions& versions) {
  bool ok = false;
  WithDevice(io, [&](DeviceHandle h) {
    std::array<uint8_t, kVersionsBufferSize> buffer{};
    uint32_t length = kVersionsBufferSize;
    ok = io.Request(h, codes::kVersions, buffer.data(), &length, kDirectionQuery) == kIoOk;
    if (!ok) return;
    const VersionsFields fields = DecodeVersions(buffer);
    std::memcpy(versions.driverVersion, fields.driverVersion, 4);
    std::memcpy(versions.firmwareVersion, fields.firmwareVersion, 4);
  });
  if (!ok) versions.result = kReadFailed;
}

uint32_t ReadRegulatoryDomain(AdapterIo& io) {
  uint32_t domain = kRegulatoryDomainDefault;
  WithDevice(io, [&](DeviceHandle h) {
    uint32_t value = 0;
    // A failed or timed-out read answers as if no driver were there.
    if (io.ReadWindowA(h, kRegulatoryDomainAddress, &value) == kAccessOk) domain = value;
  });
  return domain;
}

void SetRadio(AdapterIo& io, bool on, ApplyReport* report) {
  const bool opened = WithDevice(io, [&](DeviceHandle h) {
    const uint32_t value = on ? kRadioOnValue : kRadioOffValue;
    Note(report, io.WriteWindowB(h, kRadioAddress, value) == kAccessOk, "radio");
  });
  if (report != nullptr) report->deviceOpened = opened;
}

int ReadRadioState(AdapterIo& io) {
  int state = kRadioStateUnknown;
  WithDevice(io, [&](DeviceHandle h) {
    uint32_t value = 0;
    if (io.ReadWindowB(h, kRadioAddress, &value) == kAccessOk) {
      state = value == kRadioOnValue ? kRadioStateOn : kRadioStateOff;
    }
  });
  return state;
}

}  // namespace nv
