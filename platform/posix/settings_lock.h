// The per-user settings lock on POSIX: flock on "settings.lock" in the private runtime
// directory, shared by every process of the user; within a process one thread holds it at a
// time, and that thread may take it again.
#pragma once

#include <string>

#include "platform/system_port.h"

namespace nv::posix {

inline constexpr const char* kSettingsLockName = "settings.lock";

LockResult TryLockSettingsFile();
void UnlockSettingsFile();
// Why the last TryLockSettingsFile of this thread Failed.
std::string SettingsLockFileProblem();

}  // namespace nv::posix
