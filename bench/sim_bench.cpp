// Request round trips through the POSIX device link to a running wlansim, for one client and
// for eight at once, beside a bare socketpair ping-pong between two processes with the same
// message sizes. Goals: at least 20,000 per second for one client, and at least 0.9 of the
// bare ping-pong's rate (printed at the end as the ratio).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "adapter/buffers.h"
#include "echo_peer.h"
#include "posix_ports.h"
#include "sim_daemon.h"

namespace {

constexpr size_t kRequestBytes = 18;  // a status request's frame
constexpr size_t kReplyBytes = 403;   // and its reply's

// The tests' own daemon fixture: a private runtime directory and registry, the virtual clock.
nv::test::SimDaemon& TheDaemon() {
  static nv::test::SimDaemon daemon;
  return daemon;
}

// Round trips per second of each single-client run, for the ratio (median over repetitions:
// run with --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true on a busy
// machine).
std::vector<double> simRates;
std::vector<double> bareRates;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double Rate(benchmark::IterationCount n, std::chrono::steady_clock::time_point start) {
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return took.count() > 0 ? static_cast<double>(n) / took.count() : 0;
}

// One status-block query per iteration on a link held open, as the tick's request would be.
void BM_StatusRoundTrip(benchmark::State& state) {
  if (!TheDaemon().running()) return state.SkipWithError("wlansim did not start");
  nv::PosixDeviceLink link;
  const nv::DeviceHandle h = link.Open("\\\\.\\NVWLNPCI");
  uint8_t out[nv::kStatusBlockSize];
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const nv::IoOutcome r = link.Control(h, 0x2202A8, {}, out);
    if (!r.ok) state.SkipWithError("request failed");
  }
  if (state.threads() == 1) simRates.push_back(Rate(state.iterations(), start));
  link.Close(h);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StatusRoundTrip)->Threads(1)->Threads(8)->UseRealTime();

// The floor: the same sizes bounced between two processes over a socketpair, nothing else.
void BM_BareSocketpairRoundTrip(benchmark::State& state) {
  constexpr nv::bench::Sizes kStatus{kRequestBytes, kReplyBytes};
  nv::bench::EchoPeer peer(std::span(&kStatus, 1));
  if (!peer.running()) return state.SkipWithError("no echo process");
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    if (!peer.Exchange(kStatus)) {
      state.SkipWithError("the echo process went away");
      break;
    }
  }
  bareRates.push_back(Rate(state.iterations(), start));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BareSocketpairRoundTrip)->UseRealTime();

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

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const double sim = Median(simRates);
  const double bare = Median(bareRates);
  if (sim > 0 && bare > 0) {
    std::printf(
        "wlansim %.0f round trips/s, bare socketpair %.0f/s (medians of %zu and %zu runs): "
        "ratio %.2f (goal >= 0.9)\n",
        sim, bare, simRates.size(), bareRates.size(), sim / bare);
  }
  return 0;
}
