// The thin transport to the driver: open the device link, one DeviceIoControl exchange, close;
// typed requests per control code pair, the chip register accessors and the presence check.
#pragma once

#include <cstdint>
#include <string_view>

#include "adapter/control_codes.h"
#include "platform/adapter_probe.h"
#include "platform/device_link.h"
#include "platform/registry.h"
#include "platform/system_port.h"

namespace nv {

// The error convention of adapter access, in one place. Two kinds of result, each its own type,
// so that neither converts to the other, to int or to bool, and neither can be dropped unseen:
// - IoResult, the transport's (OpenDevice, Exchange, Request): kIoOk 0, kIoOpenFailed 2,
//   kIoExchangeFailed 31, kIoRefused -1 (arguments refused, nothing sent).
// - Access, the accessors' (registers and windows, the presence check, and StartScan / StopScan
//   / IsScanDone in operations.h): kAccessOk (present, done) or kAccessFailed.
// Read operations report failure in the record they fill (state, count, counterSet, result
// = -1; scope = -1 after a registry call); apply-type operations report only to an ApplyReport.
enum class [[nodiscard]] IoResult : int{
    kOk = 0,
    kOpenFailed = 2,
    kExchangeFailed = 31,
    kRefused = -1,
};
inline constexpr IoResult kIoOk = IoResult::kOk;
inline constexpr IoResult kIoOpenFailed = IoResult::kOpenFailed;
inline constexpr IoResult kIoExchangeFailed = IoResult::kExchangeFailed;
inline constexpr IoResult kIoRefused = IoResult::kRefused;

enum class [[nodiscard]] Access : int{
    kFailed = 0,
    kOk = 1,
};
inline constexpr Access kAccessOk = Access::kOk;
inline constexpr Access kAccessFailed = Access::kFailed;

inline constexpr int kModeInput = 0;
inline constexpr int kModeOutput = 1;
inline constexpr int kModeInputOutput = 2;

inline constexpr int kDirectionQuery = 0;
inline constexpr int kDirectionSet = 1;

// Indirect register windows of the chip: address, data and control register offsets.
struct RegisterWindow {
  uint32_t address;
  uint32_t data;
  uint32_t control;
};
inline constexpr RegisterWindow kWindowA{0x254, 0x258, 0x250};
inline constexpr RegisterWindow kWindowB{0x268, 0x26C, 0x270};
// Control register values: idle (the last request is done), read, write.
inline constexpr uint32_t kWindowControlIdle = 0;
inline constexpr uint32_t kWindowControlWrite = 1;
inline constexpr uint32_t kWindowControlRead = 2;
inline constexpr uint32_t kWindowPollStepMs = 5;
inline constexpr uint32_t kWindowPollLimitMs = 1000;  // exceeded after 201 polls

// The NT family's network class root as the presence check names it.
inline constexpr std::string_view kNtNetClassRoot =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";

// The ports one process talks to the world through; they outlive every user.
struct Ports {
  DeviceLink& link;
  AdapterProbe& probe;
  SystemPort& system;
  Registry& registry;
};

class AdapterIo {
 public:
  explicit AdapterIo(const Ports& ports) : ports_(ports) {}

  IoResult OpenDevice(DeviceHandle* handle);
  // CloseHandle: false when the link did not know the handle (nobody acts on it).
  bool CloseDevice(DeviceHandle handle);
  IoResult Exchange(DeviceHandle handle, int mode, uint32_t code, uint32_t inSize,
                    const uint8_t* in, uint32_t outSize, uint8_t* out, uint32_t* bytesReturned);
  // `length`: bytes offered in, bytes returned out (0 after a set).
  IoResult Request(DeviceHandle handle, const ControlPair& pair, uint8_t* buffer, uint32_t* length,
                   int direction);

  Access ReadRegister(DeviceHandle handle, uint32_t offset, uint32_t* value);
  Access WriteRegister(DeviceHandle handle, uint32_t offset, uint32_t value);
  Access ReadWindowA(DeviceHandle handle, uint32_t address, uint32_t* value);
  Access ReadWindowB(DeviceHandle handle, uint32_t address, uint32_t* value);
  Access WriteWindowB(DeviceHandle handle, uint32_t address, uint32_t value);

  // kAccessOk when the adapter of this network-class subkey can be opened, else kAccessFailed.
  Access IsAdapterPresent(std::string_view subkeyName);

  Registry& registry() { return ports_.registry; }
  SystemPort& system() { return ports_.system; }

 private:
  Access ReadWindow(DeviceHandle handle, const RegisterWindow& window, uint32_t address,
                    uint32_t* value);
  Access PollControl(DeviceHandle handle, const RegisterWindow& window, uint32_t* value);

  Ports ports_;
};

}  // namespace nv
