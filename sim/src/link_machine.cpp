#include "sim/link_machine.h"

#include <algorithm>
#include <cstring>

namespace nv::sim {

namespace {
constexpr int kMaxTransitionsPerAdvance = 64;
}  // namespace

bool MatchesIdentity(const SimNetwork& n, const DriverSettings& s) {
  if (s.bssType == kBssAdHoc && !n.adhoc) return false;
  if (s.bssType == kBssInfrastructure && n.adhoc) return false;
  return s.ssid.empty() || s.ssid == n.ssid;  // an empty SSID joins any network
}

bool Joinable(const SimNetwork& n, const DriverSettings& s) {
  const bool wepOn = s.wepStatus == kWepEnabled;
  if (!n.privacy) return !wepOn;
  if (!wepOn) return false;
  // Automatic switch and the "all bits" value (the driver chooses) try open authentication,
  // then shared: whichever the network takes.
  const bool authFits = s.authMode == kAuthAutoSwitch ||
                        s.authMode == static_cast<uint32_t>(kAuthDriverChooses) ||
                        (n.sharedAuth ? s.authMode == kAuthShared : s.authMode == kAuthOpen);
  const DriverSettings::Key& key = s.keys[s.defaultKey & 3];
  return authFits && key.length == n.wepKey.size() &&
         std::equal(n.wepKey.begin(), n.wepKey.end(), key.material.begin());
}

std::array<uint8_t, 6> OwnCellBssid(const std::string& ssid) {
  uint32_t hash = 2166136261u;  // FNV-1a: the same SSID always makes the same cell
  for (char c : ssid) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  return {0x02,
          0x4E,
          static_cast<uint8_t>(hash >> 24),
          static_cast<uint8_t>(hash >> 16),
          static_cast<uint8_t>(hash >> 8),
          static_cast<uint8_t>(hash)};
}

void LinkMachine::Enter(Phase phase, uint64_t at) {
  if (phase == kAssociated) {
    countedUntil_ = at;
    rxSessionMilli_ = txSessionMilli_ = 0;
  }
  phase_ = phase;
  since_ = at;
}

void LinkMachine::Accrue(uint64_t at, const Scenario& scenario) {
  if (phase_ != kAssociated || at <= countedUntil_) return;
  if (target_ >= 0 && static_cast<size_t>(target_) < scenario.networks.size()) {
    const SimNetwork& n = scenario.networks[target_];
    const uint64_t span = at - countedUntil_;
    rxMilli_ += n.rxBytesPerSec * span;
    txMilli_ += n.txBytesPerSec * span;
    rxSessionMilli_ += n.rxBytesPerSec * span;
    txSessionMilli_ += n.txBytesPerSec * span;
  }
  countedUntil_ = at;
}

void LinkMachine::Restart(uint64_t now, const DriverSettings& settings) {
  target_ = kNoTarget;
  Enter(settings.radioOn ? kScanning : kIdle, now);
}

void LinkMachine::Reauthenticate(uint64_t now, const Scenario& scenario,
                                 const DriverSettings& settings) {
  if (phase_ != kConnecting && phase_ != kAssociated) return;
  if (target_ < 0 || static_cast<size_t>(target_) >= scenario.networks.size()) return;
  Accrue(now, scenario);
  credentialsFit_ = Joinable(scenario.networks[target_], settings);
  Enter(kConnecting, now);
}

bool LinkMachine::InRange(uint64_t at, const Scenario& scenario) const {
  if (target_ == kOwnCell) return true;
  return target_ >= 0 && static_cast<size_t>(target_) < scenario.networks.size() &&
         scenario.networks[target_].SignalAt(at) > 0;
}

void LinkMachine::Decide(uint64_t at, const Scenario& scenario, const DriverSettings& settings) {
  int best = kNoTarget;
  int bestFitting = kNoTarget;
  for (size_t i = 0; i < scenario.networks.size(); ++i) {
    const SimNetwork& n = scenario.networks[i];
    const int signal = n.SignalAt(at);
    if (signal <= 0 || !MatchesIdentity(n, settings)) continue;
    if (best == kNoTarget || signal > scenario.networks[best].SignalAt(at)) best = int(i);
    if (Joinable(n, settings) &&
        (bestFitting == kNoTarget || signal > scenario.networks[bestFitting].SignalAt(at))) {
      bestFitting = int(i);
    }
  }
  if (bestFitting != kNoTarget || best != kNoTarget) {
    target_ = bestFitting != kNoTarget ? bestFitting : best;
    credentialsFit_ = bestFitting != kNoTarget;
    return Enter(kConnecting, at);
  }
  if (settings.bssType == kBssAdHoc && !settings.ssid.empty()) {
    target_ = kOwnCell;  // nobody to join: start our own cell
    return Enter(kAssociated, at);
  }
  target_ = kNoTarget;
  Enter(kIdle, at);
}

void LinkMachine::Advance(uint64_t now, const Scenario& scenario, const DriverSettings& settings) {
  const SimTimings& t = scenario.timings;
  for (int step = 0; step < kMaxTransitionsPerAdvance; ++step) {
    if (!settings.radioOn) {
      Accrue(now, scenario);
      target_ = kNoTarget;
      return Enter(kIdle, now);
    }
    switch (phase_) {
      case kScanning:
        if (now < since_ + t.scanMs) return;
        Decide(since_ + t.scanMs, scenario, settings);
        break;
      case kConnecting:
        if (!InRange(now, scenario)) {
          target_ = kNoTarget;
          return Enter(kIdle, now);
        }
        if (!credentialsFit_ || now < since_ + t.connectMs) return;
        Enter(kAssociated, since_ + t.connectMs);
        break;
      case kAssociated:
        Accrue(now, scenario);
        if (InRange(now, scenario)) return;
        target_ = kNoTarget;
        return Enter(kLost, now);
      case kLost:
        if (now < since_ + t.disassociatedMs) return;
        Enter(kScanning, since_ + t.disassociatedMs);
        break;
      case kIdle:
        if (now < since_ + t.rescanMs) return;
        Enter(kScanning, since_ + t.rescanMs);
        break;
    }
  }
}

void LinkMachine::NetworkRemoved(int index, uint64_t now) {
  if (index == target_) {
    target_ = kNoTarget;
    if (phase_ == kAssociated)
      Enter(kLost, now);
    else if (phase_ == kConnecting)
      Enter(kIdle, now);
  } else if (target_ > index) {
    --target_;
  }
}

}  // namespace nv::sim
