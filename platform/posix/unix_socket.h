// Blocking Unix-socket helpers for the clients of the virtual adapter, and where its socket
// lives.
#pragma once

#include <cstdint>
#include <string>

#include "link_protocol.h"

namespace nv::posix {

inline constexpr const char* kSocketName = "NVWLNPCI";

// WLANMON_RUNTIME_DIR, else $XDG_RUNTIME_DIR/wlanmon, else /tmp/wlanmon-UID.
std::string RuntimeDir();
std::string SocketPath();
// Creates the directory 0700 if needed; refuses one owned by another user or open to others.
bool EnsurePrivateDir(const std::string& dir, std::string* error);

int ConnectUnix(const std::string& path);  // -1 on failure
bool SendFrame(int fd, uint8_t type, std::span<const uint8_t> body);
bool ReadFrame(int fd, wire::Frame* frame);
// One request and its reply on a connected socket; false on any failure.
bool Roundtrip(int fd, uint8_t type, std::span<const uint8_t> body, uint8_t replyType,
               wire::Frame* reply);

// Sends one control command to the running daemon. Returns its status (0 ok), or -1 with a
// message in `reply` when no daemon answers.
int SendControl(const std::string& command, std::string* reply);

}  // namespace nv::posix
