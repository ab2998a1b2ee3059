// The registry conformance suite on the Win32 backend: advapi32 as Wine implements it.
#include "registry_conformance.h"
#include "test_registry.h"

namespace nv::test {
namespace {

INSTANTIATE_TEST_SUITE_P(Win32, RegistryConformance,
                         ::testing::Values(RegistryBackend{
                             "Advapi32",
                             []() -> std::unique_ptr<Registry> { return MakeTestRegistry(); }}),
                         BackendName);

}  // namespace
}  // namespace nv::test
