// A bare echo peer for the benchmarks' floors: a child process on a socketpair that takes each
// request of a fixed cycle of sizes and answers with a reply of the size paired with it.
#pragma once

#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

namespace nv::bench {

inline bool Transfer(int fd, uint8_t* bytes, size_t size, bool sending) {
  for (size_t done = 0; done < size;) {
    const ssize_t n = sending ? send(fd, bytes + done, size - done, MSG_NOSIGNAL)
                              : recv(fd, bytes + done, size - done, 0);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

using Sizes = std::pair<size_t, size_t>;  // request bytes, reply bytes (at most 512 each)

class EchoPeer {
 public:
  explicit EchoPeer(std::span<const Sizes> cycle) {
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return;
    child_ = fork();
    if (child_ == 0) {
      close(fds[0]);
      for (bool alive = true; alive;) {
        for (const auto& [request, reply] : cycle) {
          alive = alive && Transfer(fds[1], bytes_.data(), request, false) &&
                  Transfer(fds[1], bytes_.data(), reply, true);
        }
      }
      _exit(0);
    }
    close(fds[1]);
    fd_ = child_ > 0 ? fds[0] : -1;
    if (fd_ < 0) close(fds[0]);
  }
  ~EchoPeer() {
    if (fd_ >= 0) close(fd_);
    if (child_ > 0) waitpid(child_, nullptr, 0);
  }
  EchoPeer(const EchoPeer&) = delete;
  EchoPeer& operator=(const EchoPeer&) = delete;

  bool running() const { return fd_ >= 0; }
  // One request and its reply; false once the peer has gone.
  bool Exchange(const Sizes& sizes) {
    return Transfer(fd_, bytes_.data(), sizes.first, true) &&
           Transfer(fd_, bytes_.data(), sizes.second, false);
  }

 private:
  int fd_ = -1;
  pid_t child_ = -1;
  std::array<uint8_t, 512> bytes_{};
};

}  // namespace nv::bench
