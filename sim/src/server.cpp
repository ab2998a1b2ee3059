#include "sim/server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "unix_socket.h"

namespace nv::sim {

namespace {

constexpr size_t kMaxClients = 256;
constexpr size_t kControlChunk = 60000;

bool PeerAllowed(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return false;
  return peer.uid == geteuid() || peer.uid == 0;
}

}  // namespace

SimServer::~SimServer() {
  for (Client& c : clients_) close(c.fd);
  if (listenFd_ >= 0) {
    close(listenFd_);
    unlink(path_.c_str());
  }
}

bool SimServer::Listen(std::string* error) {
  const int existing = posix::ConnectUnix(path_);
  if (existing >= 0) {
    close(existing);
    *error = "a virtual adapter already serves " + path_;
    return false;
  }
  unlink(path_.c_str());  // a stale socket of a daemon that died
  sockaddr_un address{};
  if (path_.size() >= sizeof address.sun_path) {
    *error = "socket path too long: " + path_;
    return false;
  }
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path_.c_str(), path_.size() + 1);
  listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  const mode_t old = umask(0177);  // the socket is born 0600
  const bool bound = listenFd_ >= 0 &&
                     bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  umask(old);
  if (!bound || chmod(path_.c_str(), 0600) != 0 || listen(listenFd_, 64) != 0) {
    *error = "cannot serve " + path_ + ": " + std::strerror(errno);
    if (listenFd_ >= 0) close(listenFd_);
    listenFd_ = -1;
    return false;
  }
  return true;
}

void SimServer::Run(const volatile std::sig_atomic_t* stop, int wakeFd) {
  while (!*stop) {
    std::vector<pollfd> fds = {{listenFd_, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    for (const Client& c : clients_) fds.push_back({c.fd, POLLIN, 0});
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    // Serve existing clients first; their indexes match fds[2...].
    std::vector<Client> kept;
    for (size_t i = 0; i < clients_.size(); ++i) {
      Client& c = clients_[i];
      if (fds[i + 2].revents == 0 || Receive(c)) {
        kept.push_back(std::move(c));
      } else {
        close(c.fd);
      }
    }
    clients_ = std::move(kept);
    if (fds[0].revents & POLLIN) Accept();
  }
}

void SimServer::Accept() {
  for (;;) {
    const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    if (!PeerAllowed(fd) || clients_.size() >= kMaxClients) {
      close(fd);  // another user's process, or too many at once
      continue;
    }
    timeval timeout{2, 0};  // a client that stops reading is dropped, not waited for
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    clients_.push_back({fd, false, {}});
  }
}

bool SimServer::Receive(Client& client) {
  uint8_t chunk[16384];
  const ssize_t n = recv(client.fd, chunk, sizeof chunk, MSG_DONTWAIT);
  if (n < 0) return errno == EAGAIN || errno == EINTR;
  if (n == 0) return false;
  client.in.insert(client.in.end(), chunk, chunk + n);
  for (;;) {
    wire::Frame frame;
    size_t used = 0;
    const wire::Decode result = wire::DecodeFrame(client.in, &frame, &used);
    if (result == wire::Decode::NeedMore) return true;
    if (result == wire::Decode::Malformed) return false;
    client.in.erase(client.in.begin(), client.in.begin() + static_cast<std::ptrdiff_t>(used));
    if (!Handle(client, frame)) return false;
  }
}

bool SimServer::Handle(Client& client, const wire::Frame& frame) {
  wire::Reader reader(frame.body);
  switch (frame.type) {
    case wire::kOpen: {
      std::string name;
      if (!reader.Text(&name) || !reader.AtEnd()) return false;
      client.opened = name == posix::kSocketName && driver_.Open();
      return Send(client, wire::kOpenReply, wire::Writer().U32(client.opened ? 0 : 2).bytes());
    }
    case wire::kIoctl: {
      wire::IoctlRequest request;
      if (!client.opened || !wire::DecodeIoctlRequest(frame.body, &request)) return false;
      const wire::IoctlReply reply = driver_.Ioctl(request.code, request.in, request.outCapacity);
      return Send(client, wire::kIoctlReply, wire::EncodeIoctlReply(reply));
    }
    case wire::kProbe: {
      std::string name;
      if (!reader.Text(&name) || !reader.AtEnd()) return false;
      return Send(client, wire::kProbeReply, wire::Writer().U8(driver_.Probe(name)).bytes());
    }
    case wire::kControl: {
      std::string command;
      if (!reader.Text(&command) || !reader.AtEnd()) return false;
      int status = 0;
      const std::string text = driver_.Control(command, &status);
      return SendControlReply(client, status, text);
    }
    default:
      return false;
  }
}

bool SimServer::Send(Client& client, uint8_t type, std::span<const uint8_t> body) {
  return posix::SendFrame(client.fd, type, body);
}

// Long answers (the request log) travel in chunks; the last one says so.
bool SimServer::SendControlReply(Client& client, int status, const std::string& text) {
  size_t at = 0;
  do {
    const std::string_view chunk = std::string_view(text).substr(at, kControlChunk);
    at += chunk.size();
    const uint8_t more = at < text.size() ? 1 : 0;
    const auto body = wire::Writer().U32(static_cast<uint32_t>(status)).U8(more).Text(chunk).bytes();
    if (!Send(client, wire::kControlReply, body)) return false;
  } while (at < text.size());
  return true;
}

}  // namespace nv::sim
