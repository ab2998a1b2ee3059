// The device link and adapter probe wired straight to an in-process driver: the core talks to
// the virtual adapter without a socket, for fast deterministic tests.
#pragma once

#include <algorithm>

#include "platform/adapter_probe.h"
#include "platform/device_link.h"
#include "sim/driver.h"

namespace nv::sim {

class LoopbackLink : public DeviceLink, public AdapterProbe {
 public:
  explicit LoopbackLink(SimDriver& driver) : driver_(driver) {}

  DeviceHandle Open(std::string_view linkName) override {
    if (linkName != "\\\\.\\NVWLNPCI" || !driver_.Open()) return kInvalidDeviceHandle;
    ++open_;
    return 1;
  }
  IoOutcome Control(DeviceHandle, uint32_t code, std::span<const uint8_t> in,
                    std::span<uint8_t> out) override {
    const wire::IoctlReply r = driver_.Ioctl(code, in, static_cast<uint32_t>(out.size()));
    std::copy_n(r.out.begin(), std::min(r.out.size(), out.size()), out.begin());
    return {r.ok, r.bytesReturned, r.lastError};
  }
  uint32_t CompletePending(DeviceHandle) override { return 0; }
  bool Close(DeviceHandle) override {
    --open_;
    return true;
  }
  bool OpenAndClose(std::string_view adapterName) override { return driver_.Probe(adapterName); }
  int openHandles() const { return open_; }

 private:
  SimDriver& driver_;
  int open_ = 0;
};

}  // namespace nv::sim
