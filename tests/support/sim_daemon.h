// Starts a real wlansim with the virtual clock in a private runtime directory and registry,
// points this process's environment at them, and stops it again.
#pragma once

#include <sys/types.h>

#include <string>

#include "temp_dir.h"

namespace nv::test {

class SimDaemon {
 public:
  explicit SimDaemon(const std::string& scenarioPath = "");
  ~SimDaemon();
  SimDaemon(const SimDaemon&) = delete;
  SimDaemon& operator=(const SimDaemon&) = delete;

  bool running() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  // Starts it (again) in the same directories; false when it did not come up.
  bool Start();
  // One control command; its reply text, and its status in *status when given.
  std::string Ctl(const std::string& command, int* status = nullptr);
  // Stops the daemon with SIGTERM; its exit status.
  int Stop();
  std::string runtimeDir() const { return dir_.path() + "/run"; }
  std::string registryPath() const { return dir_.path() + "/data/registry.db"; }
  std::string socketPath() const { return runtimeDir() + "/NVWLNPCI"; }

 private:
  TempDir dir_;
  std::string scenario_;
  pid_t pid_ = -1;
};

}  // namespace nv::test
