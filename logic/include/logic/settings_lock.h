// Holds the per-user settings lock for a scope, so that two changes (wlanctl, the pages, the
// Profile dialog, in any process) never read the same stored settings and write over each
// other. Waiting for it has the registry's limit; the wait runs on the system port's clock.
#pragma once

#include <cstdint>

#include "platform/system_port.h"

namespace nv {

inline constexpr uint32_t kSettingsLockWaitMs = 5000;
// The window's thread waits at most this long, then tells the user to try again.
inline constexpr uint32_t kWindowLockWaitMs = 200;

class SettingsLock {
 public:
  explicit SettingsLock(SystemPort& system, uint32_t waitMs = kSettingsLockWaitMs);
  ~SettingsLock();
  SettingsLock(const SettingsLock&) = delete;
  SettingsLock& operator=(const SettingsLock&) = delete;

  // False when another holder kept it past the wait, or it could not be had at all.
  bool held() const { return held_; }
  // True when another holder kept it past the wait; false also when there is no lock to be
  // had (its file a link or a directory, a runtime directory not the user's own). Either way
  // a change that is not held() must not go ahead.
  bool timedOut() const { return !held_ && !unavailable_; }

 private:
  SystemPort& system_;
  bool held_ = false;
  bool unavailable_ = false;
};

}  // namespace nv
