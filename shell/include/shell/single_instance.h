// One program per user: a lock file in the runtime directory. A crashed holder leaves a lock
// whose process is gone, which the next start takes over.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace nv {

class SingleInstance {
 public:
  explicit SingleInstance(const QString& lockPath);
  // True when this process is the one instance (it holds the lock until it ends).
  bool Acquire();

 private:
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace nv
