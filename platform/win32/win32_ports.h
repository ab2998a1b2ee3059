// Win32 backends of the ports: the driver's device link, W32N50.dll, advapi32's registry and
// the version, tick and sleep services.
#pragma once

#include <windows.h>

#include <map>

#include "platform/adapter_probe.h"
#include "platform/device_link.h"
#include "platform/registry.h"
#include "platform/system_port.h"

namespace nv {

class Win32DeviceLink : public DeviceLink {
 public:
  DeviceHandle Open(std::string_view linkName) override;
  IoOutcome Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> in,
                    std::span<uint8_t> out) override;
  uint32_t CompletePending(DeviceHandle handle) override;
  bool Close(DeviceHandle handle) override;

 private:
  OVERLAPPED overlapped_{};  // the one record every exchange passes; never given an event
};

// W32N50.dll is loaded at run time; a missing DLL or entry point means "absent".
class Win32AdapterProbe : public AdapterProbe {
 public:
  Win32AdapterProbe();
  ~Win32AdapterProbe() override;
  bool OpenAndClose(std::string_view adapterName) override;

 private:
  HMODULE library_ = nullptr;
  HANDLE(WINAPI* open_)(LPCSTR) = nullptr;
};

class Win32System : public SystemPort {
 public:
  Win32System() = default;
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;
  VersionInfo GetVersion() override;
  uint32_t TickCount() override;
  void Sleep(uint32_t milliseconds) override;
  // A named mutex in the session's namespace; a thread that holds it may take it again.
  LockResult TryLockSettings() override;
  void UnlockSettings() override;

 private:
  HANDLE settingsMutex_ = nullptr;
};

// The registry through advapi32. Tests may give other keys to stand for the two roots, so
// that they work in a private corner of the real registry.
class Win32Registry : public Registry {
 public:
  Win32Registry(HKEY localMachine = HKEY_LOCAL_MACHINE, HKEY currentUser = HKEY_CURRENT_USER)
      : localMachine_(localMachine), currentUser_(currentUser) {}

  int32_t OpenKey(RegKey parent, std::string_view subKey, uint32_t access, RegKey* result) override;
  int32_t CreateKey(RegKey parent, std::string_view subKey, RegKey* result) override;
  int32_t EnumKey(RegKey key, uint32_t index, char* name, uint32_t* nameLength) override;
  int32_t EnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLength, uint32_t* type,
                    uint8_t* data, uint32_t* dataSize) override;
  int32_t QueryValue(RegKey key, std::string_view name, uint32_t* type, uint8_t* data,
                     uint32_t* dataSize) override;
  int32_t SetValue(RegKey key, std::string_view name, uint32_t type, const uint8_t* data,
                   uint32_t dataSize) override;
  int32_t DeleteValue(RegKey key, std::string_view name) override;
  int32_t DeleteKey(RegKey parent, std::string_view subKey) override;
  int32_t CloseKey(RegKey key) override;

  size_t openHandleCount() const { return open_.size(); }

 private:
  HKEY Native(RegKey key) const;
  RegKey Adopt(HKEY key);

  HKEY localMachine_;
  HKEY currentUser_;
  std::map<RegKey, HKEY> open_;
};

}  // namespace nv
