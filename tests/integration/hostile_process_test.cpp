// wlanctl and wlansim ctl run as programs where another user, an odd file or a signal meets
// them: a read-only registry, a squatted runtime directory, a FIFO for a scenario, Ctrl-C at
// the silent prompt.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "platform/sqlite_registry.h"
#include "sim_daemon.h"
#include "store/profile_store.h"
#include "temp_dir.h"
#include "unix_socket.h"

namespace nv {
namespace {

constexpr uid_t kOther = 65534;   // nobody: a user other than the one running the tests
constexpr int kGiveUpMs = 20000;  // a child still running then is taken for hung

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

void BecomeUser(uid_t uid) {
  if (uid == getuid()) return;
  if (setgroups(0, nullptr) != 0 || setresgid(uid, uid, uid) != 0 ||
      setresuid(uid, uid, uid) != 0) {
    _exit(126);
  }
}

struct Result {
  int exit = -1;       // -1: killed after kGiveUpMs
  std::string output;  // standard output and error together
};

// Runs the program as `uid`, with `env` added, collecting what it prints.
Result RunAs(uid_t uid, const std::vector<std::string>& argv,
             const std::vector<std::pair<std::string, std::string>>& env = {}) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    dup2(out[1], 1);
    dup2(out[1], 2);
    BecomeUser(uid);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  close(out[1]);
  Result result;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kGiveUpMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        until - std::chrono::steady_clock::now());
    pollfd p{out[0], POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) {
      kill(pid, SIGKILL);
      break;
    }
    char buffer[4096];
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;
    result.output.append(buffer, static_cast<size_t>(n));
  }
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.exit = WEXITSTATUS(status);
  return result;
}

// A listener of `uid` on `path` that takes connections and never answers.
pid_t SilentListener(const std::string& path, uid_t uid) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t pid = fork();
  if (pid != 0) {
    close(ready[1]);
    char byte = 0;
    const bool up = read(ready[0], &byte, 1) == 1;
    close(ready[0]);
    return up ? pid : -1;
  }
  BecomeUser(uid);
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 8) != 0) {
    _exit(1);
  }
  [[maybe_unused]] const ssize_t n = write(ready[1], "1", 1);
  for (;;) pause();
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

TEST(HostileNeighbour, ARegistryTheUserMayOnlyReadStillServesReadsAndExport) {
  if (getuid() != 0) GTEST_SKIP() << "needs root to play another user";
  test::TempDir dir;
  const std::string path = dir.File("registry.db");
  {
    std::string error;
    auto r = SqliteRegistry::OpenFile(path, &error);
    ASSERT_TRUE(r) << error;
    AdapterConfig profile{};
    std::strcpy(profile.ssid, "ReadOnlyNet");
    profile.scope = kScopeAll;
    WriteProfile(*r, "Kept", profile);
    ASSERT_EQ(profile.scope, kScopeAll);
  }
  for (const std::string& file : {dir.path(), path}) {
    ASSERT_EQ(chown(file.c_str(), kOther, kOther), 0);
  }
  ASSERT_EQ(chmod(path.c_str(), 0400), 0);
  const std::vector<std::pair<std::string, std::string>> env = {
      {"WLANMON_REGISTRY", path}, {"WLANMON_RUNTIME_DIR", dir.File("run")}};
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"profile", "list"}, {"registry", "export"}}) {
    std::vector<std::string> argv = {WLANCTL_PATH};
    argv.insert(argv.end(), command.begin(), command.end());
    const Result r = RunAs(kOther, argv, env);
    EXPECT_EQ(r.exit, 0) << command[0] << ": " << r.output;
    EXPECT_TRUE(Has(r.output, "Kept")) << r.output;
  }
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0400u);
}

