#include "adapter_fixture.h"

#include <cstdio>

#include "platform/win32_codes.h"
#include "store/adapter_params.h"

namespace nv::test {

namespace {
Ports MakePorts(TestPorts& t) { return Ports{t.link, t.probe, t.system, *t.registry}; }
}  // namespace

TestPorts::TestPorts() : registry(MakeTestRegistry()), io(MakePorts(*this)) {}

std::string TestPorts::AddInstance(const std::string& name, const std::string& matchingDeviceId,
                                   bool present) {
  const std::string path = std::string(ClassRootFor(system.platformId)) + name;
  SetText(*registry, kHkeyLocalMachine, path, std::string(kMatchingDeviceId), matchingDeviceId);
  const std::string guid = "{00000000-0000-0000-0000-00000000" + name + "}";
  SetText(*registry, kHkeyLocalMachine, path, std::string(kNetCfgInstanceId), guid);
  if (present) {
    probe.present.insert(system.platformId == win::kPlatformWin32Nt ? "\\Device\\" + guid : name);
  }
  return path + "\\";
}

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

std::string HexOf(std::span<const uint8_t> bytes) {
  std::string out;
  char pair[3];
  for (uint8_t b : bytes) {
    std::snprintf(pair, sizeof pair, "%02x", b);
    out += pair;
  }
  return out;
}

void SetText(Registry& registry, RegKey root, const std::string& path, const std::string& name,
             const std::string& text) {
  RegKey key = 0;
  registry.CreateKey(root, path, &key);
  registry.SetValue(key, name, kRegSz, reinterpret_cast<const uint8_t*>(text.data()),
                    static_cast<uint32_t>(text.size()));
  registry.CloseKey(key);
}

void SetDword(Registry& registry, RegKey root, const std::string& path, const std::string& name,
              uint32_t value) {
  RegKey key = 0;
  registry.CreateKey(root, path, &key);
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  registry.SetValue(key, name, kRegDword, bytes, 4);
  registry.CloseKey(key);
}

bool GetText(Registry& registry, RegKey root, const std::string& path, const std::string& name,
             std::string* text) {
  RegKey key = 0;
  if (registry.OpenKey(root, path, kKeyRead, &key) != 0) return false;
  char buffer[2048] = {};
  uint32_t size = sizeof buffer;
  uint32_t type = 0;
  const int32_t rc =
      registry.QueryValue(key, name, &type, reinterpret_cast<uint8_t*>(buffer), &size);
  registry.CloseKey(key);
  if (rc != 0) return false;
  // Some registries hand texts back with a terminator the writer did not store.
  if (type == kRegSz && size > 0 && buffer[size - 1] == '\0') --size;
  *text = std::string(buffer, size);
  return true;
}

}  // namespace nv::test
