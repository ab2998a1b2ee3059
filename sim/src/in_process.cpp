#include "sim/in_process.h"

#include "sim/driver.h"
#include "sim/loopback.h"
#include "sim/scenario.h"

namespace nv::sim {
extern const char* const kDefaultScenarioJson;
}

namespace nv {

AdapterChoice ChooseAdapter(const std::vector<std::string>& arguments) {
  AdapterChoice choice;
  for (size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] != "--virtual-adapter") continue;
    choice.virtualAdapter = true;
    if (i + 1 < arguments.size() && !arguments[i + 1].empty() && arguments[i + 1][0] != '-')
      choice.scenarioPath = arguments[i + 1];
  }
  return choice;
}

struct InProcessAdapter::Parts {
  Parts(sim::Scenario scenario, Registry& registry, SystemPort& system)
      : driver(std::move(scenario), registry, system, /*virtualClock=*/false), loopback(driver) {}
  sim::SimDriver driver;
  sim::LoopbackLink loopback;
};

std::unique_ptr<InProcessAdapter> InProcessAdapter::Start(const std::string& scenarioPath,
                                                          Registry& registry, SystemPort& system,
                                                          std::string* error) {
  sim::Scenario scenario;
  const bool loaded = scenarioPath.empty()
                          ? sim::ParseScenario(sim::kDefaultScenarioJson, &scenario, error)
                          : sim::LoadScenarioFile(scenarioPath, &scenario, error);
  if (!loaded) return nullptr;
  return std::unique_ptr<InProcessAdapter>(
      new InProcessAdapter(std::make_unique<Parts>(std::move(scenario), registry, system)));
}

InProcessAdapter::InProcessAdapter(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}
InProcessAdapter::~InProcessAdapter() = default;
DeviceLink& InProcessAdapter::link() { return parts_->loopback; }
AdapterProbe& InProcessAdapter::probe() { return parts_->loopback; }

}  // namespace nv
