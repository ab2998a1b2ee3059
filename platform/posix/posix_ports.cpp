#include "posix_ports.h"

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/win32_codes.h"
#include "presence_file.h"
#include "settings_lock.h"
#include "unix_socket.h"

namespace nv {

namespace {
constexpr std::string_view kLinkPrefix = "\\\\.\\";
}  // namespace

DeviceHandle PosixDeviceLink::Open(std::string_view linkName) {
  if (linkName.substr(0, kLinkPrefix.size()) != kLinkPrefix) return kInvalidDeviceHandle;
  const std::string_view name = linkName.substr(kLinkPrefix.size());
  if (name != posix::kSocketName) return kInvalidDeviceHandle;  // the one link there is
  bool opened = false;
  const int fd = connection_.Take(deadlineMs_, &refusal_, &opened);
  if (fd < 0) return kInvalidDeviceHandle;
  // On a connection the daemon opened the link on before, the published presence answers.
  if (wire::Presence presence; opened && posix::ReadPresence(&presence)) {
    if (presence.Opens()) return fd;
    connection_.Give(fd, true);
    return kInvalidDeviceHandle;
  }
  wire::Frame reply;
  uint32_t error = 0;
  bool answered = posix::Roundtrip(fd, wire::kOpen, wire::Writer().Text(name).bytes(),
                                   wire::kOpenReply, &reply, deadlineMs_);
  if (answered) {
    wire::Reader reader(reply.body);
    answered = reader.U32(&error) && reader.AtEnd();
  }
  if (!answered) posix::KeptConnection::Spoil(fd);  // its stream is not to be trusted again
  if (!answered || error != 0) {
    connection_.Give(fd);  // kept only when the daemon answered
    return kInvalidDeviceHandle;
  }
  return fd;
}

IoOutcome PosixDeviceLink::Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> in,
                                   std::span<uint8_t> out) {
  wire::IoctlRequest request{
      code,
      static_cast<uint32_t>(std::min<size_t>(out.size(), wire::kMaxIoctlOutput)),
      {in.begin(), in.end()}};
  wire::Frame frame;
  wire::IoctlReply reply;
  if (!posix::Roundtrip(static_cast<int>(handle), wire::kIoctl, wire::EncodeIoctlRequest(request),
                        wire::kIoctlReply, &frame, deadlineMs_) ||
      !wire::DecodeIoctlReply(frame.body, &reply)) {
    posix::KeptConnection::Spoil(static_cast<int>(handle));
    return {false, 0, win::kErrorGenFailure};  // the daemon went away or stopped answering
  }
  const size_t copy = std::min(reply.out.size(), out.size());
  std::copy_n(reply.out.begin(), copy, out.begin());
  return {reply.ok, std::min<uint32_t>(reply.bytesReturned, static_cast<uint32_t>(out.size())),
          reply.lastError};
}

uint32_t PosixDeviceLink::CompletePending(DeviceHandle) { return 0; }  // never pending here

bool PosixDeviceLink::Close(DeviceHandle handle) {
  return connection_.Give(static_cast<int>(handle), true);
}

bool PosixAdapterProbe::OpenAndClose(std::string_view adapterName) {
  if (wire::Presence presence; posix::ReadPresence(&presence)) {
    refusal_.clear();
    return presence.Probe(adapterName);
  }
  const int fd = connection_.Take(deadlineMs_, &refusal_);
  if (fd < 0) return false;
  wire::Frame reply;
  uint8_t present = 0;
  bool answered = posix::Roundtrip(fd, wire::kProbe, wire::Writer().Text(adapterName).bytes(),
                                   wire::kProbeReply, &reply, deadlineMs_);
  if (answered) {
    wire::Reader reader(reply.body);
    answered = reader.U8(&present) && reader.AtEnd();
  }
  if (!answered) posix::KeptConnection::Spoil(fd);  // and what it said is not believed
  connection_.Give(fd);
  return answered && present == 1;
}

VersionInfo PosixSystem::GetVersion() {
  const char* platform = std::getenv("WLANMON_PLATFORM");
  const bool nineX = platform != nullptr && std::strcmp(platform, "9x") == 0;
  return {true, nineX ? win::kPlatformWin32Windows : win::kPlatformWin32Nt};
}

uint32_t PosixSystem::TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

void PosixSystem::Sleep(uint32_t milliseconds) {
  timespec span{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&span, &span) != 0) {
  }
}

LockResult PosixSystem::TryLockSettings() { return posix::TryLockSettingsFile(); }

void PosixSystem::UnlockSettings() { posix::UnlockSettingsFile(); }

std::string PosixSystem::SettingsLockProblem() { return posix::SettingsLockFileProblem(); }

}  // namespace nv
