// A fresh, empty registry for one test: SQLite in memory, or on Windows a private corner of
// the real registry (standing in for both roots) that is removed afterwards.
#pragma once

#include <memory>

#ifdef _WIN32
#include "win32_ports.h"
#else
#include "platform/sqlite_registry.h"
#endif

namespace nv::test {

#ifdef _WIN32
class TestRegistry : public Win32Registry {
 public:
  TestRegistry(HKEY localMachine, HKEY currentUser, std::string path);
  ~TestRegistry() override;

 private:
  HKEY localMachine_;
  HKEY currentUser_;
  std::string path_;
};
#else
using TestRegistry = SqliteRegistry;
#endif

std::unique_ptr<TestRegistry> MakeTestRegistry();

}  // namespace nv::test
