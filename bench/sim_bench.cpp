// Request round trips through the POSIX device link to a running wlansim, for one client and
// for eight at once. Goal: at least 20,000 per second for one client.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "adapter/buffers.h"
#include "posix_ports.h"

namespace {

struct Daemon {
  std::string dir;
  pid_t pid = -1;
  Daemon() {
    std::string pattern = (std::filesystem::temp_directory_path() / "nvsimbench-XXXXXX").string();
    dir = mkdtemp(pattern.data());
    setenv("WLANMON_RUNTIME_DIR", (dir + "/run").c_str(), 1);
    setenv("WLANMON_REGISTRY", (dir + "/registry.db").c_str(), 1);
    int ready[2];
    if (pipe(ready) != 0) return;
    pid = fork();
    if (pid == 0) {
      close(ready[0]);
      const std::string fd = std::to_string(ready[1]);
      execl(WLANSIM_PATH, "wlansim", "--virtual-clock", "--notify-fd", fd.c_str(), nullptr);
      _exit(127);
    }
    close(ready[1]);
    char byte;
    if (read(ready[0], &byte, 1) != 1) pid = -1;
    close(ready[0]);
  }
  ~Daemon() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
    std::filesystem::remove_all(dir);
  }
};

Daemon& TheDaemon() {
  static Daemon daemon;
  return daemon;
}

// One status-block query per iteration on a link held open, as the tick's request would be.
void BM_StatusRoundTrip(benchmark::State& state) {
  if (TheDaemon().pid <= 0) return state.SkipWithError("wlansim did not start");
  nv::PosixDeviceLink link;
  const nv::DeviceHandle h = link.Open("\\\\.\\NVWLNPCI");
  uint8_t out[nv::kStatusBlockSize];
  for (auto _ : state) {
    const nv::IoOutcome r = link.Control(h, 0x2202A8, {}, out);
    if (!r.ok) state.SkipWithError("request failed");
  }
  link.Close(h);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StatusRoundTrip)->Threads(1)->Threads(8)->UseRealTime();

// Open, one request, close: what every adapter operation costs.
void BM_OpenRequestClose(benchmark::State& state) {
  if (TheDaemon().pid <= 0) return state.SkipWithError("wlansim did not start");
  nv::PosixDeviceLink link;
  uint8_t out[4];
  for (auto _ : state) {
    const nv::DeviceHandle h = link.Open("\\\\.\\NVWLNPCI");
    link.Control(h, 0x22039C, {}, out);
    link.Close(h);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OpenRequestClose)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
