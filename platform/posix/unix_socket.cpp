#include "unix_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "directories.h"
#include "platform/device_link.h"
#include "platform/le_bytes.h"

namespace nv::posix {

std::string RuntimeDir() {
  if (const char* dir = std::getenv("WLANMON_RUNTIME_DIR"); dir && *dir) return dir;
  if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && *xdg == '/') {
    return std::string(xdg) + "/wlanmon";
  }
  // A folder under the home, which no other user can make first (a shared /tmp name can be).
  if (const std::string home = HomeDirectory(); !home.empty()) return home + kHomeRuntimeDir;
  return "/tmp/wlanmon-" + std::to_string(getuid());  // no home at all: the last resort
}

std::string SocketPath() { return RuntimeDir() + "/" + kSocketName; }

bool EnsurePrivateDir(const std::string& dir, std::string* error) {
  if (!MakeDirectories(dir, error)) return false;
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    *error = dir + " is not a directory";
    return false;
  }
  if (st.st_uid != getuid()) {
    *error = dir + " belongs to another user";
    return false;
  }
  if ((st.st_mode & 0077) != 0 && chmod(dir.c_str(), 0700) != 0) {
    *error = "cannot make " + dir + " private: " + std::strerror(errno);
    return false;
  }
  return true;
}

int ConnectUnix(const std::string& path) {
  sockaddr_un address{};
  if (path.size() >= sizeof address.sun_path) return -1;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point DeadlineFrom(int deadlineMs) {
  return deadlineMs < 0 ? Clock::time_point::max()
                        : Clock::now() + std::chrono::milliseconds(deadlineMs);
}

thread_local std::string lastRefusal;

// Waits until the socket is ready for `events` or the deadline passes (then shuts it down and
// notes kNoAnswerRefusal as the reason).
bool Ready(int fd, short events, Clock::time_point deadline) {
  if (deadline == Clock::time_point::max()) return true;
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd p{fd, events, 0};
    const int n = left.count() > 0 ? poll(&p, 1, static_cast<int>(left.count())) : 0;
    if (n > 0) return true;
    if (n < 0 && errno == EINTR) continue;
    shutdown(fd, SHUT_RDWR);
    if (n == 0) lastRefusal = kNoAnswerRefusal;
    return false;
  }
}

bool ReadExactly(int fd, uint8_t* out, size_t size, Clock::time_point deadline) {
  size_t got = 0;
  while (got < size) {
    if (!Ready(fd, POLLIN, deadline)) return false;
    const ssize_t n = recv(fd, out + got, size - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<size_t>(n);
  }
  return true;
}

// The socket's buffer nearly always takes a request whole, so with a deadline the wait for room
// comes only after a send that would have blocked. Without one the send blocks.
bool SendAll(int fd, const std::vector<uint8_t>& frame, Clock::time_point deadline) {
  const bool bounded = deadline != Clock::time_point::max();
  const int flags = MSG_NOSIGNAL | (bounded ? MSG_DONTWAIT : 0);
  size_t sent = 0;
  while (sent < frame.size()) {
    const ssize_t n = send(fd, frame.data() + sent, frame.size() - sent, flags);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && bounded && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!Ready(fd, POLLOUT, deadline)) return false;
      continue;
    }
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return !frame.empty();
}

bool ReadFrameBy(int fd, wire::Frame* frame, Clock::time_point deadline) {
  std::vector<uint8_t> buffer(wire::kPrefixBytes);
  if (!ReadExactly(fd, buffer.data(), buffer.size(), deadline)) return false;
  const uint32_t payload = le::Get32(buffer, 0);
  if (payload < 2 || payload > wire::kMaxFrameBytes - wire::kPrefixBytes) return false;
  buffer.resize(wire::kPrefixBytes + payload);
  if (!ReadExactly(fd, buffer.data() + wire::kPrefixBytes, payload, deadline)) return false;
  size_t consumed = 0;
  return wire::DecodeFrame(buffer, frame, &consumed) == wire::Decode::Ok;
}

