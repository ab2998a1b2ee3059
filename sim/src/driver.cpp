#include "sim/driver.h"

#include <algorithm>
#include <cstring>

#include "adapter/buffers.h"
#include "adapter/control_codes.h"
#include "adapter/operations.h"
#include "platform/le_bytes.h"
#include "platform/win32_codes.h"
#include "store/adapter_params.h"

namespace nv::sim {

namespace {

constexpr int32_t kErrorDeviceRemoved = 1617;  // ERROR_DEVICE_REMOVED

wire::IoctlReply Fail(int32_t error) { return {false, error, 0, {}}; }

wire::IoctlReply Reply(std::span<const uint8_t> bytes, uint32_t capacity) {
  const size_t n = std::min<size_t>(bytes.size(), capacity);
  return {true, 0, static_cast<uint32_t>(n), {bytes.begin(), bytes.begin() + n}};
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Raw metrics from percentages, the inverse of what the tray monitor computes.
uint32_t SignalMetric(int percent) { return static_cast<uint32_t>(percent + 30); }
uint32_t LinkMetric(int percent) { return static_cast<uint32_t>((210 - 2 * percent) / 3); }

}  // namespace

SimDriver::SimDriver(Scenario scenario, Registry& registry, SystemPort& system, bool virtualClock)
    : scenario_(std::move(scenario)),
      registry_(registry),
      system_(system),
      virtualClock_(virtualClock),
      startTick_(system.TickCount()) {
  RegisterAdapter();
  link_.Restart(0, settings_);
}

uint64_t SimDriver::NowMs() {
  return virtualClock_ ? virtualNow_ : static_cast<uint32_t>(system_.TickCount() - startTick_);
}

bool SimDriver::Step(uint64_t ms) {
  if (!virtualClock_) return false;
  virtualNow_ += ms;
  link_.Advance(NowMs(), scenario_, settings_);
  return true;
}

void SimDriver::LoadScenario(Scenario scenario) {
  scenario_ = std::move(scenario);
  RegisterAdapter();
  link_ = LinkMachine{};
  link_.Restart(NowMs(), settings_);
}

void SimDriver::Insert() {
  if (present_) return;
  present_ = true;
  RegisterAdapter();  // like a driver starting on a newly found card
  link_.Restart(NowMs(), settings_);
}

std::string SimDriver::InstancePath() {
  return std::string(ClassRootFor(system_.GetVersion().platformId)) + scenario_.adapter.instance;
}

void SimDriver::RegisterAdapter() {
  const std::string path = InstancePath();
  RegKey key = 0;
  if (registry_.CreateKey(kHkeyLocalMachine, path, &key) == win::kErrorSuccess) {
    const auto setText = [&](std::string_view name, const std::string& text) {
      registry_.SetValue(key, name, kRegSz, reinterpret_cast<const uint8_t*>(text.data()),
                         static_cast<uint32_t>(text.size()));
    };
    // Windows keeps the matching ID in lower case.
    setText(kMatchingDeviceId, Lower(std::string(kHardwareIds[scenario_.adapter.hardwareId - 1])));
    setText(kNetCfgInstanceId, scenario_.adapter.netCfgInstanceId);
    setText("DriverDesc", scenario_.adapter.description);
    registry_.CloseKey(key);
  }
  AdapterConfig c{};
  ReadConfigValues(registry_, kHkeyLocalMachine, path + "\\", c);
  if (c.scope == kScopeNoAdapter) return;
  DriverSettings s;
  s.ssid.assign(c.ssid, strnlen(c.ssid, 32));
  s.bssType = static_cast<uint32_t>(c.bssType);
  s.powerMode = static_cast<uint32_t>(c.powerMode);
  s.rateCode = RateCodeFromIndex(c.txRate);
  s.channel = static_cast<uint32_t>(c.channel);
  s.shortPreamble = static_cast<uint32_t>(c.shortPreamble);
  s.authMode = static_cast<uint32_t>(c.authMode);
  s.wepStatus = static_cast<uint32_t>(c.wepStatus);
  s.defaultKey = static_cast<uint32_t>(c.defaultKeyId) & 3;
  for (int i = 0; i < 4; ++i) {
    s.keys[i].length = static_cast<uint32_t>(std::clamp(c.keys[i].length, 0, 32));
    std::memcpy(s.keys[i].material.data(), c.keys[i].material, 32);
  }
  s.radioOn = settings_.radioOn;
  settings_ = s;
}

// Oldest first out; one request's input (a frame, 64 KiB at most) always fits.
void SimDriver::LogRequest(uint32_t code, std::span<const uint8_t> in) {
  while (!log_.empty() && logBytes_ + in.size() + kLogEntryBytes > kMaxLogBytes) {
    logBytes_ -= log_.front().in.size() + kLogEntryBytes;
    log_.pop_front();
  }
  log_.push_back({code, {in.begin(), in.end()}});
  logBytes_ += in.size() + kLogEntryBytes;
}

bool SimDriver::Open() { return PresenceNow().Opens(); }

bool SimDriver::Probe(std::string_view name) { return PresenceNow().Probe(name); }

wire::Presence SimDriver::PresenceNow() const {
  return {present_, faults_.openFails, scenario_.adapter.instance,
          "\\Device\\" + scenario_.adapter.netCfgInstanceId};
}

wire::IoctlReply SimDriver::Ioctl(uint32_t code, std::span<const uint8_t> in,
                                  uint32_t outCapacity) {
  LogRequest(code, in);
  if (!present_) return Fail(kErrorDeviceRemoved);
  const CodeInfo info = LookupControlCode(code);
  if (info.pair == nullptr) return Fail(win::kErrorInvalidFunction);
  if (const auto f = faults_.failingCodes.find(code); f != faults_.failingCodes.end()) {
    return Fail(f->second);
  }
  link_.Advance(NowMs(), scenario_, settings_);
  const uint32_t min = info.pair->minBytes;
  switch (info.direction) {
    case CodeDirection::Set:
      if (in.size() < min) return Fail(win::kErrorInsufficientBuffer);
      return Set(code, in);
    case CodeDirection::Query:
      if (outCapacity < min) return Fail(win::kErrorInsufficientBuffer);
      return Query(code, outCapacity);
    case CodeDirection::InAndOut:
      if (in.size() < min || outCapacity < min) return Fail(win::kErrorInsufficientBuffer);
      return RegisterAccess(in, false);
  }
  return Fail(win::kErrorInvalidFunction);
}

wire::IoctlReply SimDriver::Set(uint32_t code, std::span<const uint8_t> in) {
  const DriverSettings before = settings_;
  const uint32_t value = le::Get32(in, 0);
  if (code == codes::kSsid.setCode) {
    const SsidFields f = DecodeSsidBuffer(in);
    settings_.ssid.assign(reinterpret_cast<const char*>(f.ssid), std::min<uint32_t>(f.length, 32));
  } else if (code == codes::kWepKey.setCode) {
    const WepKeyFields f = DecodeWepKeyBuffer(in);
    DriverSettings::Key& key = settings_.keys[f.keyIndex & 3];
    key.length = std::min<uint32_t>(f.keyLength, 32);
    std::memcpy(key.material.data(), f.material, 32);
    if (f.keyIndex & kTransmitKeyBit) settings_.defaultKey = f.keyIndex & 3;
  } else if (code == codes::kRates.setCode) {
    settings_.rateCode = in[0];
  } else if (code == codes::kRegisterWrite.setCode) {
    return RegisterAccess(in, true);
  } else if (code == codes::kScan.setCode) {
    scanDoneAt_ = value ? NowMs() + scenario_.timings.scanMs : NowMs();
    if (value && link_.phase() == kIdle && settings_.radioOn) link_.Restart(NowMs(), settings_);
  } else if (code == codes::kBssType.setCode) {
    settings_.bssType = value;
  } else if (code == codes::kPowerMode.setCode) {
    settings_.powerMode = value;
  } else if (code == codes::kChannel.setCode) {
    settings_.channel = value;
  } else if (code == codes::kPreamble.setCode) {
    settings_.shortPreamble = value;
  } else if (code == codes::kWepStatus.setCode) {
    settings_.wepStatus = value;
  } else if (code == codes::kAuthMode.setCode) {
    settings_.authMode = value;
  }
  // Who to join starts the association over from a scan; how to authenticate only retries it
  // with the same network. Unchanged values (the tray re-sending them) change nothing.
  const bool identity = before.ssid != settings_.ssid || before.bssType != settings_.bssType ||
                        (settings_.bssType == kBssAdHoc && before.channel != settings_.channel);
  const bool security = before.wepStatus != settings_.wepStatus ||
                        before.authMode != settings_.authMode ||
                        before.defaultKey != settings_.defaultKey ||
                        std::memcmp(&before.keys, &settings_.keys, sizeof before.keys) != 0;
  if (identity) {
    link_.Restart(NowMs(), settings_);
  } else if (security) {
    link_.Reauthenticate(NowMs(), scenario_, settings_);
  }
  return {true, 0, 0, {}};
}

wire::IoctlReply SimDriver::Query(uint32_t code, uint32_t capacity) {
  if (code == codes::kVersions.queryCode) {
    VersionsFields v{};
    std::memcpy(v.driverVersion, scenario_.adapter.driverVersion.data(), 4);
    std::memcpy(v.firmwareVersion, scenario_.adapter.firmwareVersion.data(), 4);
    return Reply(EncodeVersions(v), capacity);
  }
  if (code == codes::kStatus.queryCode) return Reply(StatusBlock(), capacity);
  if (code == codes::kBssList.queryCode) return Reply(BssList(capacity), capacity);
  // The query twins of the value sets answer with the value last set.
  uint32_t value = 0;
  if (code == codes::kScan.queryCode) value = NowMs() >= scanDoneAt_ ? 1 : 0;
  if (code == codes::kPowerMode.queryCode) value = settings_.powerMode;
  if (code == codes::kBssType.queryCode) value = settings_.bssType;
  if (code == codes::kWepStatus.queryCode) value = settings_.wepStatus;
  if (code == codes::kAuthMode.queryCode) value = settings_.authMode;
  if (code == codes::kChannel.queryCode) value = settings_.channel;
  if (code == codes::kPreamble.queryCode) value = settings_.shortPreamble;
  return Reply(EncodeValueBuffer(value), capacity);
}

std::vector<uint8_t> SimDriver::StatusBlock() {
  StatusBlockFields f{};
  const uint64_t now = NowMs();
  f.state = faults_.status1000 ? kStatusStateUnavailable : link_.phase();
  f.networkMode = kNetworkUndetermined;
  f.linkMetric = LinkMetric(0);
  const int target = link_.target();
  if (link_.phase() == kAssociated && target != kNoTarget) {
    f.rateCode = settings_.rateCode;
    if (target == kOwnCell) {
      f.channel = static_cast<uint8_t>(settings_.channel);
      f.networkMode = kNetworkAdHoc;
      const auto bssid = OwnCellBssid(settings_.ssid);
      std::memcpy(f.bssid, bssid.data(), 6);
      std::memcpy(f.ssid, settings_.ssid.data(), std::min<size_t>(settings_.ssid.size(), 32));
      f.signalMetric = SignalMetric(100);
      f.linkMetric = LinkMetric(100);
    } else {
      const SimNetwork& n = scenario_.networks[target];
      f.channel = static_cast<uint8_t>(n.channel);
      f.networkMode = n.adhoc ? kNetworkAdHoc : kNetworkInfrastructure;
      std::memcpy(f.bssid, n.bssid.data(), 6);
      std::memcpy(f.ssid, n.ssid.data(), std::min<size_t>(n.ssid.size(), 32));
      f.signalMetric = SignalMetric(n.SignalAt(now));
      f.linkMetric = LinkMetric(n.QualityAt(now));
    }
  }
  f.rxBytesPrimary = link_.rxTotal();
  f.txBytesPrimary = link_.txTotal();
  f.rxBytesSecondary = link_.rxSession();
  f.txBytesSecondary = link_.txSession();
  const auto block = EncodeStatusBlock(f);
  return {block.begin(), block.end()};
}

std::vector<uint8_t> SimDriver::BssList(uint32_t capacity) {
  std::vector<BssWireEntry> entries;
  const uint64_t now = NowMs();
  const auto add = [&](const std::string& ssid, const std::array<uint8_t, 6>& bssid, int channel,
                       bool adhoc, bool privacy, int signal) {
    BssWireEntry w{};
    std::memcpy(w.bssid, bssid.data(), 6);
    w.ssidLength = static_cast<uint32_t>(std::min<size_t>(ssid.size(), 32));
    std::memcpy(w.ssid, ssid.data(), w.ssidLength);
    w.privacy = privacy ? 1 : 0;
    w.rssiWord = (2 * signal) << 16;  // the survey shows this byte halved
    w.channel = static_cast<uint32_t>(channel);
    w.infrastructureMode = adhoc ? 0 : 1;
    entries.push_back(w);
  };
  if (settings_.radioOn) {
    for (const SimNetwork& n : scenario_.networks) {
      const int signal = n.SignalAt(now);
      if (signal > 0 && entries.size() < kMaxBssEntries) {
        add(n.ssid, n.bssid, n.channel, n.adhoc, n.privacy, signal);
      }
    }
    if (link_.phase() == kAssociated && link_.target() == kOwnCell &&
        entries.size() < kMaxBssEntries) {
      add(settings_.ssid, OwnCellBssid(settings_.ssid), static_cast<int>(settings_.channel), true,
          settings_.wepStatus == kWepEnabled, 100);
    }
  }
  std::vector<uint8_t> out(std::min<size_t>(capacity, 4 + entries.size() * kBssEntrySize));
  EncodeBssList(entries, static_cast<int32_t>(entries.size()), out);
  return out;
}

wire::IoctlReply SimDriver::RegisterAccess(std::span<const uint8_t> in, bool write) {
  const RegisterFields f = DecodeRegisterBuffer(in);
  if (write) {
    WriteChipRegister(f.offset, f.value);
    return {true, 0, 0, {}};
  }
  return Reply(EncodeRegisterBuffer(f.offset, ReadChipRegister(f.offset)), kRegisterBufferSize);
}

uint32_t SimDriver::ReadChipRegister(uint32_t offset) {
  if (offset == kWindowA.control || offset == kWindowB.control) {
    uint32_t& polls = pendingPolls_[offset];
    if (polls == 0) return kWindowControlIdle;
    if (!faults_.controlStuck) --polls;
  }
  return registers_[offset];
}

void SimDriver::WriteChipRegister(uint32_t offset, uint32_t value) {
  registers_[offset] = value;
  const bool a = offset == kWindowA.control;
  if ((!a && offset != kWindowB.control) || value == kWindowControlIdle) return;
  pendingPolls_[offset] = scenario_.timings.controlPolls;
  const RegisterWindow& w = a ? kWindowA : kWindowB;
  const uint32_t address = registers_[w.address];
  if (value == kWindowControlRead) {
    uint32_t data = 0;
    if (a && address == kRegulatoryDomainAddress) data = scenario_.adapter.regulatoryDomain;
    if (!a && address == kRadioAddress) data = settings_.radioOn ? kRadioOnValue : kRadioOffValue;
    registers_[w.data] = data;
  } else if (value == kWindowControlWrite && !a && address == kRadioAddress) {  // window B
    const bool on = registers_[w.data] == kRadioOnValue;
    if (on != settings_.radioOn) {
      settings_.radioOn = on;
      link_.Restart(NowMs(), settings_);
    }
  }
}

}  // namespace nv::sim
