// Doubles of the adapter probe and system ports for unit tests.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/adapter_probe.h"
#include "platform/system_port.h"
#include "platform/win32_codes.h"

namespace nv {

class FakeProbe : public AdapterProbe {
 public:
  bool OpenAndClose(std::string_view adapterName) override {
    asked.emplace_back(adapterName);
    return present.count(std::string(adapterName)) != 0;
  }
  std::set<std::string> present;
  std::vector<std::string> asked;
};

class FakeSystem : public SystemPort {
 public:
  VersionInfo GetVersion() override { return {versionOk, platformId}; }
  uint32_t TickCount() override { return tick; }
  void Sleep(uint32_t milliseconds) override {
    sleeps.push_back(milliseconds);
    tick += milliseconds;
  }
  bool versionOk = true;
  uint32_t platformId = win::kPlatformWin32Nt;
  uint32_t tick = 0;
  std::vector<uint32_t> sleeps;
};

}  // namespace nv
