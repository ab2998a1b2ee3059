// The virtual adapter's connection state machine: scanning, connecting, associated (when the
// settings fit a network in range), disassociated (when the network fades), and the ad hoc
// cell it creates when no cell of the wanted SSID exists.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "adapter/records.h"
#include "sim/scenario.h"

namespace nv::sim {

struct DriverSettings {
  std::string ssid;
  uint32_t bssType = kBssAny;
  uint32_t powerMode = kPowerContinuous;
  uint32_t rateCode = 220;
  uint32_t channel = 1;
  uint32_t shortPreamble = kPreambleLong;
  uint32_t authMode = kAuthAutoSwitch;
  uint32_t wepStatus = kWepDisabled;
  struct Key {
    uint32_t length = 0;
    std::array<uint8_t, 32> material{};
  } keys[4];
  uint32_t defaultKey = 0;
  bool radioOn = true;
};

enum Phase : uint32_t { kIdle = 0, kScanning = 1, kConnecting = 2, kAssociated = 3, kLost = 4 };

inline constexpr int kNoTarget = -1;
inline constexpr int kOwnCell = -2;

class LinkMachine {
 public:
  // Starts over from scanning (or idle with the radio off) at `now`.
  void Restart(uint64_t now, const DriverSettings& settings);
  // New security settings for the network being joined or joined: the adapter authenticates
  // with it again (connecting, then associated or stuck) instead of scanning. Elsewhere (and
  // in its own ad hoc cell) the next decision simply uses them.
  void Reauthenticate(uint64_t now, const Scenario& scenario, const DriverSettings& settings);
  // Advances to `now` through every transition that falls due.
  void Advance(uint64_t now, const Scenario& scenario, const DriverSettings& settings);
  // Network `index` left the scenario at `now` (after Advance to `now`).
  void NetworkRemoved(int index, uint64_t now);

  Phase phase() const { return phase_; }
  int target() const { return target_; }
  // Byte counters: totals since start (primary) and this association's (secondary).
  uint32_t rxTotal() const { return static_cast<uint32_t>(rxMilli_ / 1000); }
  uint32_t txTotal() const { return static_cast<uint32_t>(txMilli_ / 1000); }
  uint32_t rxSession() const { return static_cast<uint32_t>(rxSessionMilli_ / 1000); }
  uint32_t txSession() const { return static_cast<uint32_t>(txSessionMilli_ / 1000); }

 private:
  void Decide(uint64_t at, const Scenario& scenario, const DriverSettings& settings);
  void Enter(Phase phase, uint64_t at);
  bool InRange(uint64_t at, const Scenario& scenario) const;
  // Adds the traffic of the associated network up to `at`.
  void Accrue(uint64_t at, const Scenario& scenario);

  Phase phase_ = kScanning;
  uint64_t since_ = 0;
  int target_ = kNoTarget;
  bool credentialsFit_ = false;
  uint64_t countedUntil_ = 0;
  uint64_t rxMilli_ = 0, txMilli_ = 0, rxSessionMilli_ = 0, txSessionMilli_ = 0;
};

// The BSSID of the ad hoc cell the adapter starts itself for this SSID.
std::array<uint8_t, 6> OwnCellBssid(const std::string& ssid);

// Whether the settings may join this network: BSS type, SSID, privacy, key and authentication.
bool Joinable(const SimNetwork& network, const DriverSettings& settings);
bool MatchesIdentity(const SimNetwork& network, const DriverSettings& settings);

}  // namespace nv::sim
