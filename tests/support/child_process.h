// Runs programs as child processes: wlanctl as a user would run it, to be waited for or killed.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace nv::test {

// Starts argv[0] with the given arguments, its output thrown away; -1 when it cannot.
pid_t StartProgram(const std::vector<std::string>& argv);
// Waits for it; its exit status, or -1 when it did not exit normally.
int WaitProgram(pid_t pid);
int RunProgram(const std::vector<std::string>& argv);

}  // namespace nv::test
