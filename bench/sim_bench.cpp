// Request round trips through the POSIX device link to a running wlansim, for one client and
// for eight at once. Goal: at least 20,000 per second for one client.
#include <benchmark/benchmark.h>

#include "adapter/buffers.h"
#include "posix_ports.h"
#include "sim_daemon.h"

namespace {

// The tests' own daemon fixture: a private runtime directory and registry, the virtual clock.
nv::test::SimDaemon& TheDaemon() {
  static nv::test::SimDaemon daemon;
  return daemon;
}

// One status-block query per iteration on a link held open, as the tick's request would be.
void BM_StatusRoundTrip(benchmark::State& state) {
  if (!TheDaemon().running()) return state.SkipWithError("wlansim did not start");
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
  if (!TheDaemon().running()) return state.SkipWithError("wlansim did not start");
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
