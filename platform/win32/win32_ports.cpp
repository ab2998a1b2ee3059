#include "win32_ports.h"

#include <string>

#include "platform/win32_codes.h"

namespace nv {

namespace {
std::string Text(std::string_view text) { return std::string(text); }
}  // namespace

DeviceHandle Win32DeviceLink::Open(std::string_view linkName) {
  const HANDLE h =
      CreateFileA(Text(linkName).c_str(), GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  return h == INVALID_HANDLE_VALUE ? kInvalidDeviceHandle : reinterpret_cast<DeviceHandle>(h);
}

IoOutcome Win32DeviceLink::Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> in,
                                   std::span<uint8_t> out) {
  DWORD count = 0;
  const BOOL ok = DeviceIoControl(reinterpret_cast<HANDLE>(handle), code,
                                  in.empty() ? nullptr : const_cast<uint8_t*>(in.data()),
                                  static_cast<DWORD>(in.size()), out.empty() ? nullptr : out.data(),
                                  static_cast<DWORD>(out.size()), &count, &overlapped_);
  return {ok != FALSE, count, ok ? 0 : static_cast<int32_t>(GetLastError())};
}

uint32_t Win32DeviceLink::CompletePending(DeviceHandle handle) {
  DWORD count = 0;
  GetOverlappedResult(reinterpret_cast<HANDLE>(handle), &overlapped_, &count, TRUE);
  ResetEvent(overlapped_.hEvent);
  return count;
}

bool Win32DeviceLink::Close(DeviceHandle handle) {
  return CloseHandle(reinterpret_cast<HANDLE>(handle)) != FALSE;
}

Win32AdapterProbe::Win32AdapterProbe() : library_(LoadLibraryA("W32N50.dll")) {
  if (library_ != nullptr) {
    open_ = reinterpret_cast<HANDLE(WINAPI*)(LPCSTR)>(
        reinterpret_cast<void*>(GetProcAddress(library_, "W32N_OpenAdapterA")));
  }
}

Win32AdapterProbe::~Win32AdapterProbe() {
  if (library_ != nullptr) FreeLibrary(library_);
}

bool Win32AdapterProbe::OpenAndClose(std::string_view adapterName) {
  if (open_ == nullptr) return false;
  const HANDLE h = open_(Text(adapterName).c_str());
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

VersionInfo Win32System::GetVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;  // the 148-byte record
  if (!GetVersionExA(&info)) return {false, 0};
  return {true, info.dwPlatformId};
}

uint32_t Win32System::TickCount() { return GetTickCount(); }

void Win32System::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

Win32System::~Win32System() {
  if (settingsMutex_ != nullptr) CloseHandle(settingsMutex_);
}

LockResult Win32System::TryLockSettings() {
  if (settingsMutex_ == nullptr) {
    // The session's namespace on the NT family; the 9x family knows no namespaces and refuses
    // a backslash in the name.
    const VersionInfo version = GetVersion();
    const bool nt = version.ok && version.platformId == VER_PLATFORM_WIN32_NT;
    settingsMutex_ = CreateMutexA(
        nullptr, FALSE, nt ? "Local\\NetvaneWlanSettingsLock" : "NetvaneWlanSettingsLock");
    if (settingsMutex_ == nullptr) return LockResult::Failed;
  }
  switch (WaitForSingleObject(settingsMutex_, 0)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:  // its holder died; the lock is ours now
      return LockResult::Acquired;
    case WAIT_TIMEOUT:
      return LockResult::Busy;
    default:
      return LockResult::Failed;
  }
}

void Win32System::UnlockSettings() {
  if (settingsMutex_ != nullptr) ReleaseMutex(settingsMutex_);
}

HKEY Win32Registry::Native(RegKey key) const {
  if (key == kHkeyLocalMachine) return localMachine_;
  if (key == kHkeyCurrentUser) return currentUser_;
  const auto found = open_.find(key);
  return found != open_.end() ? found->second : reinterpret_cast<HKEY>(key);
}

RegKey Win32Registry::Adopt(HKEY key) {
  const auto id = reinterpret_cast<RegKey>(key);
  open_[id] = key;
  return id;
}

int32_t Win32Registry::OpenKey(RegKey parent, std::string_view subKey, uint32_t access,
                               RegKey* result) {
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExA(Native(parent), Text(subKey).c_str(), 0, access, &key);
  if (rc == ERROR_SUCCESS && result) *result = Adopt(key);
  return rc;
}

int32_t Win32Registry::CreateKey(RegKey parent, std::string_view subKey, RegKey* result) {
  HKEY key = nullptr;
  const LONG rc = RegCreateKeyA(Native(parent), Text(subKey).c_str(), &key);
  if (rc == ERROR_SUCCESS && result) *result = Adopt(key);
  return rc;
}

int32_t Win32Registry::EnumKey(RegKey key, uint32_t index, char* name, uint32_t* nameLength) {
  DWORD length = nameLength ? *nameLength : 0;
  const LONG rc = RegEnumKeyExA(Native(key), index, name, nameLength ? &length : nullptr, nullptr,
                                nullptr, nullptr, nullptr);
  if (nameLength) *nameLength = length;
  return rc;
}

int32_t Win32Registry::EnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLength,
                                 uint32_t* type, uint8_t* data, uint32_t* dataSize) {
  DWORD length = nameLength ? *nameLength : 0;
  DWORD t = 0;
  DWORD size = dataSize ? *dataSize : 0;
  const LONG rc = RegEnumValueA(Native(key), index, name, nameLength ? &length : nullptr, nullptr,
                                type ? &t : nullptr, data, dataSize ? &size : nullptr);
  if (nameLength) *nameLength = length;
  if (type) *type = t;
  if (dataSize) *dataSize = size;
  return rc;
}

int32_t Win32Registry::QueryValue(RegKey key, std::string_view name, uint32_t* type, uint8_t* data,
                                  uint32_t* dataSize) {
  DWORD t = 0;
  DWORD size = dataSize ? *dataSize : 0;
  const LONG rc = RegQueryValueExA(Native(key), Text(name).c_str(), nullptr, type ? &t : nullptr,
                                   data, dataSize ? &size : nullptr);
  if (type) *type = t;
  if (dataSize) *dataSize = size;
  return rc;
}

int32_t Win32Registry::SetValue(RegKey key, std::string_view name, uint32_t type,
                                const uint8_t* data, uint32_t dataSize) {
  return RegSetValueExA(Native(key), Text(name).c_str(), 0, type, data, dataSize);
}

int32_t Win32Registry::DeleteValue(RegKey key, std::string_view name) {
  return RegDeleteValueA(Native(key), Text(name).c_str());
}

int32_t Win32Registry::DeleteKey(RegKey parent, std::string_view subKey) {
  return RegDeleteKeyA(Native(parent), Text(subKey).c_str());
}

int32_t Win32Registry::CloseKey(RegKey key) {
  if (key == kHkeyLocalMachine || key == kHkeyCurrentUser) return win::kErrorSuccess;
  const auto found = open_.find(key);
  if (found == open_.end()) return win::kErrorInvalidHandle;
  const LONG rc = RegCloseKey(found->second);
  open_.erase(found);
  return rc;
}

}  // namespace nv
