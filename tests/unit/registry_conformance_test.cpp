#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>

#include "platform/sqlite_registry.h"
#include "platform/win32_codes.h"
#include "registry_conformance.h"
#include "temp_dir.h"

namespace nv::test {
namespace {

// Each file-backed registry gets its own directory, kept until the process ends.
std::unique_ptr<Registry> MakeFileRegistry() {
  static std::vector<std::unique_ptr<TempDir>> dirs;
  dirs.push_back(std::make_unique<TempDir>());
  std::string error;
  auto registry = SqliteRegistry::OpenFile(dirs.back()->File("reg/registry.db"), &error);
  EXPECT_TRUE(registry) << error;
  return registry;
}

INSTANTIATE_TEST_SUITE_P(
    Sqlite, RegistryConformance,
    ::testing::Values(RegistryBackend{"Memory", [] { return SqliteRegistry::OpenMemory(); }},
                      RegistryBackend{"File", MakeFileRegistry}),
    BackendName);

// Our registry keeps values in the order they were first written (Wine sorts them by name).
TEST(SqliteRegistry, ValuesEnumerateInTheOrderFirstWritten) {
  auto r = SqliteRegistry::OpenMemory();
  RegKey key = 0;
  ASSERT_EQ(r->CreateKey(kHkeyCurrentUser, "Software\\Order", &key), 0);
  for (const char* name : {"zulu", "Alpha", "mike", "ZULU"}) {
    ASSERT_EQ(r->SetValue(key, name, kRegSz, reinterpret_cast<const uint8_t*>(name), 1), 0);
  }
  std::vector<std::string> names;
  for (uint32_t i = 0;; ++i) {
    char name[16];
    uint32_t length = sizeof name;
    if (r->EnumValue(key, i, name, &length, nullptr, nullptr, nullptr) != 0) break;
    names.emplace_back(name, length);
  }
  EXPECT_EQ(names, std::vector<std::string>({"zulu", "Alpha", "mike"}));
}

TEST(SqliteRegistryFile, CreatedPrivate) {
  TempDir dir;
  const std::string path = dir.File("a/b/registry.db");
  std::string error;
  ASSERT_TRUE(SqliteRegistry::OpenFile(path, &error)) << error;
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_EQ(stat(dir.File("a/b").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(stat(dir.File("a").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(SqliteRegistryFile, UnopenablePathIsReported) {
  std::string error;
  EXPECT_FALSE(SqliteRegistry::OpenFile("/proc/no/such/registry.db", &error));
  EXPECT_FALSE(error.empty());
}

TEST(SqliteRegistryFile, SurvivesReopening) {
  TempDir dir;
  std::string error;
  {
    auto r = SqliteRegistry::OpenFile(dir.File("registry.db"), &error);
    RegKey key = 0;
    ASSERT_EQ(r->CreateKey(kHkeyLocalMachine, "System\\Kept", &key), 0);
    const uint8_t v[1] = {'x'};
    ASSERT_EQ(r->SetValue(key, "v", kRegSz, v, 1), 0);
  }
  auto r = SqliteRegistry::OpenFile(dir.File("registry.db"), &error);
  RegKey key = 0;
  ASSERT_EQ(r->OpenKey(kHkeyLocalMachine, "system\\kept", kKeyRead, &key), 0);
  uint32_t size = 0;
  EXPECT_EQ(r->QueryValue(key, "V", nullptr, nullptr, &size), 0);
  EXPECT_EQ(size, 1u);
}

// Reads through open keys share one snapshot. Own writes show at once, and once the last key
// closes another connection's writes show too: no read stays on an old view.
TEST(SqliteRegistryFile, OpenKeysNeverHideWrites) {
  TempDir dir;
  std::string error;
  auto a = SqliteRegistry::OpenFile(dir.File("registry.db"), &error);
  auto b = SqliteRegistry::OpenFile(dir.File("registry.db"), &error);
  ASSERT_TRUE(a && b) << error;
  RegKey created = 0;
  ASSERT_EQ(b->CreateKey(kHkeyLocalMachine, "System\\Shared", &created), 0);
  b->CloseKey(created);
  auto read = [](Registry& r, RegKey key) {
    uint8_t data[4] = {};
    uint32_t size = sizeof data;
    return r.QueryValue(key, "v", nullptr, data, &size) == 0 ? data[0] : uint8_t{0};
  };
  auto write = [](Registry& r, RegKey key, uint8_t v) {
    return r.SetValue(key, "v", kRegBinary, &v, 1);
  };
  RegKey ka = 0;
  RegKey kb = 0;
  ASSERT_EQ(a->OpenKey(kHkeyLocalMachine, "System\\Shared", kKeyRead, &ka), 0);
  ASSERT_EQ(b->OpenKey(kHkeyLocalMachine, "System\\Shared", kKeyRead, &kb), 0);
  ASSERT_EQ(write(*a, ka, 1), 0);
  EXPECT_EQ(read(*a, ka), 1);      // its own write, with the key still open
  ASSERT_EQ(write(*b, kb, 2), 0);  // b's own view ends before it writes
  EXPECT_EQ(read(*b, kb), 2);
  EXPECT_EQ(a->CloseKey(ka), 0);
  ASSERT_EQ(a->OpenKey(kHkeyLocalMachine, "System\\Shared", kKeyRead, &ka), 0);
  EXPECT_EQ(read(*a, ka), 2);  // the last close ended the old view
  EXPECT_EQ(a->CloseKey(ka), 0);
  EXPECT_EQ(b->CloseKey(kb), 0);
}

// Two processes write into one file at once; nothing is lost and nothing fails.
TEST(SqliteRegistryFile, TwoProcessesWritingAtOnceLoseNothing) {
  TempDir dir;
  const std::string path = dir.File("registry.db");
  std::string error;
  ASSERT_TRUE(SqliteRegistry::OpenFile(path, &error)) << error;
  constexpr int kWrites = 300;
  auto writer = [&](const std::string& who) {
    auto r = SqliteRegistry::OpenFile(path, &error);
    int failures = r ? 0 : 1;
    for (int i = 0; r && i < kWrites; ++i) {
      RegKey key = 0;
      const std::string sub = "Software\\Shared\\" + who + std::to_string(i % 7);
      failures += r->CreateKey(kHkeyCurrentUser, sub, &key) != 0;
      const std::string name = who + std::to_string(i);
      failures += r->SetValue(key, name, kRegSz, reinterpret_cast<const uint8_t*>(name.data()),
                              static_cast<uint32_t>(name.size())) != 0;
      RegKey common = 0;
      failures += r->CreateKey(kHkeyCurrentUser, "Software\\Shared\\Common", &common) != 0;
      failures += r->SetValue(common, name, kRegSz, nullptr, 0) != 0;
      r->CloseKey(common);
      r->CloseKey(key);
    }
    return failures;
  };
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(writer("child") == 0 ? 0 : 1);
  EXPECT_EQ(writer("parent"), 0);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  auto r = SqliteRegistry::OpenFile(path, &error);
  RegKey common = 0;
  ASSERT_EQ(r->OpenKey(kHkeyCurrentUser, "Software\\Shared\\Common", kKeyRead, &common), 0);
  for (const char* who : {"child", "parent"}) {
    for (int i = 0; i < kWrites; ++i) {
      uint32_t size = 0;
      const std::string name = who + std::to_string(i);
      EXPECT_EQ(r->QueryValue(common, name, nullptr, nullptr, &size), 0) << name;
    }
  }
}

// A program may shorten the wait for a database another one holds (the window does); a write
// then gives up about that soon and is counted. In a child: the wait is the whole process's.
TEST(SqliteRegistryFile, AHeldDatabaseIsWaitedForAsLongAsTheProgramSays) {
  TempDir dir;
  const std::string path = dir.File("registry.db");
  std::string error;
  auto holder = SqliteRegistry::OpenFile(path, &error);
  ASSERT_TRUE(holder) << error;
  int opened[2];
  int held[2];
  ASSERT_EQ(pipe(opened), 0);
  ASSERT_EQ(pipe(held), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {  // opens the file, then writes while the parent holds it
    SqliteRegistry::SetBusyWaitMs(200);
    auto r = SqliteRegistry::OpenFile(path, &error);
    char byte = 0;
    if (!r || write(opened[1], "o", 1) != 1 || read(held[0], &byte, 1) != 1) _exit(2);
    const auto start = std::chrono::steady_clock::now();
    RegKey key = 0;
    const bool refused = r->CreateKey(kHkeyCurrentUser, "Software\\Other", &key) != 0;
    const bool soon = std::chrono::steady_clock::now() - start < std::chrono::seconds(2);
    _exit(refused && soon && SqliteRegistry::BusyGiveUps() > 0 ? 0 : 1);
  }
  char byte = 0;
  ASSERT_EQ(read(opened[0], &byte, 1), 1);
  ASSERT_EQ(holder->BeginBatch(), 0);  // holds the database until the batch ends
  ASSERT_EQ(write(held[1], "h", 1), 1);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  holder->EndBatch(false);
  for (const int fd : {opened[0], opened[1], held[0], held[1]}) close(fd);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// What a batch on SQLite promises beyond the shared suite: dropped, failed or cut short by the
// death of its process, none of it lands.
class SqliteBatch : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    registry = SqliteRegistry::OpenFile(path, &error);
    ASSERT_TRUE(registry) << error;
  }
  // Creates the key and writes `count` values in it.
  void Write(SqliteRegistry& r, const std::string& key, int count) {
    RegKey k = 0;
    ASSERT_EQ(r.CreateKey(kHkeyCurrentUser, "Software\\" + key, &k), 0);
    for (int i = 0; i < count; ++i) {
      const std::string name = "v" + std::to_string(i);
      ASSERT_EQ(r.SetValue(k, name, kRegSz, reinterpret_cast<const uint8_t*>(name.data()),
                           static_cast<uint32_t>(name.size())),
                0);
    }
    r.CloseKey(k);
  }
  bool Exists(const std::string& key) {
    RegKey k = 0;
    if (registry->OpenKey(kHkeyCurrentUser, "Software\\" + key, kKeyRead, &k) != 0) return false;
    registry->CloseKey(k);
    return true;
  }
  TempDir dir;
  std::string path = dir.File("registry.db");
  std::unique_ptr<SqliteRegistry> registry;
};

TEST_F(SqliteBatch, DroppedOrNestedDroppedBatchLeavesNothing) {
  ASSERT_EQ(registry->BeginBatch(), 0);
  Write(*registry, "Dropped", 3);
  EXPECT_EQ(registry->EndBatch(false), 0);
  EXPECT_FALSE(Exists("Dropped"));

  ASSERT_EQ(registry->BeginBatch(), 0);
  Write(*registry, "Outer", 2);
  ASSERT_EQ(registry->BeginBatch(), 0);
  Write(*registry, "Inner", 2);
  EXPECT_EQ(registry->EndBatch(false), 0);
  EXPECT_NE(registry->EndBatch(true), 0);  // an inner batch was dropped: nothing lands
  EXPECT_FALSE(Exists("Outer"));
  EXPECT_FALSE(Exists("Inner"));
  EXPECT_NE(registry->EndBatch(true), 0);  // no batch open

  ASSERT_EQ(registry->BeginBatch(), 0);
  Write(*registry, "Kept", 2);
  EXPECT_EQ(registry->EndBatch(true), 0);
  EXPECT_TRUE(Exists("Kept"));
}

TEST_F(SqliteBatch, FailedWriteInABatchDropsItAll) {
  ASSERT_EQ(registry->BeginBatch(), 0);
  Write(*registry, "Partial", 2);
  EXPECT_EQ(registry->DeleteKey(kHkeyCurrentUser, "Software"), win::kErrorAccessDenied);
  EXPECT_NE(registry->EndBatch(true), 0);
  EXPECT_FALSE(Exists("Partial"));
}

TEST_F(SqliteBatch, ProcessDyingInsideABatchLeavesNothing) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::string error;
    auto own = SqliteRegistry::OpenFile(path, &error);
    own->BeginBatch();
    Write(*own, "Torn", 16);
    const char byte = 1;
    [[maybe_unused]] ssize_t n = write(ready[1], &byte, 1);
    pause();  // killed here, mid-batch
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
  std::string error;
  registry = SqliteRegistry::OpenFile(path, &error);  // a new reader after the death
  EXPECT_FALSE(Exists("Torn"));
  Write(*registry, "After", 1);  // the database is not left locked
  EXPECT_TRUE(Exists("After"));
}

}  // namespace
}  // namespace nv::test
