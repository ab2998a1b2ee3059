// One monitor tick as the tray runs it once a second: the status query, the adapter check with
// its registry reads and presence probe, and the decisions, against a running wlansim and the
// SQLite registry file. Goal: median under 150 us. Run with --benchmark_repetitions to get the
// spread; the per-tick histogram (median, p99) is printed at the end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "adapter/operations.h"
#include "logic/tray_monitor.h"
#include "sim_daemon.h"
#include "socket_ports.h"
#include "store/adapter_params.h"

namespace {

struct QuietHost : nv::TrayHost {
  int updates = 0;
  void UpdateTrayIcon(int, const std::string&) override { ++updates; }
  void RefreshSurveyLists() override {}
  void CloseConfigWindowWithPopups() override {}
};

struct World {
  nv::test::SimDaemon daemon;
  nv::test::SocketPorts ports{daemon};
  nv::AppState state;
  QuietHost host;
  nv::TrayMonitor monitor{*ports.io, state, host};
  World() {
    daemon.Ctl("step 3000");  // associated: the tick's everyday path
    monitor.Start();
    monitor.Tick();  // the first settled tick re-applies security once; measure the rest
  }
};

World& TheWorld() {
  static World world;
  return world;
}

std::vector<double>& Samples() {
  static std::vector<double> samples;
  return samples;
}

void BM_MonitorTick(benchmark::State& state) {
  World& w = TheWorld();
  if (!w.daemon.running() || !w.ports.io) return state.SkipWithError("wlansim did not start");
  const int updatesBefore = w.host.updates;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    w.monitor.Tick();
    const auto end = std::chrono::steady_clock::now();
    Samples().push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  if (w.monitor.shownIcon() != 133) state.SkipWithError("the link is not associated");
  state.counters["tray_updates"] = w.host.updates - updatesBefore;  // 0: nothing changed
}
BENCHMARK(BM_MonitorTick)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// Where the tick's time goes: its three parts alone.
void BM_StatusQuery(benchmark::State& state) {
  World& w = TheWorld();
  for (auto _ : state) {
    nv::LinkStatus link{};
    nv::ReadLinkStatus(*w.ports.io, link);
    if (link.state != nv::kStateAssociated) state.SkipWithError("not associated");
  }
}
BENCHMARK(BM_StatusQuery)->Unit(benchmark::kMicrosecond);

void BM_AdapterCheck(benchmark::State& state) {  // registry reads and the presence probe
  World& w = TheWorld();
  for (auto _ : state) {
    nv::AdapterConfig stored{};
    nv::ReadAdapterParameters(*w.ports.io, stored);
    if (stored.scope == nv::kScopeNoAdapter) state.SkipWithError("no adapter");
  }
}
BENCHMARK(BM_AdapterCheck)->Unit(benchmark::kMicrosecond);

void BM_Decisions(benchmark::State& state) {
  nv::LinkStatus link{};
  link.state = nv::kStateAssociated;
  link.networkMode = nv::kNetworkInfrastructure;
  link.signalMetric = 95;
  link.linkMetric = 10;
  for (auto _ : state) {
    const nv::TrayLook look = nv::DecideLook(true, link, nv::QualityPercent(link.linkMetric),
                                             nv::SignalPercent(link.signalMetric), 136, 0);
    benchmark::DoNotOptimize(look);
  }
}
BENCHMARK(BM_Decisions);

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!Samples().empty()) {
    std::printf("one tick over %zu ticks: median %.1f us, p90 %.1f us, p99 %.1f us\n",
                Samples().size(), Percentile(Samples(), 0.5), Percentile(Samples(), 0.9),
                Percentile(Samples(), 0.99));
  }
  return 0;
}
