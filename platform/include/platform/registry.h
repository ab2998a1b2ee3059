// Registry port: the nine advapi32 calls the stores make, with Win32 argument meaning and result
// codes (win32_codes.h). Names are ANSI texts; a value name "" is the key's default value.
#pragma once

#include <cstdint>
#include <string_view>

namespace nv {

using RegKey = std::uintptr_t;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001u;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002u;

inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;

inline constexpr uint32_t kKeyRead = 0x20019;
inline constexpr uint32_t kKeyAllAccess = 0xF003F;

class Registry {
 public:
  virtual ~Registry() = default;
  // RegOpenKeyExA: opens an existing key; ERROR_FILE_NOT_FOUND when it is missing.
  virtual int32_t OpenKey(RegKey parent, std::string_view subKey, uint32_t access,
                          RegKey* result) = 0;
  // RegCreateKeyA: opens the key, creating it and any missing intermediate key.
  virtual int32_t CreateKey(RegKey parent, std::string_view subKey, RegKey* result) = 0;
  // RegEnumKeyExA: *nameLength in is the buffer size in characters (terminator included), out
  // the name's length; ERROR_MORE_DATA when it does not fit, ERROR_NO_MORE_ITEMS past the end.
  virtual int32_t EnumKey(RegKey key, uint32_t index, char* name, uint32_t* nameLength) = 0;
  // RegEnumValueA: name as for EnumKey; type, data and dataSize may each be null.
  virtual int32_t EnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLength,
                            uint32_t* type, uint8_t* data, uint32_t* dataSize) = 0;
  // RegQueryValueExA: *dataSize in is the capacity, out the stored size (also on
  // ERROR_MORE_DATA, which leaves data untouched); data null asks for the size only.
  virtual int32_t QueryValue(RegKey key, std::string_view name, uint32_t* type, uint8_t* data,
                             uint32_t* dataSize) = 0;
  virtual int32_t SetValue(RegKey key, std::string_view name, uint32_t type, const uint8_t* data,
                           uint32_t dataSize) = 0;
  virtual int32_t DeleteValue(RegKey key, std::string_view name) = 0;
  // RegDeleteKeyA: refuses a key that still has subkeys (ERROR_ACCESS_DENIED).
  virtual int32_t DeleteKey(RegKey parent, std::string_view subKey) = 0;
  virtual int32_t CloseKey(RegKey key) = 0;

  // A batch: the calls between BeginBatch and EndBatch(true) land together or not at all,
  // whenever the process dies; EndBatch(false) drops them. Batches nest: the outermost one
  // lands when neither it nor any inner one was dropped and no call in it failed. Backends without
  // transactions (Windows' registry) make plain calls, which is what these defaults do.
  virtual int32_t BeginBatch() { return 0; }
  virtual int32_t EndBatch(bool /*commit*/) { return 0; }
};

// Holds a batch for a scope; committed by Commit(), dropped otherwise.
class RegistryBatch {
 public:
  explicit RegistryBatch(Registry& registry)
      : registry_(registry), open_(registry.BeginBatch() == 0) {}
  ~RegistryBatch() {
    if (open_) registry_.EndBatch(false);
  }
  RegistryBatch(const RegistryBatch&) = delete;
  RegistryBatch& operator=(const RegistryBatch&) = delete;
  // False when the batch could not begin (then nothing must be written in its name).
  bool open() const { return open_; }
  // The batch's result: 0 when everything in it landed.
  int32_t Commit() {
    if (!open_) return kBatchNotOpen;
    open_ = false;
    return registry_.EndBatch(true);
  }
  static constexpr int32_t kBatchNotOpen = 1016;  // ERROR_REGISTRY_IO_FAILED

 private:
  Registry& registry_;
  bool open_;
};

}  // namespace nv
