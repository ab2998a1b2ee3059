#include "adapter/adapter_io.h"

#include <cstring>
#include <string>

#include "adapter/buffers.h"
#include "platform/win32_codes.h"

namespace nv {

IoResult AdapterIo::OpenDevice(DeviceHandle* handle) {
  if (handle == nullptr) return kIoOpenFailed;
  const DeviceHandle opened = ports_.link.Open(kDeviceLinkName);
  if (opened == kInvalidDeviceHandle) return kIoOpenFailed;
  *handle = opened;
  return kIoOk;
}

bool AdapterIo::CloseDevice(DeviceHandle handle) { return ports_.link.Close(handle); }

IoResult AdapterIo::Exchange(DeviceHandle handle, int mode, uint32_t code, uint32_t inSize,
                             const uint8_t* in, uint32_t outSize, uint8_t* out,
                             uint32_t* bytesReturned) {
  if (mode < kModeInput || mode > kModeInputOutput) return kIoExchangeFailed;
  std::span<const uint8_t> input;
  std::span<uint8_t> output;
  if (mode != kModeOutput && in != nullptr) input = {in, inSize};
  if (mode != kModeInput && out != nullptr) output = {out, outSize};
  const IoOutcome outcome = ports_.link.Control(handle, code, input, output);
  uint32_t count = outcome.bytesReturned;
  if (!outcome.ok) {
    if (outcome.lastError != win::kErrorIoPending) return kIoExchangeFailed;
    count = ports_.link.CompletePending(handle);  // its own outcome is not examined
  }
  if (mode != kModeInput && bytesReturned != nullptr) *bytesReturned = count;
  return kIoOk;
}

IoResult AdapterIo::Request(DeviceHandle handle, const ControlPair& pair, uint8_t* buffer,
                            uint32_t* length, int direction) {
  if (buffer == nullptr || length == nullptr || *length < pair.minBytes) return kIoRefused;
  uint32_t returned = 0;
  IoResult result = kIoRefused;
  if (pair.inAndOut) {
    result = Exchange(handle, kModeInputOutput, pair.queryCode, *length, buffer, *length, buffer,
                      &returned);
  } else if (direction == kDirectionQuery && pair.queryCode != 0) {
    result = Exchange(handle, kModeOutput, pair.queryCode, 0, nullptr, *length, buffer, &returned);
  } else if (direction == kDirectionSet && pair.setCode != 0) {
    result = Exchange(handle, kModeInput, pair.setCode, *length, buffer, 0, nullptr, nullptr);
  }
  *length = returned;  // a refused direction and every set report 0 bytes
  return result;
}

Access AdapterIo::ReadRegister(DeviceHandle handle, uint32_t offset, uint32_t* value) {
  auto buffer = EncodeRegisterBuffer(offset, 0);
  uint32_t length = kRegisterBufferSize;
  if (Request(handle, codes::kRegisterRead, buffer.data(), &length, kDirectionQuery) != kIoOk ||
      length < 4) {
    return kAccessFailed;
  }
  *value = DecodeRegisterValue(buffer);
  return kAccessOk;
}

Access AdapterIo::WriteRegister(DeviceHandle handle, uint32_t offset, uint32_t value) {
  auto buffer = EncodeRegisterBuffer(offset, value);
  uint32_t length = kRegisterBufferSize;
  return Request(handle, codes::kRegisterWrite, buffer.data(), &length, kDirectionSet) == kIoOk
             ? kAccessOk
             : kAccessFailed;
}

Access AdapterIo::PollControl(DeviceHandle handle, const RegisterWindow& window, uint32_t* value) {
  uint32_t waited = 0;
  for (;;) {
    if (ReadRegister(handle, window.control, value) != kAccessOk) return kAccessFailed;
    if (*value == kWindowControlIdle) return kAccessOk;
    ports_.system.Sleep(kWindowPollStepMs);
    waited += kWindowPollStepMs;
    // On a timeout the last control value stays in *value.
    if (waited > kWindowPollLimitMs) return kAccessFailed;
  }
}

Access AdapterIo::ReadWindow(DeviceHandle handle, const RegisterWindow& window, uint32_t address,
                             uint32_t* value) {
  if (WriteRegister(handle, window.address, address) != kAccessOk) return kAccessFailed;
  if (WriteRegister(handle, window.control, kWindowControlRead) != kAccessOk) return kAccessFailed;
  if (PollControl(handle, window, value) != kAccessOk) return kAccessFailed;
  return ReadRegister(handle, window.data, value);
}

Access AdapterIo::ReadWindowA(DeviceHandle handle, uint32_t address, uint32_t* value) {
  return ReadWindow(handle, kWindowA, address, value);
}

Access AdapterIo::ReadWindowB(DeviceHandle handle, uint32_t address, uint32_t* value) {
  return ReadWindow(handle, kWindowB, address, value);
}

Access AdapterIo::WriteWindowB(DeviceHandle handle, uint32_t address, uint32_t value) {
  if (WriteRegister(handle, kWindowB.address, address) != kAccessOk) return kAccessFailed;
  if (WriteRegister(handle, kWindowB.data, value) != kAccessOk) return kAccessFailed;
  if (WriteRegister(handle, kWindowB.control, kWindowControlWrite) != kAccessOk) {
    return kAccessFailed;
  }
  uint32_t control = 0;
  return PollControl(handle, kWindowB, &control);
}

Access AdapterIo::IsAdapterPresent(std::string_view subkeyName) {
  const VersionInfo version = ports_.system.GetVersion();
  if (!version.ok) return kAccessFailed;
  if (version.platformId != win::kPlatformWin32Nt) {
    return ports_.probe.OpenAndClose(subkeyName) ? kAccessOk : kAccessFailed;
  }

  std::string path(kNtNetClassRoot);
  path += subkeyName;
  RegKey key = 0;
  if (ports_.registry.OpenKey(kHkeyLocalMachine, path, kKeyRead, &key) != win::kErrorSuccess) {
    return kAccessFailed;
  }
  char id[128] = {};
  uint32_t size = sizeof id;
  const int32_t read = ports_.registry.QueryValue(key, "NetCfgInstanceId", nullptr,
                                                  reinterpret_cast<uint8_t*>(id), &size);
  ports_.registry.CloseKey(key);
  if (read != win::kErrorSuccess) return kAccessFailed;
  const std::string device = "\\Device\\" + std::string(id, strnlen(id, size));
  if (device.size() >= 128) return kAccessFailed;
  return ports_.probe.OpenAndClose(device) ? kAccessOk : kAccessFailed;
}

}  // namespace nv
