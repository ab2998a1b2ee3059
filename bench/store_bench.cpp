// Registry-backed store operations on a database file holding the adapter's instance key and
// 64 profiles. Goals: ReadAdapterParameters < 0.3 ms, WriteAdapterParameters (everything)
// < 2 ms, EnumerateProfiles of 64 < 10 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "fake_ports.h"
#include "platform/sqlite_registry.h"
#include "recording_device_link.h"
#include "store/adapter_params.h"
#include "store/profile_store.h"

namespace nv {
namespace {

struct World {
  std::string dir;
  std::unique_ptr<SqliteRegistry> registry;
  RecordingDeviceLink link;
  FakeProbe probe;
  FakeSystem system;
  std::unique_ptr<AdapterIo> io;

  World() {
    std::string pattern = (std::filesystem::temp_directory_path() / "nvbench-XXXXXX").string();
    dir = mkdtemp(pattern.data());
    std::string error;
    registry = SqliteRegistry::OpenFile(dir + "/registry.db", &error);
    io = std::make_unique<AdapterIo>(Ports{link, probe, system, *registry});
    const std::string instance = std::string(kNtClassRoot) + "0000";
    RegKey key = 0;
    registry->CreateKey(kHkeyLocalMachine, instance, &key);
    SetText(key, std::string(kMatchingDeviceId), std::string(kHardwareIds[0]));
    SetText(key, std::string(kNetCfgInstanceId), "{BENCH}");
    registry->CloseKey(key);
    probe.present.insert("\\Device\\{BENCH}");
    AdapterConfig config = Sample();
    WriteAdapterParameters(*io, config);
    for (int i = 0; i < kMaxProfiles; ++i) {
      config = Sample();
      WriteProfile(*registry, "profile" + std::to_string(i), config);
    }
  }
  ~World() {
    registry.reset();
    std::filesystem::remove_all(dir);
  }
  void SetText(RegKey key, const std::string& name, const std::string& text) {
    registry->SetValue(key, name, kRegSz, reinterpret_cast<const uint8_t*>(text.data()),
                       static_cast<uint32_t>(text.size()));
  }
  static AdapterConfig Sample() {
    AdapterConfig c{};
    std::strcpy(c.ssid, "Benchmark");
    c.wepStatus = 0;
    for (auto& k : c.keys) {
      k.length = 13;
      std::memset(k.material, 0x42, 13);
    }
    return c;
  }
};

World& TheWorld() {
  static World world;
  return world;
}

void BM_ReadAdapterParameters(benchmark::State& state) {
  World& w = TheWorld();
  for (auto _ : state) {
    AdapterConfig config{};
    ReadAdapterParameters(*w.io, config);
    benchmark::DoNotOptimize(config);
  }
}
BENCHMARK(BM_ReadAdapterParameters)->Unit(benchmark::kMicrosecond);

void BM_WriteAdapterParametersAll(benchmark::State& state) {
  World& w = TheWorld();
  AdapterConfig config = World::Sample();
  for (auto _ : state) {
    config.scope = 0;
    WriteAdapterParameters(*w.io, config);
  }
}
BENCHMARK(BM_WriteAdapterParametersAll)->Unit(benchmark::kMicrosecond);

void BM_EnumerateProfiles64(benchmark::State& state) {
  World& w = TheWorld();
  auto table = std::make_unique<ProfileTable>();
  for (auto _ : state) {
    *table = ProfileTable{};
    EnumerateProfiles(*w.registry, *table);
    if (table->count != kMaxProfiles) state.SkipWithError("profiles missing");
  }
}
BENCHMARK(BM_EnumerateProfiles64)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nv

BENCHMARK_MAIN();
