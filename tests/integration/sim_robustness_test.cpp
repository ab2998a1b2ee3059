// The daemon under bad frames, many clients and a foreign user.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "adapter/buffers.h"
#include "link_protocol.h"
#include "posix_ports.h"
#include "presence_file.h"
#include "sim_daemon.h"
#include "temp_dir.h"
#include "unix_socket.h"

namespace nv {
namespace {

// True when the daemon closed this connection (the read sees the end).
bool ClosedByPeer(int fd) {
  uint8_t byte = 0;
  timeval timeout{5, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  return recv(fd, &byte, 1, 0) == 0;
}

bool StillServes() {
  PosixDeviceLink link;
  const DeviceHandle h = link.Open("\\\\.\\NVWLNPCI");
  if (h == kInvalidDeviceHandle) return false;
  uint8_t out[kStatusBlockSize];
  const IoOutcome r = link.Control(h, 0x2202A8, {}, out);
  link.Close(h);
  return r.ok && r.bytesReturned == kStatusBlockSize;
}

std::vector<uint8_t> Prefix(uint32_t length) {
  return {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
          static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
}

TEST(SimRobustness, BadFramesCloseOnlyTheirConnection) {
  test::SimDaemon daemon;
  ASSERT_TRUE(daemon.running());
  auto ioctlBody = wire::EncodeIoctlRequest({0x2202A8, 384, {}});
  std::vector<uint8_t> wrongVersion = wire::EncodeFrame(wire::kOpen, {});
  wrongVersion[4] = 9;
  std::vector<uint8_t> ioctlFirst = wire::EncodeFrame(wire::kIoctl, ioctlBody);
  std::vector<uint8_t> unknownType = wire::EncodeFrame(0x7F, {});
  std::vector<uint8_t> shortBody = wire::EncodeFrame(wire::kProbe, std::vector<uint8_t>{1, 0});
  const std::vector<std::vector<uint8_t>> cases = {
      {'G', 'E', 'T', ' ', '/', ' ', 'H', 'T', 'T', 'P'},  // garbage
      Prefix(0xFFFFFFF0),                                  // oversized
      Prefix(65533),                                       // just over the bound
      Prefix(1),                                           // too short for a header
      wrongVersion,
      ioctlFirst,
      unknownType,
      shortBody};
  for (size_t i = 0; i < cases.size(); ++i) {
    const int fd = posix::ConnectUnix(daemon.socketPath());
    ASSERT_GE(fd, 0);
    ASSERT_EQ(send(fd, cases[i].data(), cases[i].size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(cases[i].size()));
    EXPECT_TRUE(ClosedByPeer(fd)) << "case " << i;
    close(fd);
    EXPECT_TRUE(StillServes()) << "case " << i;
  }
  // A truncated frame whose sender goes away leaves the daemon serving.
  const int fd = posix::ConnectUnix(daemon.socketPath());
  const auto frame = wire::EncodeFrame(wire::kOpen, wire::Writer().Text("NVWLNPCI").bytes());
  send(fd, frame.data(), frame.size() - 3, MSG_NOSIGNAL);
  close(fd);
  EXPECT_TRUE(StillServes());
}

TEST(SimRobustness, FiftyClientsAtOnce) {
  test::SimDaemon daemon;
  ASSERT_TRUE(daemon.running());
  PosixDeviceLink link;
  std::vector<DeviceHandle> handles;
  for (int i = 0; i < 50; ++i) {
    handles.push_back(link.Open("\\\\.\\NVWLNPCI"));
    ASSERT_NE(handles.back(), kInvalidDeviceHandle) << i;
  }
  for (int round = 0; round < 3; ++round) {
    for (DeviceHandle h : handles) {
      uint8_t out[kStatusBlockSize];
      const IoOutcome r = link.Control(h, 0x2202A8, {}, out);
      EXPECT_TRUE(r.ok);
      EXPECT_EQ(r.bytesReturned, kStatusBlockSize);
    }
  }
  for (DeviceHandle h : handles) link.Close(h);
}

// The link and the probe keep their connection from one exchange to the next; whatever became
// of it in between, the next exchange gets a true answer.
TEST(SimRobustness, KeptConnectionsServeTrueAnswers) {
  test::SimDaemon daemon;
  ASSERT_TRUE(daemon.running());
  const std::string adapter = "\\Device\\{6E7A1C00-5A3B-4C1D-9E2F-00000000A001}";  // built in
  const auto inode = [](DeviceHandle h) {
    struct stat st {};
    return fstat(static_cast<int>(h), &st) == 0 ? st.st_ino : 0;
  };
  struct Row {
    const char* what;
    std::function<void(PosixDeviceLink&, DeviceHandle)> between;
    bool whileOpen;  // else after the close, while the connection is kept
    bool sameConnection;
  };
  const auto restart = [&](PosixDeviceLink&, DeviceHandle) {
    daemon.Stop();
    daemon.Start();
  };
  const Row rows[] = {
      {"nothing", [](PosixDeviceLink&, DeviceHandle) {}, true, true},
      {"closed twice", [](PosixDeviceLink& l, DeviceHandle h) { EXPECT_FALSE(l.Close(h)); }, false,
       true},
      {"daemon restarted while open", restart, true, false},
      {"daemon restarted while kept", restart, false, false},
      {"a request timed out",
       [&](PosixDeviceLink& l, DeviceHandle h) {
         kill(daemon.pid(), SIGSTOP);
         uint8_t out[kStatusBlockSize];
         EXPECT_FALSE(l.Control(h, 0x2202A8, {}, out).ok);
         kill(daemon.pid(), SIGCONT);
       },
       true, false},
  };
  for (const Row& row : rows) {
    PosixDeviceLink link(300);
    PosixAdapterProbe probe(300);
    const DeviceHandle first = link.Open("\\\\.\\NVWLNPCI");
    ASSERT_NE(first, kInvalidDeviceHandle) << row.what;
    EXPECT_TRUE(probe.OpenAndClose(adapter)) << row.what;
    const ino_t before = inode(first);
    if (row.whileOpen) row.between(link, first);
    EXPECT_TRUE(link.Close(first)) << row.what;
    if (!row.whileOpen) row.between(link, first);
    const DeviceHandle next = link.Open("\\\\.\\NVWLNPCI");
    EXPECT_NE(next, kInvalidDeviceHandle) << row.what;
    EXPECT_EQ(inode(next) == before, row.sameConnection) << row.what;
    uint8_t out[kStatusBlockSize];
    const IoOutcome r = link.Control(next, 0x2202A8, {}, out);
    EXPECT_TRUE(r.ok && r.bytesReturned == kStatusBlockSize) << row.what;
    EXPECT_TRUE(probe.OpenAndClose(adapter)) << row.what;
    EXPECT_FALSE(probe.OpenAndClose("\\Device\\{none}")) << row.what;
    link.Close(next);
  }
}

// Clients read the adapter's presence from the file the daemon publishes, but only a regular file
// a live process holds; anything else sends them to the daemon, which tells the truth.
TEST(SimRobustness, PresenceIsReadOnlyFromAHeldFile) {
  const std::string adapter = "\\Device\\{6E7A1C00-5A3B-4C1D-9E2F-00000000A001}";
  // A new file in place of the daemon's, saying `present`.
  const auto fakeFile = [](const std::string& path, bool present, bool held, size_t padding = 0) {
    std::vector<uint8_t> bytes = wire::EncodePresence(
        {present, false, "0001", "\\Device\\{6E7A1C00-5A3B-4C1D-9E2F-00000000A001}"});
    bytes.resize(bytes.size() + padding);
    unlink(path.c_str());
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    flock lock{};
    lock.l_type = F_WRLCK;
    if (held) fcntl(fd, F_OFD_SETLK, &lock);
    EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    return fd;  // held while open
  };
  const auto absentFile = [&](const std::string& path, bool held, size_t padding = 0) {
    return fakeFile(path, false, held, padding);
  };
  struct Row {
    const char* what;
    std::function<int(test::SimDaemon&, const std::string&)> change;  // a descriptor to close
    bool present;  // what the probe answers after
  };
  const Row rows[] = {
      {"the daemon's own", [](test::SimDaemon&, const std::string&) { return -1; }, true},
      {"a held file saying absent",
       [&](test::SimDaemon&, const std::string& path) { return absentFile(path, true); }, false},
      {"a file nobody holds",
       [&](test::SimDaemon&, const std::string& path) { return absentFile(path, false); }, true},
      {"a file nobody holds, the adapter removed",
       [&](test::SimDaemon& d, const std::string& path) {
         d.Ctl("remove");
         return fakeFile(path, true, false);
       },
       false},
      {"a held file of another user",
       [&](test::SimDaemon&, const std::string& path) {
         const int fd = absentFile(path, true);
         if (geteuid() == 0) {
           EXPECT_EQ(fchown(fd, 65534, 65534), 0);
         }
         return fd;
       },
       geteuid() == 0},  // one's own file is believed
      {"an oversized held file",
       [&](test::SimDaemon&, const std::string& path) { return absentFile(path, true, 5000); },
       true},
      {"a link to a held file",
       [&](test::SimDaemon&, const std::string& path) {
         const int fd = absentFile(path + ".target", true);
         unlink(path.c_str());
         symlink((path + ".target").c_str(), path.c_str());
         return fd;
       },
       true},
      {"a FIFO",
       [](test::SimDaemon&, const std::string& path) {
         unlink(path.c_str());
         mkfifo(path.c_str(), 0600);
         return -1;
       },
       true},
      {"the daemon killed",
       [](test::SimDaemon& d, const std::string&) {
         kill(d.pid(), SIGKILL);
         waitpid(d.pid(), nullptr, 0);
         return -1;
       },
       false},
  };
  for (const Row& row : rows) {
    test::SimDaemon daemon;
    ASSERT_TRUE(daemon.running());
    PosixDeviceLink link;
    PosixAdapterProbe probe;
    link.Close(link.Open("\\\\.\\NVWLNPCI"));  // the kept connection is an opened one
    const int held = row.change(daemon, daemon.socketPath() + posix::kPresenceSuffix);
    EXPECT_EQ(probe.OpenAndClose(adapter), row.present) << row.what;
    const DeviceHandle h = link.Open("\\\\.\\NVWLNPCI");
    EXPECT_EQ(h != kInvalidDeviceHandle, row.present) << row.what;
    link.Close(h);
    if (held >= 0) close(held);
  }
}

// A daemon that answers with the wrong kind of frame, or more than the answer: the client says
// no, and never sends on that connection again (each question here comes on a new one).
TEST(LinkClient, AnAnswerNotToTrustEndsItsConnection) {
  test::TempDir dir;
  const std::string run = dir.File("run");
  ASSERT_EQ(mkdir(run.c_str(), 0700), 0);
  const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s/NVWLNPCI", run.c_str());
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 8), 0);
  int accepted[2];
  ASSERT_EQ(pipe(accepted), 0);
  const pid_t peer = fork();
  ASSERT_GE(peer, 0);
  if (peer == 0) {  // answers an open with a probe's reply, a probe with a byte too many
    for (int fd; (fd = accept(listener, nullptr, nullptr)) >= 0; close(fd)) {
      if (write(accepted[1], "a", 1) != 1) _exit(1);
      for (wire::Frame frame; posix::ReadFrame(fd, &frame);) {
        posix::SendFrame(fd, wire::kProbeReply, std::vector<uint8_t>{1, 0});
      }
    }
    _exit(0);
  }
  close(listener);
  const char* before = std::getenv("WLANMON_RUNTIME_DIR");
  const std::string saved = before ? before : "";
  setenv("WLANMON_RUNTIME_DIR", run.c_str(), 1);
  {
    PosixDeviceLink link(1000);
    PosixAdapterProbe probe(1000);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(link.Open("\\\\.\\NVWLNPCI"), kInvalidDeviceHandle);
      EXPECT_FALSE(probe.OpenAndClose("0001"));
    }
  }
  kill(peer, SIGKILL);
  waitpid(peer, nullptr, 0);
  close(accepted[1]);
  std::string connections;
  for (char c; read(accepted[0], &c, 1) == 1;) connections += c;
  close(accepted[0]);
  EXPECT_EQ(connections.size(), 4u);
  if (before)
    setenv("WLANMON_RUNTIME_DIR", saved.c_str(), 1);
  else
    unsetenv("WLANMON_RUNTIME_DIR");
}

TEST(SimRobustness, AnotherUserIsRefused) {
  if (geteuid() != 0 || access("/usr/bin/setpriv", X_OK) != 0) {
    GTEST_SKIP() << "needs root and setpriv to act as another user";
  }
  test::SimDaemon daemon;
  ASSERT_TRUE(daemon.running());
  // Open the way through the file system so that only the peer check stands in between.
  chmod(daemon.runtimeDir().c_str(), 0755);
  chmod(daemon.socketPath().c_str(), 0666);
  const std::string as =
      "setpriv --reuid=65534 --regid=65534 --clear-groups env "
      "WLANMON_RUNTIME_DIR=" +
      daemon.runtimeDir() + " " WLANSIM_PATH;
  EXPECT_NE(std::system((as + " ctl state >/dev/null 2>&1").c_str()), 0);
  chmod(daemon.runtimeDir().c_str(), 0700);  // the owner's client trusts only a private one
  EXPECT_EQ(std::system(("env WLANMON_RUNTIME_DIR=" + daemon.runtimeDir() + " " WLANSIM_PATH +
                         " ctl state >/dev/null")
                            .c_str()),
            0);
}

TEST(SimRobustness, PrivateRuntimeDirectoryAndSocket) {
  test::SimDaemon daemon;
  ASSERT_TRUE(daemon.running());
  struct stat st {};
  ASSERT_EQ(stat(daemon.runtimeDir().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(stat(daemon.socketPath().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_EQ(stat(daemon.registryPath().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace nv

namespace nv {
namespace {

TEST(RuntimeDirectory, CreatedPrivateWithItsParentsAndOthersRefused) {
  test::TempDir dir;
  const std::string nested = dir.File("a/b/run");
  std::string error;
  ASSERT_TRUE(posix::EnsurePrivateDir(nested, &error)) << error;
  struct stat st {};
  for (const std::string& path : {dir.File("a"), dir.File("a/b"), nested}) {
    ASSERT_EQ(stat(path.c_str(), &st), 0) << path;
    EXPECT_EQ(st.st_mode & 0777, 0700u) << path;
  }
  chmod(nested.c_str(), 0755);  // opened up by someone: made private again
  ASSERT_TRUE(posix::EnsurePrivateDir(nested, &error)) << error;
  ASSERT_EQ(stat(nested.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  if (geteuid() == 0) {
    ASSERT_EQ(chown(nested.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(posix::EnsurePrivateDir(nested, &error));
    EXPECT_NE(error.find("another user"), std::string::npos);
  }
}

// Where the runtime directory is: the environment's choice, else a private folder under the
// home (a name in /tmp could be taken first by another user); another user's folder there is
// still refused.
TEST(RuntimeDirectory, FollowsTheEnvironmentElseAFolderUnderTheHome) {
  test::TempDir dir;
  const std::string home = dir.File("home");
  struct Row {
    const char* runtime;  // WLANMON_RUNTIME_DIR, XDG_RUNTIME_DIR (nullptr: unset)
    const char* xdg;
    std::string expected;
  } rows[] = {
      {"/r/own", "/x", "/r/own"},
      {"", "/x", "/x/wlanmon"},
      {nullptr, "/x", "/x/wlanmon"},
      {nullptr, "x", home + "/.local/state/wlanmon/run"},  // a relative one is no choice
      {nullptr, nullptr, home + "/.local/state/wlanmon/run"},
  };
  const auto put = [](const char* name, const char* value) {
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  };
  const auto kept = [](const char* name) {
    const char* value = getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  };
  const std::optional<std::string> keptRuntime = kept("WLANMON_RUNTIME_DIR"),
                                   keptXdg = kept("XDG_RUNTIME_DIR"), keptHome = kept("HOME");
  setenv("HOME", home.c_str(), 1);
  for (const Row& row : rows) {
    put("WLANMON_RUNTIME_DIR", row.runtime);
    put("XDG_RUNTIME_DIR", row.xdg);
    EXPECT_EQ(posix::RuntimeDir(), row.expected) << (row.runtime ? row.runtime : "-");
  }
  std::string error;
  ASSERT_TRUE(posix::EnsurePrivateDir(posix::RuntimeDir(), &error)) << error;
  struct stat st {};
  ASSERT_EQ(stat(posix::RuntimeDir().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  if (geteuid() == 0) {
    ASSERT_EQ(chown(posix::RuntimeDir().c_str(), 65534, 65534), 0);
    EXPECT_FALSE(posix::EnsurePrivateDir(posix::RuntimeDir(), &error));
    EXPECT_NE(error.find("another user"), std::string::npos) << error;
  }
  put("HOME", keptHome ? keptHome->c_str() : nullptr);
  put("XDG_RUNTIME_DIR", keptXdg ? keptXdg->c_str() : nullptr);
  put("WLANMON_RUNTIME_DIR", keptRuntime ? keptRuntime->c_str() : nullptr);
}

// What a client of the device link refuses or gives up on, and how soon.
TEST(LinkClient, DirectoryBitsAndDeadlines) {
  test::TempDir dir;
  for (const mode_t mode : {0700, 0710, 0701}) {
    const std::string run = dir.File("run" + std::to_string(mode));
    ASSERT_EQ(mkdir(run.c_str(), mode), 0);
    ASSERT_EQ(chmod(run.c_str(), mode), 0);
    std::string refusal;
    EXPECT_EQ(posix::TrustedClientDir(run, &refusal), mode == 0700) << std::oct << mode;
  }
  // A peer that never answers, or announces a frame and then goes silent; a backstop of 5 s
  // on the socket ends a wait that ignores its deadline.
  const auto failsWithin = [](int deadlineMs, bool announce, bool roundtrip) {
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0) return false;
    timeval backstop{5, 0};
    setsockopt(pair[0], SOL_SOCKET, SO_RCVTIMEO, &backstop, sizeof backstop);
    if (announce) send(pair[1], Prefix(10).data(), 4, MSG_NOSIGNAL);
    const auto start = std::chrono::steady_clock::now();
    wire::Frame frame;
    const bool got = roundtrip ? posix::Roundtrip(pair[0], wire::kProbe, {}, wire::kProbeReply,
                                                  &frame, deadlineMs)
                               : posix::ReadFrame(pair[0], &frame, deadlineMs);
    const auto took = std::chrono::steady_clock::now() - start;
    close(pair[0]);
    close(pair[1]);
    return !got && took < std::chrono::milliseconds(deadlineMs + 1500);
  };
  EXPECT_TRUE(failsWithin(0, false, true));
  EXPECT_TRUE(failsWithin(0, false, false));
  EXPECT_TRUE(failsWithin(200, true, true));
  EXPECT_TRUE(failsWithin(200, true, false));
}

}  // namespace
}  // namespace nv
