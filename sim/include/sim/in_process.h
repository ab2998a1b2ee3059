// The virtual adapter run inside the tray program (`--virtual-adapter [SCENARIO]`): for trying
// the program where no driver is installed (Windows under Wine included) and for its tests. The
// device link and the probe then reach the in-process driver; the registry stays the real one.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/adapter_probe.h"
#include "platform/device_link.h"
#include "platform/registry.h"
#include "platform/system_port.h"

namespace nv {

struct AdapterChoice {
  bool virtualAdapter = false;
  std::string scenarioPath;  // empty: the scenario built into the program
};

// Reads `--virtual-adapter [SCENARIO]` from the program's arguments (the first is the program).
AdapterChoice ChooseAdapter(const std::vector<std::string>& arguments);

class InProcessAdapter {
 public:
  // Null with a message in `error` when the scenario cannot be loaded.
  static std::unique_ptr<InProcessAdapter> Start(const std::string& scenarioPath,
                                                 Registry& registry, SystemPort& system,
                                                 std::string* error);
  ~InProcessAdapter();
  DeviceLink& link();
  AdapterProbe& probe();

 private:
  struct Parts;
  explicit InProcessAdapter(std::unique_ptr<Parts> parts);
  std::unique_ptr<Parts> parts_;
};

}  // namespace nv
