#include "shell/single_instance.h"

namespace nv {

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {
  lock_->setStaleLockTime(0);  // only a dead holder makes a lock stale, never its age
}

bool SingleInstance::Acquire() { return lock_->tryLock(0); }

}  // namespace nv