int ConnectChecked(int deadlineMs, std::string* refusal) {
  refusal->clear();
  const std::string dir = RuntimeDir();
  if (!TrustedClientDir(dir, refusal)) return -1;
  sockaddr_un address{};
  const std::string path = dir + "/" + kSocketName;
  if (path.size() >= sizeof address.sun_path) return -1;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (deadlineMs >= 0) {  // a connect to a daemon that stopped accepting waits this long
    const timeval wait{deadlineMs / 1000, static_cast<suseconds_t>(deadlineMs % 1000) * 1000};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
  }
  ucred peer{};
  socklen_t size = sizeof peer;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    // EAGAIN: the daemon's queue of connections stayed full until the deadline (it does not
    // accept: stopped or hung), which is no answer, as when it takes the connection and is silent.
    if (errno == EAGAIN || errno == EWOULDBLOCK) *refusal = kNoAnswerRefusal;
    close(fd);
    return -1;
  }
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) {
    close(fd);
    return -1;
  }
  if (peer.uid != getuid() && peer.uid != 0) {
    *refusal = path + " is served by another user (uid " + std::to_string(peer.uid) + ")";
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

// A runtime directory a client may trust: created 0700 when missing, else this user's own
// and closed to everyone else. Unlike the daemon, a client changes nothing about it.
bool TrustedClientDir(const std::string& dir, std::string* refusal) {
  if (!MakeDirectories(dir, refusal)) return false;
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    *refusal = "the runtime directory " + dir + " is not a directory";
  } else if (st.st_uid != getuid()) {
    *refusal = "the runtime directory " + dir + " belongs to another user";
  } else if ((st.st_mode & 0077) != 0) {
    *refusal = "the runtime directory " + dir + " is open to other users";
  } else {
    return true;
  }
  return false;
}

const std::string& LastRefusal() { return lastRefusal; }

void ForgetRefusal() { lastRefusal.clear(); }

int ConnectToAdapter(int deadlineMs, std::string* refusal) {
  const int fd = ConnectChecked(deadlineMs, refusal);
  lastRefusal = *refusal;
  return fd;
}

bool SendFrame(int fd, uint8_t type, std::span<const uint8_t> body, int deadlineMs) {
  return SendAll(fd, wire::EncodeFrame(type, body), DeadlineFrom(deadlineMs));
}

bool ReadFrame(int fd, wire::Frame* frame, int deadlineMs) {
  return ReadFrameBy(fd, frame, DeadlineFrom(deadlineMs));
}

namespace {
// The one frame that answers a request: nothing else comes until the next request, so it is
// taken in as it arrives (one wait and one read, usually) instead of prefix and payload apart.
bool ReadReply(int fd, wire::Frame* frame, Clock::time_point deadline) {
  std::array<uint8_t, wire::kMaxFrameBytes> buffer;  // not zero-filled: only `got` bytes count
  size_t got = 0;
  size_t need = wire::kPrefixBytes;
  while (got < need) {
    if (!Ready(fd, POLLIN, deadline)) return false;
    const ssize_t n = recv(fd, buffer.data() + got, buffer.size() - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<size_t>(n);
    if (need == wire::kPrefixBytes && got >= need) {
      const uint32_t payload = le::Get32(std::span<const uint8_t>(buffer.data(), got), 0);
      if (payload < 2 || payload > wire::kMaxFrameBytes - wire::kPrefixBytes) return false;
      need += payload;
    }
  }
  size_t consumed = 0;
  return got == need &&
         wire::DecodeFrame({buffer.data(), got}, frame, &consumed) == wire::Decode::Ok;
}
}  // namespace

bool Roundtrip(int fd, uint8_t type, std::span<const uint8_t> body, uint8_t replyType,
               wire::Frame* reply, int deadlineMs) {
  const Clock::time_point deadline = DeadlineFrom(deadlineMs);
  return SendAll(fd, wire::EncodeFrame(type, body), deadline) && ReadReply(fd, reply, deadline) &&
         reply->type == replyType;
}

int SendControl(const std::string& command, std::string* reply, int deadlineMs) {
  // The adapter's own clients' rules: a private directory of this user's, a listener of this
  // user or root, and a deadline on every wait.
  std::string refusal;
  const int fd = ConnectToAdapter(deadlineMs, &refusal);
  if (fd < 0) {
    *reply =
        refusal.empty() ? "no virtual adapter is running (socket " + SocketPath() + ")" : refusal;
    return -1;
  }
  const Clock::time_point deadline = DeadlineFrom(deadlineMs);
  reply->clear();
  uint32_t status = 0;
  bool ok = SendAll(fd, wire::EncodeFrame(wire::kControl, wire::Writer().Text(command).bytes()),
                    deadline);
  for (uint8_t more = 1; ok && more;) {
    wire::Frame frame;
    std::string chunk;
    ok = ReadFrameBy(fd, &frame, deadline) && frame.type == wire::kControlReply;
    wire::Reader reader(frame.body);
    ok = ok && reader.U32(&status) && reader.U8(&more) && reader.Text(&chunk) && reader.AtEnd();
    *reply += chunk;
  }
  close(fd);
  if (!ok) {
    *reply = "the virtual adapter did not answer in time";
    return -1;
  }
  return static_cast<int>(status);
}

}  // namespace nv::posix
