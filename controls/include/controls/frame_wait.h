// The wait between two frames of an animation, which a stop ends at once. The animated
// picture takes it by injection so tests can watch and shorten the waits.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace nv {

class FrameWait {
 public:
  virtual ~FrameWait() = default;
  // Waits `ms` milliseconds or until Signal; true when it was signalled.
  virtual bool Wait(uint32_t ms) = 0;
  virtual void Signal() = 0;
  virtual void Reset() = 0;
};

// A manual-reset event: once signalled, every wait returns at once until Reset.
class EventWait : public FrameWait {
 public:
  bool Wait(uint32_t ms) override;
  void Signal() override;
  void Reset() override;

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool signalled_ = false;
};

}  // namespace nv
