#include "child_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace nv::test {

pid_t StartProgram(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execv(args[0], args.data());
    _exit(127);
  }
  return pid;
}

int WaitProgram(pid_t pid) {
  int status = 0;
  if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

int RunProgram(const std::vector<std::string>& argv) { return WaitProgram(StartProgram(argv)); }

}  // namespace nv::test
