// wlansim under a crowd: idle connections, clients that never read, unfinished frames and a
// flood of large requests never keep another client from being served, and its memory stays
// bounded.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "child_process.h"
#include "sim_daemon.h"
#include "unix_socket.h"

namespace nv {
namespace {

constexpr int kWaitMs = 5000;  // bound for what must happen at once; never reached when it works

std::vector<uint8_t> StatusQuery(uint32_t inBytes = 0) {
  return wire::EncodeFrame(wire::kIoctl,
                           wire::EncodeIoctlRequest({0x220210, 20, std::vector<uint8_t>(inBytes)}));
}

pid_t PeerPid(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 ? peer.pid : -1;
}

long ResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// True when the daemon closed this connection; what it sent before stays unread, so that a
// client that never reads stays one.
bool ClosedByDaemon(int fd, int waitMs = kWaitMs) {
  pollfd p{fd, POLLRDHUP, 0};
  return poll(&p, 1, waitMs) == 1 && (p.revents & (POLLRDHUP | POLLHUP)) != 0;
}

class SimCrowd : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(daemon.running()); }
  void TearDown() override {
    for (int fd : fds) close(fd);
  }
  int Connect() {
    const int fd = posix::ConnectUnix(daemon.socketPath());
    EXPECT_GE(fd, 0);
    fds.push_back(fd);
    return fd;
  }
  // Opens the link and sends status queries until the socket takes no more, never reading.
  void Flood(int fd) {
    ASSERT_TRUE(posix::SendFrame(fd, wire::kOpen, wire::Writer().Text("NVWLNPCI").bytes()));
    fcntl(fd, F_SETFL, O_NONBLOCK);
    const std::vector<uint8_t> query = StatusQuery();
    for (int i = 0; i < 20000; ++i) {
      if (send(fd, query.data(), query.size(), MSG_NOSIGNAL) <= 0) break;
    }
  }
  static int Status() {
    return test::RunProgram({"/usr/bin/timeout", "10", WLANCTL_PATH, "status"});
  }

  test::SimDaemon daemon;
  std::vector<int> fds;
};

TEST_F(SimCrowd, IdleAndNonReadingClientsNeverKeepStatusOut) {
  const int first = Connect();
  const pid_t pid = PeerPid(first);
  ASSERT_GT(pid, 0);
  const long before = ResidentKb(pid);
  for (int i = 0; i < 300; ++i) {
    const int fd = Connect();
    if (i % 3 == 0) {
      ASSERT_EQ(send(fd, "\x10\0", 2, MSG_NOSIGNAL), 2);  // half a prefix
    }
  }
  for (int i = 0; i < 20; ++i) Flood(Connect());
  EXPECT_EQ(Status(), 0);
  EXPECT_TRUE(ClosedByDaemon(first));  // the longest idle made room
  EXPECT_EQ(Status(), 0);
  const long after = ResidentKb(pid);
  EXPECT_LT(after - before, 48 * 1024) << before << " kB before, " << after << " kB after";
}

TEST_F(SimCrowd, TheLimitKeepsTheOldestOfExactly256AndTheNextOneEvictsIt) {
  const auto served = [](int fd) {
    wire::Frame reply;
    return posix::Roundtrip(fd, wire::kProbe, wire::Writer().Text("x").bytes(), wire::kProbeReply,
                            &reply, kWaitMs);
  };
  const int oldest = Connect();
  for (int i = 1; i < 256; ++i) Connect();
  ASSERT_TRUE(served(fds.back()));  // every connection before it was taken in
  EXPECT_FALSE(ClosedByDaemon(oldest, 0));
  ASSERT_TRUE(served(Connect()));
  EXPECT_TRUE(ClosedByDaemon(oldest));
}

TEST_F(SimCrowd, UnfinishedFrameClosesItsConnectionAfterTwoSecondsOfTheDaemonsClock) {
  const int partial = Connect();
  const std::vector<uint8_t> query = StatusQuery();
  ASSERT_EQ(send(partial, query.data(), query.size() - 1, MSG_NOSIGNAL),
            static_cast<ssize_t>(query.size() - 1));
  daemon.Ctl("step 1999");
  daemon.Ctl("state");  // the daemon has looked at its deadlines since the step
  EXPECT_FALSE(ClosedByDaemon(partial, 0));
  daemon.Ctl("step 1");
  EXPECT_TRUE(ClosedByDaemon(partial));
}

TEST_F(SimCrowd, RequestLogKeepsTheNewestMegabyteOfInput) {
  const int fd = Connect();
  ASSERT_TRUE(posix::SendFrame(fd, wire::kOpen, wire::Writer().Text("NVWLNPCI").bytes()));
  wire::Frame reply;
  ASSERT_TRUE(posix::ReadFrame(fd, &reply));
  constexpr int kRequests = 60;  // 60 x 60,000 bytes: 3.6 MB of input
  for (int i = 0; i < kRequests; ++i) {
    std::vector<uint8_t> in(60000, static_cast<uint8_t>(i));
    ASSERT_TRUE(posix::Roundtrip(fd, wire::kIoctl, wire::EncodeIoctlRequest({0x220210, 20, in}),
                                 wire::kIoctlReply, &reply));
  }
  const std::string log = daemon.Ctl("log");
  EXPECT_LE(log.size(), 2 * (1u << 20) + 4096u);
  EXPECT_GT(log.size(), 2 * 900'000u);
  char last[8];
  std::snprintf(last, sizeof last, "%02x%02x\"", kRequests - 1, kRequests - 1);
  EXPECT_NE(log.rfind(last), std::string::npos);  // the newest request is kept

  // A client that asks for that log and never reads holds a queued reply; two seconds of the
  // daemon's clock later it is dropped.
  const int nonReader = Connect();
  ASSERT_TRUE(posix::SendFrame(nonReader, wire::kControl, wire::Writer().Text("log").bytes()));
  daemon.Ctl("state");  // its request was handled before this one
  EXPECT_FALSE(ClosedByDaemon(nonReader, 0));
  daemon.Ctl("step 2000");
  EXPECT_TRUE(ClosedByDaemon(nonReader));
}

}  // namespace
}  // namespace nv
