// Serves the virtual adapter on a Unix socket: many clients at once, one poll loop, only the
// daemon's own user (or root) served, a malformed frame closes only that connection.
#pragma once

#include <csignal>
#include <string>
#include <vector>

#include "link_protocol.h"
#include "sim/driver.h"

namespace nv::sim {

class SimServer {
 public:
  SimServer(SimDriver& driver, std::string socketPath) : driver_(driver), path_(std::move(socketPath)) {}
  ~SimServer();
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;

  // Binds the socket (0600), replacing a stale one; refuses when a daemon already serves it.
  bool Listen(std::string* error);
  // Serves until `stop` is set; `wakeFd` becomes readable when it is.
  void Run(const volatile std::sig_atomic_t* stop, int wakeFd);

 private:
  struct Client {
    int fd;
    bool opened = false;
    std::vector<uint8_t> in;
  };
  void Accept();
  bool Receive(Client& client);  // false: close the connection
  bool Handle(Client& client, const wire::Frame& frame);
  bool Send(Client& client, uint8_t type, std::span<const uint8_t> body);
  bool SendControlReply(Client& client, int status, const std::string& text);

  SimDriver& driver_;
  std::string path_;
  int listenFd_ = -1;
  std::vector<Client> clients_;
};

}  // namespace nv::sim
