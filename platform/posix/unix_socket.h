// Blocking Unix-socket helpers for the clients of the virtual adapter, and where its socket
// lives.
#pragma once

#include <cstdint>
#include <string>

#include "link_protocol.h"

namespace nv::posix {

inline constexpr const char* kSocketName = "NVWLNPCI";

// Below the home, where the runtime directory is without WLANMON_RUNTIME_DIR and XDG_RUNTIME_DIR.
inline constexpr const char* kHomeRuntimeDir = "/.local/state/wlanmon/run";
// WLANMON_RUNTIME_DIR, else $XDG_RUNTIME_DIR/wlanmon, else ~/.local/state/wlanmon/run (the
// home as HomeDirectory finds it; /tmp/wlanmon-UID only for a user without one).
std::string RuntimeDir();
std::string SocketPath();
// Creates the directory 0700 if needed; refuses one owned by another user or open to others.
bool EnsurePrivateDir(const std::string& dir, std::string* error);

// The client's check: created 0700 when missing, else this user's own and closed to others;
// unlike EnsurePrivateDir it changes nothing about an existing directory.
bool TrustedClientDir(const std::string& dir, std::string* refusal);

int ConnectUnix(const std::string& path);  // -1 on failure
// A client's way to the adapter's socket: only through a runtime directory of this user's
// that nobody else can enter (created 0700 when missing), only to a listener of this user or
// root, and giving up after `deadlineMs`. -1 with the reason in `refusal` (empty when there is
// simply no daemon).
int ConnectToAdapter(int deadlineMs, std::string* refusal);
// The reason the last ConnectToAdapter of this thread gave, empty when it gave none.
const std::string& LastRefusal();
// A kept connection served again: the reason of an earlier connect no longer applies.
void ForgetRefusal();

// A negative `deadlineMs` waits as long as it takes. When a deadline passes, the socket is
// shut down: a late reply must not pass for the answer to the next request.
bool SendFrame(int fd, uint8_t type, std::span<const uint8_t> body, int deadlineMs = -1);
bool ReadFrame(int fd, wire::Frame* frame, int deadlineMs = -1);
// One request and its reply on a connected socket within `deadlineMs`; false on any failure.
bool Roundtrip(int fd, uint8_t type, std::span<const uint8_t> body, uint8_t replyType,
               wire::Frame* reply, int deadlineMs = -1);

inline constexpr int kControlDeadlineMs = 10000;
// Sends one control command to the running daemon, by ConnectToAdapter's rules, the whole
// exchange within `deadlineMs`. Returns its status (0 ok), or -1 with a message in `reply` when
// no daemon answers in time or the socket is not to be trusted.
int SendControl(const std::string& command, std::string* reply,
                int deadlineMs = kControlDeadlineMs);

}  // namespace nv::posix
