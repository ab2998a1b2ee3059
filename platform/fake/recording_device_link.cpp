#include "recording_device_link.h"

#include <algorithm>

namespace nv {

DeviceHandle RecordingDeviceLink::Open(std::string_view linkName) {
  lastLinkName_ = std::string(linkName);
  if (openFails_) return kInvalidDeviceHandle;
  ++openCount_;
  ++openHandles_;
  return 100 + openCount_;
}

IoOutcome RecordingDeviceLink::Control(DeviceHandle handle, uint32_t code,
                                       std::span<const uint8_t> in, std::span<uint8_t> out) {
  requests_.push_back({handle, code, {in.begin(), in.end()}, static_cast<uint32_t>(out.size())});
  const auto found = handlers_.find(code);
  if (found == handlers_.end()) return {true, 0, 0};
  return found->second(in, out);
}

uint32_t RecordingDeviceLink::CompletePending(DeviceHandle) { return pendingCount_; }

bool RecordingDeviceLink::Close(DeviceHandle) {
  --openHandles_;
  return true;
}

void RecordingDeviceLink::SetReply(uint32_t code, std::vector<uint8_t> bytes,
                                   uint32_t bytesReturned) {
  SetHandler(code, [bytes = std::move(bytes), bytesReturned](std::span<const uint8_t>,
                                                             std::span<uint8_t> out) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), out.size()), out.begin());
    return IoOutcome{true, bytesReturned, 0};
  });
}

void RecordingDeviceLink::SetFailure(uint32_t code, int32_t lastError) {
  SetHandler(code, [lastError](std::span<const uint8_t>, std::span<uint8_t>) {
    return IoOutcome{false, 0, lastError};
  });
}

std::vector<uint32_t> RecordingDeviceLink::codes() const {
  std::vector<uint32_t> out;
  for (const auto& r : requests_) out.push_back(r.code);
  return out;
}

}  // namespace nv
