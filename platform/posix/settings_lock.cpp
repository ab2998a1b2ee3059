#include "settings_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

thread_local std::string lastProblem;

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
  if (!TrustedClientDir(dir, &lastProblem)) return false;
  // Never through a link, never a FIFO or device someone put in its place.
  s.fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  struct stat st {};
  if (s.fd < 0) {
    lastProblem = path + ": " + (errno == ELOOP ? "a symbolic link" : std::strerror(errno));
  } else if (fstat(s.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
    lastProblem = path + ": not a regular file of this user's";
    close(s.fd);
    s.fd = -1;
  }
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
  lastProblem.clear();
  if (!OpenLockFile(s)) return LockResult::Failed;
  if (flock(s.fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK || errno == EINTR) return LockResult::Busy;
    lastProblem = s.path + ": " + std::strerror(errno);
    return LockResult::Failed;
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

std::string SettingsLockFileProblem() { return lastProblem; }

}  // namespace nv::posix
