// wlanctl against what a hostile neighbour, a full disk or a failing store can do: planted
// names, odd files, a lock file that is no lock, writes that fail half-way, refused requests.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <future>
#include <thread>

#include "forwarding_registry.h"
#include "private_file.h"
#include "store/adapter_params.h"
#include "store/profile_store.h"
#include "temp_dir.h"
#include "wlanctl_fixture.h"

namespace nv {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

constexpr uid_t kOther = 65534;  // nobody: a user other than the one running the tests

// The registry with one kind of write failing from the `failAfter`-th on: a full disk or a
// store that gives up in the middle of a command.
class FailingRegistry : public test::ForwardingRegistry {
 public:
  FailingRegistry(Registry& real, int failAfter, bool deletesOnly)
      : ForwardingRegistry(real), left_(failAfter), deletesOnly_(deletesOnly) {}
  int32_t SetValue(RegKey k, std::string_view n, uint32_t t, const uint8_t* d,
                   uint32_t s) override {
    if (!deletesOnly_ && left_-- <= 0) return kDiskFull;
    return ForwardingRegistry::SetValue(k, n, t, d, s);
  }
  int32_t DeleteKey(RegKey p, std::string_view s) override {
    if (deletesOnly_ && left_-- <= 0) return kDiskFull;
    return ForwardingRegistry::DeleteKey(p, s);
  }

  static constexpr int32_t kDiskFull = 112;  // ERROR_DISK_FULL

 private:
  int left_;
  bool deletesOnly_;
};

// A clock that moves only when waited on: a lock wait runs out at once, without sleeping.
class WaitingClock : public PosixSystem {
 public:
  uint32_t TickCount() override { return now_; }
  void Sleep(uint32_t ms) override { now_ += ms; }

