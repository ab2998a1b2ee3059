// One program per user: a lock file in the runtime directory, and the hidden main frame's
// window title, which other programs (and older builds) look for. A crashed holder leaves a
// lock whose process is gone, which the next start takes over.
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

// True when a top-level window titled `title` exists on this desktop (FindWindowA on Windows,
// the root window's children on X11; false where windows cannot be listed).
bool TopLevelWindowExists(const char* title);

}  // namespace nv
