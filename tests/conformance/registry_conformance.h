// The registry conformance suite: one set of cases run against every backend of the registry
// port. A backend joins by instantiating it with a factory of fresh, empty registries.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/registry.h"

namespace nv::test {

struct RegistryBackend {
  std::string name;
  std::function<std::unique_ptr<Registry>()> make;
};

class RegistryConformance : public ::testing::TestWithParam<RegistryBackend> {
 protected:
  void SetUp() override { registry = GetParam().make(); }
  std::unique_ptr<Registry> registry;
};

inline std::string BackendName(const ::testing::TestParamInfo<RegistryBackend>& info) {
  return info.param.name;
}

}  // namespace nv::test