 private:
  uint32_t now_ = 0;
};

std::string Profiles(Registry& r) {
  std::vector<RegKeyDump> keys;
  DumpKeyTree(r, kHkeyCurrentUser, "Software", &keys);
  return cli::WriteRegedit4(keys);
}

TEST_F(WlanctlTest, ExportReplacesOnlyItsOwnFileAndAFailedOneLeavesThePreviousWhole) {
  if (getuid() != 0) GTEST_SKIP() << "needs root to play another user";
  test::TempDir dir;
  chmod(dir.path().c_str(), 01777);  // a shared, sticky folder like /tmp
  const std::string target = dir.File("victim"), link = dir.File("link.reg"),
                    theirs = dir.File("theirs.reg"), mine = dir.File("mine.reg");
  std::ofstream(target) << "their data";
  std::ofstream(theirs) << "their file";
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
  ASSERT_EQ(chown(theirs.c_str(), kOther, kOther), 0);
  ASSERT_EQ(chmod(theirs.c_str(), 0666), 0);
  for (const std::string& planted : {link, theirs}) {
    EXPECT_EQ(Run({"registry", "export", planted}), 1) << planted;
    EXPECT_TRUE(Has(err.str(), "nothing was written")) << err.str();
  }
  EXPECT_EQ(Slurp(target), "their data");
  EXPECT_EQ(Slurp(theirs), "their file");
  // A full disk: the write stops after 64 bytes; the previous export stays as it was.
  ASSERT_EQ(Run({"registry", "export", mine}), 0) << err.str();
  const std::string previous = Slurp(mine);
  ASSERT_EQ(Run({"profile", "add", "New", "--ssid", "NewNet"}), 0) << err.str();
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  setrlimit(RLIMIT_FSIZE, &small);
  const int rc = Run({"registry", "export", mine});
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_EQ(rc, 1);
  EXPECT_TRUE(Has(err.str(), "the previous file is unchanged")) << err.str();
  EXPECT_EQ(Slurp(mine), previous);
  struct stat st {};
  ASSERT_EQ(stat(mine.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(WlanctlTest, TheRegistryIsOpenedOnlyAsARegularFileOfOurOwnReachedWithoutALink) {
  if (getuid() != 0) GTEST_SKIP() << "needs root to play another user";
  test::TempDir dir;
  const std::string theirs = dir.File("theirs.db"), link = dir.File("link.db"),
                    fifo = dir.File("fifo.db");
  std::ofstream(theirs) << "";
  ASSERT_EQ(chown(theirs.c_str(), kOther, kOther), 0);
  ASSERT_EQ(chmod(theirs.c_str(), 0644), 0);
  ASSERT_EQ(symlink(theirs.c_str(), link.c_str()), 0);
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  for (const std::string& path : {theirs, link, fifo}) {
    std::string error;
    EXPECT_EQ(SqliteRegistry::OpenFile(path, &error), nullptr) << path;
    EXPECT_FALSE(error.empty());
  }
  struct stat st {};
  for (const std::string& path : {theirs, fifo}) {
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u) << path << ": its mode must not change";
  }
}

TEST_F(WlanctlTest, AFailedRemoveOrImportSaysSoAndLeavesEverythingWhole) {
  ASSERT_EQ(Run({"profile", "add", "Keep", "--ssid", "KeepNet"}), 0) << err.str();
  const std::string before = Profiles(*registry);
  FailingRegistry failingDelete(*registry, 0, true);
  AdapterIo deleting(Ports{ports.link, ports.probe, system, failingDelete});
  EXPECT_EQ(RunWith(deleting, {"profile", "remove", "Keep"}), 1);
  EXPECT_TRUE(Has(err.str(), "could not be removed")) << err.str();
  EXPECT_FALSE(Has(out.str(), "removed")) << out.str();
  EXPECT_EQ(Profiles(*registry), before);

  // An import whose writes stop half-way through stores none of them.
  test::TempDir dir;
  std::string text = "REGEDIT4\n";
  for (int i = 0; i < 20; ++i) {
    text += "\n[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\Imported" + std::to_string(i) +
            "]\n\"dot11DesiredSSID\"=\"Net\"\n\"dot11DesiredChannel\"=\"3\"\n";
  }
  std::string error;
  ASSERT_TRUE(cli::WritePrivateFile(dir.File("many.reg"), text, &error)) << error;
  FailingRegistry failingWrite(*registry, 25, false);
  AdapterIo writing(Ports{ports.link, ports.probe, system, failingWrite});
  EXPECT_EQ(RunWith(writing, {"registry", "import", dir.File("many.reg")}), 1);
  EXPECT_TRUE(Has(err.str(), "nothing was imported")) << err.str();
  EXPECT_EQ(Profiles(*registry), before);
  EXPECT_EQ(Run({"registry", "import", dir.File("many.reg")}), 0) << err.str();
}

TEST_F(WlanctlTest, AnImportWaitsForTheSettingsLockAndALockThatCannotBeHadRefusesChanges) {
  test::TempDir dir;
  std::string error;
  ASSERT_TRUE(
      cli::WritePrivateFile(dir.File("one.reg"),
                            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\Locked]\n"
                            "\"dot11DesiredSSID\"=\"Net\"\n",
                            &error));
  // settings.lock a dangling link, then a directory: every change is refused. (First: once
  // this process has the lock file open, it keeps using it.)
  const std::string lock = daemon.runtimeDir() + "/settings.lock";
  unlink(lock.c_str());
  const auto asLink = [&] { return symlink(dir.File("nowhere").c_str(), lock.c_str()) == 0; };
  const auto asFolder = [&] { return unlink(lock.c_str()) == 0 && mkdir(lock.c_str(), 0700) == 0; };
  for (const auto& plant : {std::function<bool()>(asLink), std::function<bool()>(asFolder)}) {
    ASSERT_TRUE(plant());
    const std::string stored = Dump();
    for (const std::vector<std::string>& change :
         {std::vector<std::string>{"config", "set", "--channel", "5"},
          {"profile", "add", "Unlocked"},
          {"registry", "import", dir.File("one.reg")}}) {
      EXPECT_EQ(Run(change), 1) << change[0];
      EXPECT_TRUE(Has(err.str(), "the settings lock could not be taken")) << err.str();
    }
    EXPECT_EQ(Dump(), stored);
  }
  ASSERT_EQ(rmdir(lock.c_str()), 0);

  WaitingClock clock;
  AdapterIo clocked(Ports{ports.link, ports.probe, clock, *registry});
  // Another change holds the lock (another thread: the lock is per thread within a process).
  std::promise<void> taken, release;
  std::thread holder([&] {
    PosixSystem other;
    EXPECT_EQ(other.TryLockSettings(), LockResult::Acquired);
    taken.set_value();
    release.get_future().wait();
    other.UnlockSettings();
  });
  taken.get_future().wait();
  const std::string before = Profiles(*registry);
  EXPECT_EQ(RunWith(clocked, {"registry", "import", dir.File("one.reg")}), 1);
  EXPECT_TRUE(Has(err.str(), "did not finish within 5 s")) << err.str();
  EXPECT_EQ(Profiles(*registry), before);
  release.set_value();
  holder.join();
}

TEST_F(WlanctlTest, ARefusedSettingKeepsItsStoredValue) {
  struct Case {
    std::string code;  // the set request the driver refuses
    std::vector<std::string> command;
    std::function<std::string(const AdapterConfig&)> field;
  } cases[] = {
      {"0x2202AC",
       {"security", "set", "--wep", "on", "--key1", "2222222222"},
       [](const AdapterConfig& c) {
         return std::string(reinterpret_cast<const char*>(c.keys[0].material), c.keys[0].length);
       }},
      {"0x220234",
       {"config", "set", "--ssid", "Refused"},
       [](const AdapterConfig& c) { return std::string(c.ssid); }},
  };
  for (const Case& c : cases) {
    daemon.Ctl("fault clear");
    ASSERT_EQ(Run({"security", "set", "--wep", "on", "--key1", "1111111111"}), 0) << err.str();
    AdapterConfig before{};
    ReadConfigValues(*registry, kHkeyLocalMachine, std::string(kNtClassRoot) + "0001\\", before);
    daemon.Ctl("fault code " + c.code + " 31");
    EXPECT_EQ(Run(c.command), 1) << c.code;
    AdapterConfig after{};
    ReadConfigValues(*registry, kHkeyLocalMachine, std::string(kNtClassRoot) + "0001\\", after);
    EXPECT_EQ(c.field(after), c.field(before)) << c.code << ": the driver kept the old value";
  }
}

TEST_F(WlanctlTest, AnImportReadsOnlyBoundedRegularFilesOfTheUtilitysOwnValues) {
  test::TempDir dir;
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  { std::ofstream create(dir.File("huge")); }
  { std::ofstream create(dir.File("edge")); }  // as large as a file may be: read, then refused
  ASSERT_EQ(truncate(dir.File("edge").c_str(), 16 << 20), 0);
  ASSERT_EQ(truncate(dir.File("huge").c_str(), (16 << 20) + 1), 0);
  const std::string instance = "[HKEY_LOCAL_MACHINE\\" + std::string(kNtClassRoot) + "0001]\n";
  std::string pairs = "00";  // 100,000 bytes of binary data
  for (int i = 1; i < 100000; ++i) pairs += ",00";
  struct Case {
    std::string file;  // a path, or the text of a .reg file
    int exit;
    std::string said;
  } cases[] = {
      {"/dev/zero", 1, "not a regular file"},
      {dir.File("fifo"), 1, "not a regular file"},
      {dir.File("huge"), 1, "larger than 16 MiB"},
      {dir.File("edge"), 1, "must start with REGEDIT4"},
      {"REGEDIT4\n\n" + instance + "\"MatchingDeviceId\"=hex(ffffffff):00,01\n", 0,
       "Left as they are: 1"},
      {"REGEDIT4\n\n" + instance + "\"Big\"=hex:" + pairs + "\n", 0, "Left as they are: 1"},
      {"REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\" + std::string(40, 'N') +
           "]\n\"dot11DesiredSSID\"=\"Net\"\n",
       1, "at most 32 bytes"},
  };
  const std::string before = Dump();
  for (Case& c : cases) {
    if (c.file.rfind("REGEDIT4", 0) == 0) {
      std::string error;
      const std::string text = c.file;
      c.file = dir.File("case.reg");
      ASSERT_TRUE(cli::WritePrivateFile(c.file, text, &error)) << error;
    }
    EXPECT_EQ(Run({"registry", "import", c.file}), c.exit) << c.said << err.str();
    EXPECT_TRUE(Has(err.str() + out.str(), c.said)) << err.str() << out.str();
    EXPECT_EQ(Dump(), before) << c.said;
  }
  EXPECT_EQ(Run({"status"}), 0) << err.str();
}

TEST_F(WlanctlTest, NamesReachTheTerminalEscapedAlignedAndTheirBytesExactInJson) {
  const std::string rlo = "\xE2\x80\xAE";  // right-to-left override
  ASSERT_EQ(Run({"config", "set", "--ssid", "abc" + rlo + "def"}), 0) << err.str();
  ASSERT_EQ(Run({"config", "show"}), 0);
  EXPECT_FALSE(Has(out.str(), rlo)) << out.str();
  EXPECT_TRUE(Has(out.str(), "abc\\xE2\\x80\\xAEdef")) << out.str();
  EXPECT_EQ(Run({"config", "set", "--ssid", std::string(32, 'S')}), 0) << err.str();
  EXPECT_EQ(Run({"config", "set", "--ssid", std::string(33, 'S')}), 2);
  EXPECT_TRUE(Has(err.str(), "at most 32 bytes")) << err.str();

  const std::string raw = "\xFF\xFEnet";
  ASSERT_EQ(Run({"config", "set", "--ssid", raw}), 0) << err.str();
  json shown = RunJson({"config", "show"});
  EXPECT_EQ(shown.value("ssidHex", ""), "fffe6e6574") << shown.dump();

  ASSERT_EQ(Run({"profile", "add",
                 "\xC3\x9C"
                 "ber"}),
            0)
      << err.str();  // "Über": 5 bytes
  ASSERT_EQ(Run({"profile", "add", "Uber"}), 0) << err.str();
  ASSERT_EQ(Run({"profile", "list"}), 0);
  std::istringstream lines(out.str());
  std::vector<size_t> columns;
  for (std::string line; std::getline(lines, line);) {
    const size_t at = line.find("not in range");
    size_t characters = 0;
    for (size_t i = 0; i < at; ++i) {
      characters += (static_cast<unsigned char>(line[i]) & 0xC0) != 0x80;
    }
    columns.push_back(characters);
  }
  ASSERT_EQ(columns.size(), 2u) << out.str();
  EXPECT_EQ(columns[0], columns[1]) << out.str();
}

}  // namespace
}  // namespace nv
