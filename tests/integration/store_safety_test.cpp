// What the utility stores survives a wlanctl killed at any moment, and concurrent changes
// never undo each other. Each case runs wlanctl as a user would, against a real wlansim.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <random>
#include <thread>

#include "child_process.h"
#include "platform/sqlite_registry.h"
#include "platform/win32_codes.h"
#include "sim_daemon.h"
#include "store/adapter_params.h"
#include "store/profile_store.h"

namespace nv {
namespace {

constexpr int kKills = 50;
const std::string kAdapterKey = std::string(kNtClassRoot) + "0001\\";

class StoreSafety : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(daemon.running()); }

  static int Wlanctl(std::vector<std::string> args) {
    args.insert(args.begin(), WLANCTL_PATH);
    return test::RunProgram(args);
  }
  // Runs the command kKills times and kills it at a random moment of its registry writes: the
  // first change of the database's write-ahead log tells that they began. Calls `check` after
  // each death; returns how many runs the kill cut short.
  template <typename Args, typename Check>
  int KillRepeatedly(Args&& argsOf, Check&& check) {
    EXPECT_EQ(Wlanctl(argsOf(-1)), 0);  // the log file exists from here on
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    EXPECT_GE(inotify_add_watch(watch, (daemon.registryPath() + "-wal").c_str(), IN_MODIFY), 0);
    std::mt19937 random(16);
    std::uniform_int_distribution<int> at(0, 400);  // microseconds: a few writes' time
    int cut = 0;
    int wrote = 0;
    // On a loaded machine a run can end before its kill comes; the runs go on (up to three
    // times as many) until at least one was cut among its writes.
    for (int i = 0; i < kKills || (cut == 0 && i < 3 * kKills); ++i) {
      char events[4096];
      while (read(watch, events, sizeof events) > 0) {
      }
      std::vector<std::string> args = argsOf(i);
      args.insert(args.begin(), WLANCTL_PATH);
      const pid_t child = test::StartProgram(args);
      pollfd written{watch, POLLIN, 0};
      // A run that wrote nothing in time (a loaded machine) is killed all the same; the check
      // after it holds either way, and most runs must have been cut among their writes.
      wrote += poll(&written, 1, 10000) == 1;
      // The kill point is random; no result depends on how long this takes.
      std::this_thread::sleep_for(std::chrono::microseconds(at(random)));
      kill(child, SIGKILL);
      cut += test::WaitProgram(child) == -1;
      check(i);
    }
    close(watch);
    EXPECT_GT(wrote, kKills / 2);
    return cut;
  }
  std::unique_ptr<SqliteRegistry> OpenRegistry() {
    std::string error;
    auto r = SqliteRegistry::OpenFile(daemon.registryPath(), &error);
    EXPECT_TRUE(r) << error;
    return r;
  }

  test::SimDaemon daemon;
};

uint32_t ValueCount(Registry& r, RegKey key) {
  uint32_t count = 0;
  char name[64];
  for (uint32_t length = sizeof name;
       r.EnumValue(key, count, name, &length, nullptr, nullptr, nullptr) == win::kErrorSuccess;
       length = sizeof name) {
    ++count;
  }
  return count;
}

TEST_F(StoreSafety, KilledProfileAddLeavesWholeProfilesOrNone) {
  const auto args = [](int i) -> std::vector<std::string> {
    return {"profile",
            "add",
            "P" + std::to_string(i),
            "--ssid",
            "Net" + std::to_string(i),
            "--wep",
            "on",
            "--size",
            "128",
            "--key1",
            "00112233445566778899aabbcc",
            "--default-key",
            "1"};
  };
  std::set<std::string> landed;
  const int cut = KillRepeatedly(args, [&](int i) {
    auto r = OpenRegistry();
    RegKey root = 0;
    ASSERT_EQ(r->OpenKey(kHkeyCurrentUser, kProfileRoot, kKeyRead, &root), 0);
    for (uint32_t index = 0;; ++index) {
      char name[64];
      uint32_t length = sizeof name;
      if (r->EnumKey(root, index, name, &length) != win::kErrorSuccess) break;
      RegKey key = 0;
      ASSERT_EQ(r->OpenKey(root, name, kKeyRead, &key), 0);
      EXPECT_EQ(ValueCount(*r, key), 16u) << "profile " << name << " after kill " << i;
      r->CloseKey(key);
      landed.insert(name);
    }
    r->CloseKey(root);
    // A profile that did not land is no obstacle to adding it again.
    const std::string name = "P" + std::to_string(i);
    if (!landed.count(name)) {
      EXPECT_EQ(Wlanctl(args(i)), 0) << name;
    }
  });
  EXPECT_GT(cut, 0);
}

