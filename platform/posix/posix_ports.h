// POSIX backends of the device link, adapter probe and system ports: the driver is the
// virtual adapter behind a Unix socket in the runtime directory.
#pragma once

#include <string>

#include "kept_connection.h"
#include "platform/adapter_probe.h"
#include "platform/device_link.h"
#include "platform/system_port.h"

namespace nv {

// The wait for one exchange with the daemon; a wait that runs out fails the exchange, as a
// failing driver would.
inline constexpr int kDefaultExchangeDeadlineMs = 2000;

// The link opens only through a trusted runtime directory to a socket of this user or root
// (posix::ConnectToAdapter); `refusal()` says why the last open was refused, if it was.
// Closing the link keeps its connection for the next open, which sends its open request on it.
class PosixDeviceLink : public DeviceLink {
 public:
  explicit PosixDeviceLink(int deadlineMs = kDefaultExchangeDeadlineMs) : deadlineMs_(deadlineMs) {}
  const std::string& refusal() const { return refusal_; }
  DeviceHandle Open(std::string_view linkName) override;
  IoOutcome Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> in,
                    std::span<uint8_t> out) override;
  uint32_t CompletePending(DeviceHandle handle) override;
  bool Close(DeviceHandle handle) override;

 private:
  int deadlineMs_;
  std::string refusal_;
  posix::KeptConnection connection_;
};

// Probes on a connection of its own, kept between probes.
class PosixAdapterProbe : public AdapterProbe {
 public:
  explicit PosixAdapterProbe(int deadlineMs = kDefaultExchangeDeadlineMs)
      : deadlineMs_(deadlineMs) {}
  const std::string& refusal() const { return refusal_; }
  bool OpenAndClose(std::string_view adapterName) override;

 private:
  int deadlineMs_;
  std::string refusal_;
  posix::KeptConnection connection_;
};

// NT family unless WLANMON_PLATFORM is "9x".
class PosixSystem : public SystemPort {
 public:
  VersionInfo GetVersion() override;
  uint32_t TickCount() override;
  void Sleep(uint32_t milliseconds) override;
  LockResult TryLockSettings() override;  // flock in the runtime directory
  std::string SettingsLockProblem() override;
  void UnlockSettings() override;
};

}  // namespace nv
