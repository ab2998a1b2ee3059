// System port: GetVersionExA's platform id, GetTickCount and Sleep, and the per-user lock
// around a change of the stored settings.
#pragma once

#include <cstdint>
#include <string>

namespace nv {

struct VersionInfo {
  bool ok = false;          // GetVersionExA succeeded
  uint32_t platformId = 0;  // dwPlatformId: 2 for the NT family, anything else for 9x
};

enum class LockResult { Acquired, Busy, Failed };

class SystemPort {
 public:
  virtual ~SystemPort() = default;
  virtual VersionInfo GetVersion() = 0;
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;

  // The lock every process of this user takes around reading, changing and storing the
  // settings (a lock file on POSIX, a named mutex on Windows). One try, no waiting; a thread
  // that holds it may take it again, and each Acquired needs its UnlockSettings. The default
  // has no other process to keep out.
  virtual LockResult TryLockSettings() { return LockResult::Acquired; }
  virtual void UnlockSettings() {}
  // Why the last TryLockSettings of this thread Failed (which file, what was wrong); "" when
  // it did not fail or there is nothing to say.
  virtual std::string SettingsLockProblem() { return {}; }
};

}  // namespace nv