struct LinkSettings {
  std::string ssid;
  int32_t channel, powerMode, preamble, rate;
  bool operator==(const LinkSettings&) const = default;
};

TEST_F(StoreSafety, KilledConfigSetLeavesOneCommandsSettings) {
  const char* const kRateTexts[] = {"Auto", "1", "2", "5.5", "5.5 PBCC", "11"};  // by index
  const LinkSettings sets[2] = {{"AlphaNet", 3, 1, 1, 3}, {"BravoNetwork", 9, 2, 0, 5}};
  const auto args = [&](int i) -> std::vector<std::string> {
    const LinkSettings& s = sets[((i % 2) + 2) % 2];
    return {"config",       "set",
            "--ssid",       s.ssid,
            "--channel",    std::to_string(s.channel),
            "--power-mode", std::to_string(s.powerMode),
            "--preamble",   std::to_string(s.preamble),
            "--rate",       kRateTexts[s.rate]};
  };
  const int cut = KillRepeatedly(args, [&](int i) {
    auto r = OpenRegistry();
    AdapterConfig c{};
    ReadConfigValues(*r, kHkeyLocalMachine, kAdapterKey, c);
    const LinkSettings stored{std::string(c.ssid, strnlen(c.ssid, 32)), c.channel, c.powerMode,
                              c.shortPreamble, c.txRate};
    EXPECT_TRUE(stored == sets[0] || stored == sets[1])
        << "after kill " << i << ": " << stored.ssid << " ch " << stored.channel << " pm "
        << stored.powerMode << " pre " << stored.preamble << " rate " << stored.rate;
  });
  EXPECT_GT(cut, 0);
}

// Three loops change three different settings at once; each one's last acknowledged value is
// the one stored, and the driver holds it too.
TEST_F(StoreSafety, ConcurrentChangesKeepEveryLastAcknowledgedValue) {
  constexpr int kRounds = 12;
  std::string lastSsid;
  int lastChannel = 0, lastPower = 0;
  std::thread ssid([&] {
    for (int i = 0; i < kRounds; ++i) {
      const std::string v = "Loop" + std::to_string(i);
      if (Wlanctl({"config", "set", "--ssid", v}) == 0) lastSsid = v;
    }
  });
  std::thread channel([&] {
    for (int i = 0; i < kRounds; ++i) {
      const int v = 1 + i % 11;
      if (Wlanctl({"config", "set", "--channel", std::to_string(v)}) == 0) lastChannel = v;
    }
  });
  std::thread power([&] {
    for (int i = 0; i < kRounds; ++i) {
      const int v = (i + 1) % 3;
      if (Wlanctl({"config", "set", "--power-mode", std::to_string(v)}) == 0) lastPower = v;
    }
  });
  ssid.join();
  channel.join();
  power.join();
  ASSERT_FALSE(lastSsid.empty());
  auto r = OpenRegistry();
  AdapterConfig c{};
  ReadConfigValues(*r, kHkeyLocalMachine, kAdapterKey, c);
  EXPECT_EQ(std::string(c.ssid), lastSsid);
  EXPECT_EQ(c.channel, lastChannel);
  EXPECT_EQ(c.powerMode, lastPower);
  const std::string state = daemon.Ctl("state");
  EXPECT_NE(state.find("\"" + lastSsid + "\""), std::string::npos) << state;
}

// watch as a status bar runs it, its output a pipe: SIGINT, SIGTERM and the reader going away
// (noticed at the next tick, without a write) each end it with status 0.
TEST_F(StoreSafety, WatchEndsWithZeroOnSignalsAndAClosedPipe) {
  for (const int how : {SIGINT, SIGTERM, 0}) {
    int out[2];
    ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
    const pid_t child = fork();
    if (child == 0) {
      dup2(out[1], 1);
      dup2(open("/dev/null", O_WRONLY), 2);
      execl(WLANCTL_PATH, WLANCTL_PATH, "watch", "--json", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    const int ended = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    pollfd line{out[0], POLLIN, 0};
    EXPECT_EQ(poll(&line, 1, 10000), 1) << how;  // the line at start
    char buffer[1024];
    EXPECT_GT(read(out[0], buffer, sizeof buffer), 0) << how;
    if (how != 0) kill(child, how);
    if (how == 0) close(out[0]);
    pollfd exited{ended, POLLIN, 0};
    EXPECT_EQ(poll(&exited, 1, 10000), 1) << how;
    if (exited.revents == 0) kill(child, SIGKILL);
    EXPECT_EQ(test::WaitProgram(child), 0) << how;
    close(ended);
    if (how != 0) close(out[0]);
  }
}

}  // namespace
}  // namespace nv
