#include "sim_daemon.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "unix_socket.h"

namespace nv::test {

SimDaemon::SimDaemon(const std::string& scenarioPath) : scenario_(scenarioPath) { Start(); }

bool SimDaemon::Start() {
  if (pid_ > 0) return true;
  const std::string& scenarioPath = scenario_;
  setenv("WLANMON_RUNTIME_DIR", runtimeDir().c_str(), 1);
  setenv("WLANMON_REGISTRY", registryPath().c_str(), 1);
  int ready[2];
  if (pipe(ready) != 0) return false;
  pid_ = fork();
  if (pid_ == 0) {
    close(ready[0]);
    const std::string fd = std::to_string(ready[1]);
    if (scenarioPath.empty()) {
      execl(WLANSIM_PATH, "wlansim", "--virtual-clock", "--notify-fd", fd.c_str(), nullptr);
    } else {
      execl(WLANSIM_PATH, "wlansim", "--virtual-clock", "--notify-fd", fd.c_str(), "--scenario",
            scenarioPath.c_str(), nullptr);
    }
    _exit(127);
  }
  close(ready[1]);
  char byte = 0;
  const bool started = pid_ > 0 && read(ready[0], &byte, 1) == 1;  // EOF: it failed to start
  close(ready[0]);
  if (!started && pid_ > 0) {
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  return started;
}

SimDaemon::~SimDaemon() { Stop(); }

int SimDaemon::Stop() {
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return status;
}

std::string SimDaemon::Ctl(const std::string& command, int* status) {
  std::string reply;
  const int rc = posix::SendControl(command, &reply);
  if (status) *status = rc;
  return reply;
}

}  // namespace nv::test
