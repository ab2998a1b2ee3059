// A complete set of in-process ports for unit tests: the recording device link, a probe and
// a system double, and an in-memory registry, wired into one AdapterIo.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adapter/adapter_io.h"
#include "fake_ports.h"
#include "recording_device_link.h"
#include "test_registry.h"

namespace nv::test {

struct TestPorts {
  TestPorts();
  RecordingDeviceLink link;
  FakeProbe probe;
  FakeSystem system;
  std::unique_ptr<TestRegistry> registry;
  AdapterIo io;

  // Writes an instance key under the class root of the current platform family with the
  // given MatchingDeviceId and a NetCfgInstanceId; marks it present in the probe when asked.
  std::string AddInstance(const std::string& name, const std::string& matchingDeviceId,
                          bool present);
};

std::vector<uint8_t> Bytes(std::initializer_list<int> values);
std::string HexOf(std::span<const uint8_t> bytes);
// Sets a text value, creating the key.
void SetText(Registry& registry, RegKey root, const std::string& path, const std::string& name,
             const std::string& text);
void SetDword(Registry& registry, RegKey root, const std::string& path, const std::string& name,
              uint32_t value);
// Reads a value's bytes (a text without a trailing terminator) and tells whether it exists.
bool GetText(Registry& registry, RegKey root, const std::string& path, const std::string& name,
             std::string* text);

}  // namespace nv::test
