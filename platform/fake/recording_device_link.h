// A device link for unit tests: answers are scripted per control code, and every request is
// kept in order with its input bytes.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/device_link.h"

namespace nv {

struct RecordedRequest {
  DeviceHandle handle;
  uint32_t code;
  std::vector<uint8_t> in;
  uint32_t outCapacity;
};

class RecordingDeviceLink : public DeviceLink {
 public:
  // Fills `out` and tells how the exchange went.
  using Handler = std::function<IoOutcome(std::span<const uint8_t> in, std::span<uint8_t> out)>;

  DeviceHandle Open(std::string_view linkName) override;
  IoOutcome Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> in,
                    std::span<uint8_t> out) override;
  uint32_t CompletePending(DeviceHandle handle) override;
  bool Close(DeviceHandle handle) override;

  void SetOpenFails(bool fails) { openFails_ = fails; }
  void SetHandler(uint32_t code, Handler handler) { handlers_[code] = std::move(handler); }
  // Answers `code` with these bytes (copied as far as they fit) and this byte count.
  void SetReply(uint32_t code, std::vector<uint8_t> bytes, uint32_t bytesReturned);
  void SetFailure(uint32_t code, int32_t lastError);
  void SetPendingCount(uint32_t count) { pendingCount_ = count; }

  const std::vector<RecordedRequest>& requests() const { return requests_; }
  std::vector<uint32_t> codes() const;
  void ClearRequests() { requests_.clear(); }
  int openHandles() const { return openHandles_; }
  const std::string& lastLinkName() const { return lastLinkName_; }

 private:
  std::map<uint32_t, Handler> handlers_;
  std::vector<RecordedRequest> requests_;
  std::string lastLinkName_;
  bool openFails_ = false;
  int openCount_ = 0;
  int openHandles_ = 0;
  uint32_t pendingCount_ = 0;
};

}  // namespace nv
