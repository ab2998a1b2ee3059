// Device link port: the driver's device link as CreateFileA, DeviceIoControl,
// GetOverlappedResult and CloseHandle present it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace nv {

using DeviceHandle = std::intptr_t;

// Why a link gives up on an adapter that took its connection but did not answer within the
// link's deadline (a stopped or stalled driver process).
inline constexpr const char* kNoAnswerRefusal = "the adapter did not answer in time";
inline constexpr DeviceHandle kInvalidDeviceHandle = -1;

// What DeviceIoControl reports: its success flag, the byte count it wrote back and, when it
// failed, GetLastError.
struct IoOutcome {
  bool ok = false;
  uint32_t bytesReturned = 0;
  int32_t lastError = 0;
};

class DeviceLink {
 public:
  virtual ~DeviceLink() = default;
  // CreateFileA(name, read|write, share read|write, OPEN_EXISTING); kInvalidDeviceHandle on
  // failure.
  virtual DeviceHandle Open(std::string_view linkName) = 0;
  // One METHOD_BUFFERED DeviceIoControl; an empty span passes no buffer in that direction.
  virtual IoOutcome Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> in,
                            std::span<uint8_t> out) = 0;
  // GetOverlappedResult(wait = TRUE) for an exchange that reported ERROR_IO_PENDING.
  virtual uint32_t CompletePending(DeviceHandle handle) = 0;
  virtual bool Close(DeviceHandle handle) = 0;
};

}  // namespace nv
