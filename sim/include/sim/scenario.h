// The radio environment the virtual adapter plays: its adapter, networks and timings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nv::sim {

// A value over virtual time: piecewise linear between points, constant before the first and
// after the last.
struct Timeline {
  std::vector<std::pair<uint64_t, int>> points;  // (ms, value)
  int At(uint64_t ms) const;
};

struct SimNetwork {
  std::string ssid;
  std::array<uint8_t, 6> bssid{};
  int channel = 1;
  bool adhoc = false;
  bool privacy = false;
  std::vector<uint8_t> wepKey;  // what a station must transmit with
  bool sharedAuth = false;      // false: open system
  Timeline signal;              // percent, 0 = out of range
  Timeline quality;             // percent; follows the signal when empty
  uint32_t rxBytesPerSec = 0;
  uint32_t txBytesPerSec = 0;

  int SignalAt(uint64_t ms) const { return signal.At(ms); }
  int QualityAt(uint64_t ms) const {
    return quality.points.empty() ? signal.At(ms) : quality.At(ms);
  }
};

struct SimAdapter {
  int hardwareId = 1;  // which of the two supported hardware IDs
  std::string instance = "0001";
  std::string netCfgInstanceId = "{6E7A1C00-5A3B-4C1D-9E2F-00000000A001}";
  std::string description = "Netvane 22 Mbps Wireless PCI Adapter (virtual)";
  uint32_t regulatoryDomain = 0x10;
  std::array<uint8_t, 4> driverVersion{1, 0, 4, 2};
  std::array<uint8_t, 4> firmwareVersion{1, 7, 0, 3};
};

struct SimTimings {
  uint32_t scanMs = 1500;
  uint32_t connectMs = 1000;
  uint32_t disassociatedMs = 3000;
  uint32_t rescanMs = 3000;
  uint32_t controlPolls = 2;  // register window polls before the control register clears
};

struct Scenario {
  SimAdapter adapter;
  SimTimings timings;
  std::vector<SimNetwork> networks;
};

bool ParseScenario(std::string_view json, Scenario* scenario, std::string* error);
bool ParseNetwork(std::string_view json, SimNetwork* network, std::string* error);
bool ParseBssid(std::string_view text, std::array<uint8_t, 6>* bssid);
std::string FormatBssid(const std::array<uint8_t, 6>& bssid);
inline constexpr size_t kMaxScenarioBytes = size_t{1} << 20;
// Reads only a regular file of at most kMaxScenarioBytes, so a control command naming a FIFO
// or a device never stalls the daemon.
bool LoadScenarioFile(const std::string& path, Scenario* scenario, std::string* error);

}  // namespace nv::sim
