#include "logic/settings_lock.h"

#include <algorithm>

namespace nv {

namespace {
constexpr uint32_t kFirstPollMs = 1;
constexpr uint32_t kLongestPollMs = 20;
}  // namespace

SettingsLock::SettingsLock(SystemPort& system, uint32_t waitMs) : system_(system) {
  const uint32_t start = system_.TickCount();
  uint32_t pause = kFirstPollMs;
  for (;;) {
    const LockResult result = system_.TryLockSettings();
    if (result != LockResult::Busy) {
      held_ = result == LockResult::Acquired;
      unavailable_ = result == LockResult::Failed;
      return;
    }
    const uint32_t waited = system_.TickCount() - start;  // unsigned: survives the wrap
    if (waited >= waitMs) return;
    system_.Sleep(std::min(pause, waitMs - waited));
    pause = std::min(pause * 2, kLongestPollMs);
  }
}

SettingsLock::~SettingsLock() {
  if (held_) system_.UnlockSettings();
}

}  // namespace nv