TEST(HostileNeighbour, WlansimCtlTrustsOnlyItsOwnDirectoryWaitsWithADeadlineAndEscapes) {
  test::SimDaemon daemon;
  ASSERT_TRUE(daemon.running());
  // Its reply reaches the terminal escaped.
  Result r = RunAs(getuid(), {WLANSIM_PATH, "ctl", "scenario", "/none\x1b[31m\xE2\x80\xAE"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_FALSE(Has(r.output, "\x1b") || Has(r.output, "\xE2\x80\xAE")) << r.output;
  EXPECT_TRUE(Has(r.output, "\\x1B[31m")) << r.output;

  // A listener of our own that never answers is given up on.
  test::TempDir dir;
  const std::string mine = dir.File("mine");
  ASSERT_EQ(mkdir(mine.c_str(), 0700), 0);
  const pid_t silent = SilentListener(mine + "/NVWLNPCI", getuid());
  ASSERT_GT(silent, 0);
  setenv("WLANMON_RUNTIME_DIR", mine.c_str(), 1);
  std::string reply;
  EXPECT_EQ(posix::SendControl("state", &reply, 200), -1);
  EXPECT_TRUE(Has(reply, "did not answer in time")) << reply;
  Stop(silent);

  // A runtime directory another user squatted is not trusted, whoever listens there.
  if (getuid() != 0) GTEST_SKIP() << "needs root to play another user";
  chmod(dir.path().c_str(), 0755);
  const std::string theirs = dir.File("theirs");
  ASSERT_EQ(mkdir(theirs.c_str(), 0755), 0);
  ASSERT_EQ(chown(theirs.c_str(), kOther, kOther), 0);
  const pid_t squatter = SilentListener(theirs + "/NVWLNPCI", kOther);
  ASSERT_GT(squatter, 0);
  r = RunAs(getuid(), {WLANSIM_PATH, "ctl", "fault", "clear"}, {{"WLANMON_RUNTIME_DIR", theirs}});
  EXPECT_EQ(r.exit, 1);
  EXPECT_TRUE(Has(r.output, "belongs to another user")) << r.output;
  Stop(squatter);
  setenv("WLANMON_RUNTIME_DIR", daemon.runtimeDir().c_str(), 1);
}

TEST(HostileNeighbour, AScenarioThatIsNoRegularFileIsRefusedWithoutStallingTheDaemon) {
  test::SimDaemon daemon;
  ASSERT_TRUE(daemon.running());
  test::TempDir dir;
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  for (const std::string& path : {dir.File("fifo"), std::string("/dev/zero"), dir.path()}) {
    int status = 0;
    const std::string reply = daemon.Ctl("scenario " + path, &status);
    EXPECT_NE(status, 0) << path;
    EXPECT_TRUE(Has(reply, "a regular file")) << reply;
    EXPECT_EQ(daemon.Ctl("state", &status).front(), '{');  // still serving
    EXPECT_EQ(status, 0);
  }
}

TEST(HostileNeighbour, CtrlCAtTheSilentPromptGivesTheTerminalItsEchoBack) {
  test::SimDaemon daemon;
  ASSERT_TRUE(daemon.running());
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      execl(WLANCTL_PATH, "wlanctl", "security", "set", "--wep", "on", "--passphrase", nullptr);
      _exit(127);
    }
    std::string seen;
    while (!Has(seen, "Passphrase: ")) {  // shown once the echo is off
      pollfd p{master, POLLIN, 0};
      ASSERT_EQ(poll(&p, 1, kGiveUpMs), 1) << seen;
      char buffer[256];
      const ssize_t n = read(master, buffer, sizeof buffer);
      ASSERT_GT(n, 0) << seen;
      seen.append(buffer, static_cast<size_t>(n));
    }
    termios during{};
    ASSERT_EQ(tcgetattr(master, &during), 0);
    EXPECT_EQ(during.c_lflag & ECHO, 0u);
    kill(pid, signal);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
    termios after{};
    ASSERT_EQ(tcgetattr(master, &after), 0);
    EXPECT_NE(after.c_lflag & ECHO, 0u) << "after signal " << signal;
    close(master);
  }
}

}  // namespace
}  // namespace nv
