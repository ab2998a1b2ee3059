#include "kept_connection.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "unix_socket.h"

namespace nv::posix {

namespace {
// Idle and connected: between exchanges the daemon has nothing to say, so anything readable
// (a hang-up, an error, stray bytes) means the connection is no longer fit for a request.
bool Idle(int fd) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) == 0;
}
}  // namespace

KeptConnection::~KeptConnection() {
  if (kept_ >= 0) close(kept_);
}

int KeptConnection::Take(int deadlineMs, std::string* refusal, bool* opened) {
  const int fd = kept_;
  kept_ = -1;
  if (opened) *opened = fd >= 0 && keptOpened_;
  if (fd >= 0 && Idle(fd)) {
    refusal->clear();
    ForgetRefusal();
    return fd;
  }
  if (opened) *opened = false;
  if (fd >= 0) close(fd);
  return ConnectToAdapter(deadlineMs, refusal);
}

bool KeptConnection::Give(int fd, bool opened) {
  if (fd < 0 || fd == kept_) return false;
  if (kept_ < 0 && Idle(fd)) {
    kept_ = fd;
    keptOpened_ = opened;
    return true;
  }
  return close(fd) == 0;
}

void KeptConnection::Spoil(int fd) {
  if (fd >= 0) shutdown(fd, SHUT_RDWR);
}

}  // namespace nv::posix
