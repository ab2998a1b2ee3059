#include "sim/server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "unix_socket.h"

namespace nv::sim {

namespace {

constexpr size_t kControlChunk = 60000;

bool PeerAllowed(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return false;
  return peer.uid == geteuid() || peer.uid == 0;
}

bool Waiting(int result) { return result < 0 && (errno == EAGAIN || errno == EINTR); }

}  // namespace

SimServer::~SimServer() {
  presence_.Withdraw();  // first: no client may believe an adapter nobody serves
  for (Client& c : clients_) Close(c);
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
  const bool bound =
      listenFd_ >= 0 && bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  umask(old);
  if (!bound || chmod(path_.c_str(), 0600) != 0 || listen(listenFd_, 64) != 0) {
    *error = "cannot serve " + path_ + ": " + std::strerror(errno);
    if (listenFd_ >= 0) close(listenFd_);
    listenFd_ = -1;
    return false;
  }
  presence_.Publish(driver_.PresenceNow());  // without it clients ask the daemon
  return true;
}

// The poll set is kept between rounds: the listening socket and the wake-up descriptor, then
// one entry per client in the order of clients_. Only the clients' events change per round.
void SimServer::PreparePoll(int wakeFd) {
  fds_.resize(2 + clients_.size());
  fds_[0] = {listenFd_, POLLIN, 0};
  fds_[1] = {wakeFd, POLLIN, 0};
  for (size_t i = 0; i < clients_.size(); ++i) {
    // A client with replies waiting is not read until it takes them.
    const Client& c = clients_[i];
    fds_[i + 2] = {c.fd, static_cast<short>(c.out.empty() ? POLLIN : POLLOUT), 0};
  }
}

void SimServer::Run(const volatile std::sig_atomic_t* stop, int wakeFd) {
  while (!*stop) {
    PreparePoll(wakeFd);
    std::vector<pollfd>& fds = fds_;
    if (poll(fds.data(), fds.size(), PollTimeout()) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    // Serve existing clients first; their indexes match fds[2...].
    const size_t served = clients_.size();
    for (size_t i = 0; i < served; ++i) {
      Client& c = clients_[i];
      const short events = fds[i + 2].revents;
      if (events == 0) continue;
      const bool keep = (events & POLLOUT) ? Flush(c) && HandleFrames(c) : Receive(c);
      if (!keep) Close(c);
    }
    if (fds[0].revents & POLLIN) Accept();
    const uint64_t now = driver_.NowMs();
    for (Client& c : clients_) {
      if (c.fd >= 0 && Expired(c, now)) Close(c);
    }
    std::erase_if(clients_, [](const Client& c) { return c.fd < 0; });
  }
}

bool SimServer::Expired(const Client& c, uint64_t now) const {
  return (!c.in.empty() && now - c.inSince >= kFrameDeadlineMs) ||
         (!c.out.empty() && now - c.outSince >= kFrameDeadlineMs);
}

// On the real clock poll wakes for the nearest deadline; the virtual one moves only by `step`,
// which the loop sees as a request.
int SimServer::PollTimeout() {
  if (driver_.virtualClock()) return -1;
  const uint64_t now = driver_.NowMs();
  uint64_t nearest = UINT64_MAX;
  for (const Client& c : clients_) {
    if (!c.in.empty()) nearest = std::min(nearest, c.inSince + kFrameDeadlineMs);
    if (!c.out.empty()) nearest = std::min(nearest, c.outSince + kFrameDeadlineMs);
  }
  if (nearest == UINT64_MAX) return -1;
  return nearest <= now ? 0 : static_cast<int>(std::min<uint64_t>(nearest - now, 60000));
}

void SimServer::Close(Client& c) {
  if (c.fd < 0) return;
  close(c.fd);
  c.fd = -1;
  queuedBytes_ -= c.out.size();
  c.out.clear();
}

void SimServer::Accept() {
  for (;;) {
    const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    if (!PeerAllowed(fd)) {
      close(fd);  // another user's process
      continue;
    }
    MakeRoom();
    Client client;
    client.fd = fd;
    client.lastActive = ++activity_;
    clients_.push_back(std::move(client));
    // A client sends its first request right after connecting: take it now rather than a
    // round of poll later.
    if (!Receive(clients_.back())) Close(clients_.back());
  }
}

// At the limit the longest-idle connection goes, so that a new client is always served.
void SimServer::MakeRoom() {
  std::erase_if(clients_, [](const Client& c) { return c.fd < 0; });
  if (clients_.size() < kMaxClients) return;
  auto idlest =
      std::min_element(clients_.begin(), clients_.end(),
                       [](const auto& a, const auto& b) { return a.lastActive < b.lastActive; });
  Close(*idlest);
  clients_.erase(idlest);
}

bool SimServer::Receive(Client& client) {
  uint8_t chunk[16384];
  const ssize_t n = recv(client.fd, chunk, sizeof chunk, MSG_DONTWAIT);
  if (Waiting(static_cast<int>(n))) return true;
  if (n <= 0) return false;
  if (client.in.empty()) client.inSince = driver_.NowMs();
  client.lastActive = ++activity_;
  client.in.insert(client.in.end(), chunk, chunk + n);
  return HandleFrames(client);
}

// Handles the complete frames received, until a reply has to wait for the client.
bool SimServer::HandleFrames(Client& client) {
  size_t at = 0;
  bool keep = true;
  while (keep && client.out.empty()) {
    wire::Frame frame;
    size_t used = 0;
    const auto rest = std::span<const uint8_t>(client.in).subspan(at);
    const wire::Decode result = wire::DecodeFrame(rest, &frame, &used);
    if (result == wire::Decode::NeedMore) break;
    if (result == wire::Decode::Malformed) return false;
    at += used;
    keep = Handle(client, frame);
  }
  client.in.erase(client.in.begin(), client.in.begin() + static_cast<std::ptrdiff_t>(at));
  if (at > 0 && !client.in.empty()) client.inSince = driver_.NowMs();  // the next frame began
  return keep;
}

// Sends what the socket takes now; the rest waits for POLLOUT.
bool SimServer::Flush(Client& client) {
  while (client.sent < client.out.size()) {
    const ssize_t n = send(client.fd, client.out.data() + client.sent,
                           client.out.size() - client.sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (Waiting(static_cast<int>(n))) return true;
    if (n <= 0) return false;
    client.sent += static_cast<size_t>(n);
    client.lastActive = ++activity_;
  }
  queuedBytes_ -= client.out.size();
  client.out.clear();
  client.sent = 0;
  return true;
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
      presence_.Publish(driver_.PresenceNow());  // before anyone hears the command is done
      return SendControlReply(client, status, text);
    }
    default:
      return false;
  }
}

// Queues the reply and sends what the socket takes; a client whose queue would grow past its
// bound (or the daemon's) is dropped.
bool SimServer::Send(Client& client, uint8_t type, std::span<const uint8_t> body) {
  const std::vector<uint8_t> frame = wire::EncodeFrame(type, body);
  if (frame.empty() || !QueueTakes(client.out.size(), queuedBytes_, frame.size())) return false;
  if (client.out.empty()) client.outSince = driver_.NowMs();
  client.out.insert(client.out.end(), frame.begin(), frame.end());
  queuedBytes_ += frame.size();
  return Flush(client);
}

// Long answers (the request log) travel in chunks; the last one says so.
bool SimServer::SendControlReply(Client& client, int status, const std::string& text) {
  size_t at = 0;
  do {
    const std::string_view chunk = std::string_view(text).substr(at, kControlChunk);
    at += chunk.size();
    const uint8_t more = at < text.size() ? 1 : 0;
    const auto body =
        wire::Writer().U32(static_cast<uint32_t>(status)).U8(more).Text(chunk).bytes();
    if (!Send(client, wire::kControlReply, body)) return false;
  } while (at < text.size());
  return true;
}

}  // namespace nv::sim
