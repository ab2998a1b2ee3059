#include "settings_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <string>
#include <thread>

#include "unix_socket.h"

namespace nv::posix {

namespace {

// One open lock file per process: flock belongs to the open file, so a second open in the
// same process would wait for itself.
struct ProcessLock {
  std::mutex guard;
  std::string path;
  int fd = -1;
  int depth = 0;
  std::thread::id owner;
};

ProcessLock& State() {
  static ProcessLock state;
  return state;
}

// The lock file of the current runtime directory (it can change, in tests), opened once.
bool OpenLockFile(ProcessLock& s) {
  const std::string dir = RuntimeDir();
  const std::string path = dir + "/" + kSettingsLockName;
  if (s.fd >= 0 && s.path == path) return true;
  if (s.fd >= 0) close(s.fd);
  s.fd = -1;
  std::string error;
  if (!TrustedClientDir(dir, &error)) return false;
  s.fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  s.path = path;
  return s.fd >= 0;
}

}  // namespace

LockResult TryLockSettingsFile() {
  ProcessLock& s = State();
  const std::lock_guard<std::mutex> hold(s.guard);
  if (s.depth > 0) {
    if (s.owner != std::this_thread::get_id()) return LockResult::Busy;
    ++s.depth;
    return LockResult::Acquired;
  }
  if (!OpenLockFile(s)) return LockResult::Failed;
  if (flock(s.fd, LOCK_EX | LOCK_NB) != 0) {
    return errno == EWOULDBLOCK || errno == EINTR ? LockResult::Busy : LockResult::Failed;
  }
  s.depth = 1;
  s.owner = std::this_thread::get_id();
  return LockResult::Acquired;
}

void UnlockSettingsFile() {
  ProcessLock& s = State();
  const std::lock_guard<std::mutex> hold(s.guard);
  if (s.depth == 0 || s.owner != std::this_thread::get_id()) return;
  if (--s.depth == 0) flock(s.fd, LOCK_UN);
}

}  // namespace nv::posix
