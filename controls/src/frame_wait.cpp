#include "controls/frame_wait.h"

#include <chrono>

namespace nv {

bool EventWait::Wait(uint32_t ms) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return signalled_; });
}

void EventWait::Signal() {
  {
    std::lock_guard lock(mutex_);
    signalled_ = true;
  }
  changed_.notify_all();
}

void EventWait::Reset() {
  std::lock_guard lock(mutex_);
  signalled_ = false;
}

}  // namespace nv
