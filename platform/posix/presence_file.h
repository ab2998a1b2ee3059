// The adapter's presence, published by the daemon in a file beside its socket so that a client
// can probe the adapter, and open a link it already holds, without waking the daemon. The daemon
// holds a lock on the file while it lives; a file nobody holds is a dead daemon's and is not
// believed. Whenever the file cannot be trusted the client asks the daemon instead.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link_protocol.h"

namespace nv::posix {

inline constexpr const char* kPresenceSuffix = ".presence";  // after the socket's name

// The published presence. False when there is none to trust: an untrusted runtime directory,
// no file, not a regular file of this user's (or root's), no live daemon holding it, or bytes
// that do not decode.
bool ReadPresence(wire::Presence* presence);

// The daemon's side: replaces the file whole (a new file beside it, locked, then renamed) and
// keeps it locked. When a publication fails, the file is removed so that no client reads an old
// one. The lock says the daemon lives, not that it answers: a stopped daemon's adapter still
// probes present and its link still opens, and the request then fails at its deadline, as a
// hung driver's would.
class PresencePublisher {
 public:
  explicit PresencePublisher(std::string path) : path_(std::move(path)) {}
  ~PresencePublisher();
  PresencePublisher(const PresencePublisher&) = delete;
  PresencePublisher& operator=(const PresencePublisher&) = delete;

  bool Publish(const wire::Presence& presence);  // nothing to do when it has not changed
  void Withdraw();                               // removes the file and lets its lock go

 private:
  std::string path_;
  int fd_ = -1;
  std::vector<uint8_t> published_;
};

}  // namespace nv::posix
