// Registry-backed store operations on a database file holding the adapter's instance key and
// 64 profiles. Goals: ReadAdapterParameters < 0.3 ms, WriteAdapterParameters (everything)
// < 2 ms, EnumerateProfiles of 64 < 10 ms. Enumerating 1,000 and 10,000 subkeys through the
// registry port, and looking up the last of them, grow linearly (constant time per subkey).
// The settings lock a change takes costs < 1 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>

#include "fake_ports.h"
#include "logic/settings_lock.h"
#include "platform/sqlite_registry.h"
#include "posix_ports.h"
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
    c.wepStatus = kWepEnabled;
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

// A registry file whose profile root holds `count` profile keys, each with one value.
struct Crowd {
  explicit Crowd(int count) {
    std::string pattern = (std::filesystem::temp_directory_path() / "nvbench-XXXXXX").string();
    dir = mkdtemp(pattern.data());
    std::string error;
    registry = SqliteRegistry::OpenFile(dir + "/registry.db", &error);
    registry->BeginBatch();
    for (int i = 0; i < count; ++i) {
      RegKey key = 0;
      char name[32];
      std::snprintf(name, sizeof name, "profile%05d", i);
      registry->CreateKey(kHkeyCurrentUser, std::string(kProfileRoot) + name, &key);
      registry->SetValue(key, "dot11DesiredSSID", kRegSz, reinterpret_cast<const uint8_t*>(name),
                         static_cast<uint32_t>(std::strlen(name)));
      registry->CloseKey(key);
      last = name;
    }
    registry->EndBatch(true);
  }
  ~Crowd() {
    registry.reset();
    std::filesystem::remove_all(dir);
  }
  std::string dir;
  std::string last;
  std::unique_ptr<SqliteRegistry> registry;
};

Crowd& CrowdOf(int count) {
  static std::map<int, std::unique_ptr<Crowd>> crowds;
  auto& crowd = crowds[count];
  if (!crowd) crowd = std::make_unique<Crowd>(count);
  return *crowd;
}

void BM_EnumerateSubkeys(benchmark::State& state) {
  Crowd& c = CrowdOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    RegKey root = 0;
    c.registry->OpenKey(kHkeyCurrentUser, kProfileRoot, kKeyAllAccess, &root);
    int64_t n = 0;
    char name[128];
    for (uint32_t length = sizeof name;
         c.registry->EnumKey(root, static_cast<uint32_t>(n), name, &length) == 0;
         length = sizeof name) {
      ++n;
    }
    c.registry->CloseKey(root);
    if (n != state.range(0)) state.SkipWithError("subkeys missing");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EnumerateSubkeys)->Arg(64)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadLastProfile(benchmark::State& state) {
  Crowd& c = CrowdOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    AdapterConfig config{};
    ReadProfile(*c.registry, c.last, config);
    if (config.scope != kScopeAll) state.SkipWithError("profile not found");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadLastProfile)->Arg(64)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Taking and giving back the per-user settings lock (flock in the runtime directory), as the
// change road does once per change.
void BM_SettingsLock(benchmark::State& state) {
  std::string pattern = (std::filesystem::temp_directory_path() / "nvbench-XXXXXX").string();
  const std::string dir = mkdtemp(pattern.data());
  setenv("WLANMON_RUNTIME_DIR", dir.c_str(), 1);
  PosixSystem system;
  for (auto _ : state) {
    const SettingsLock lock(system);
    if (!lock.held()) state.SkipWithError("lock not had");
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SettingsLock)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace nv

BENCHMARK_MAIN();
