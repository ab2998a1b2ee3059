// POSIX backends of the device link, adapter probe and system ports: the driver is the
// virtual adapter behind a Unix socket in the runtime directory.
#pragma once

#include "platform/adapter_probe.h"
#include "platform/device_link.h"
#include "platform/system_port.h"

namespace nv {

class PosixDeviceLink : public DeviceLink {
 public:
  DeviceHandle Open(std::string_view linkName) override;
  IoOutcome Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> in,
                    std::span<uint8_t> out) override;
  uint32_t CompletePending(DeviceHandle handle) override;
  bool Close(DeviceHandle handle) override;
};

class PosixAdapterProbe : public AdapterProbe {
 public:
  bool OpenAndClose(std::string_view adapterName) override;
};

// NT family unless WLANMON_PLATFORM is "9x".
class PosixSystem : public SystemPort {
 public:
  VersionInfo GetVersion() override;
  uint32_t TickCount() override;
  void Sleep(uint32_t milliseconds) override;
  LockResult TryLockSettings() override;  // flock in the runtime directory
  void UnlockSettings() override;
};

}  // namespace nv
