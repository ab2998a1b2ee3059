// Serves the virtual adapter on a Unix socket: many clients at once, one poll loop, only the
// daemon's own user (or root) served, a malformed frame closes only that connection. No client
// can stall the others: writes never block (a client's unsent replies wait in a bounded queue,
// and it is not read while they wait), a frame in either direction left unfinished for 2 s of
// the daemon's clock closes its connection, and at the connection limit the longest-idle
// connection makes room for a new one.
#pragma once

#include <poll.h>

#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

#include "link_protocol.h"
#include "presence_file.h"
#include "sim/driver.h"

namespace nv::sim {

inline constexpr size_t kMaxClients = 256;
inline constexpr uint64_t kFrameDeadlineMs = 2000;
// Replies one client has not taken yet; the largest reply (the request log) fits.
inline constexpr size_t kMaxQueuedBytes = 4u << 20;
// Replies all clients have not taken yet.
inline constexpr size_t kMaxQueuedBytesTotal = 32u << 20;
// Whether a reply of `frame` bytes may join a client's `queued` ones while all clients hold
// `total`: both bounds count the reply being queued.
constexpr bool QueueTakes(size_t queued, size_t total, size_t frame) {
  return queued + frame <= kMaxQueuedBytes && total + frame <= kMaxQueuedBytesTotal;
}

class SimServer {
 public:
  SimServer(SimDriver& driver, std::string socketPath)
      : driver_(driver), path_(std::move(socketPath)), presence_(path_ + posix::kPresenceSuffix) {}
  ~SimServer();
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;

  // Binds the socket (0600), replacing a stale one, and publishes the adapter's presence beside
  // it; refuses when a daemon already serves it.
  bool Listen(std::string* error);
  // Serves until `stop` is set; `wakeFd` becomes readable when it is.
  void Run(const volatile std::sig_atomic_t* stop, int wakeFd);

 private:
  struct Client {
    int fd = -1;
    bool opened = false;
    std::vector<uint8_t> in;   // received bytes of frames not yet handled
    std::vector<uint8_t> out;  // replies not yet sent, from `sent` on
    size_t sent = 0;
    uint64_t inSince = 0;     // daemon clock when the unfinished incoming frame began
    uint64_t outSince = 0;    // ... when the oldest unsent reply was queued
    uint64_t lastActive = 0;  // order of activity: the smallest is the longest idle
  };
  void PreparePoll(int wakeFd);
  void Accept();
  void MakeRoom();
  bool Receive(Client& client);  // false: close the connection
  bool HandleFrames(Client& client);
  bool Flush(Client& client);
  bool Expired(const Client& client, uint64_t now) const;
  int PollTimeout();
  void Close(Client& client);
  bool Handle(Client& client, const wire::Frame& frame);
  bool Send(Client& client, uint8_t type, std::span<const uint8_t> body);
  bool SendControlReply(Client& client, int status, const std::string& text);

  SimDriver& driver_;
  std::string path_;
  posix::PresencePublisher presence_;  // published again after every control command
  int listenFd_ = -1;
  std::vector<Client> clients_;
  std::vector<pollfd> fds_;  // the poll set, kept between rounds
  uint64_t activity_ = 0;
  size_t queuedBytes_ = 0;
};

}  // namespace nv::sim
