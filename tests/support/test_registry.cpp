#include "test_registry.h"

#include <atomic>
#include <string>

namespace nv::test {

#ifdef _WIN32

}  // namespace nv::test
#include <shlwapi.h>
namespace nv::test {

namespace {
constexpr const char* kBase = "Software\\NetvaneTests";
}  // namespace

TestRegistry::TestRegistry(HKEY localMachine, HKEY currentUser, std::string path)
    : Win32Registry(localMachine, currentUser),
      localMachine_(localMachine),
      currentUser_(currentUser),
      path_(std::move(path)) {}

TestRegistry::~TestRegistry() {
  RegCloseKey(localMachine_);
  RegCloseKey(currentUser_);
  SHDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());  // the whole tree (XP has no RegDeleteTreeA)
}

std::unique_ptr<TestRegistry> MakeTestRegistry() {
  static std::atomic<int> counter{0};
  const std::string path = std::string(kBase) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(counter++);
  SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
  HKEY lm = nullptr, cu = nullptr;
  RegCreateKeyA(HKEY_CURRENT_USER, (path + "\\HKLM").c_str(), &lm);
  RegCreateKeyA(HKEY_CURRENT_USER, (path + "\\HKCU").c_str(), &cu);
  return std::make_unique<TestRegistry>(lm, cu, path);
}

#else

std::unique_ptr<TestRegistry> MakeTestRegistry() { return SqliteRegistry::OpenMemory(); }

#endif

}  // namespace nv::test
