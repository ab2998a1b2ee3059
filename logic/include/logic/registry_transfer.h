// The utility's part of the registry as whole keys, for wlanctl's registry export and import:
// the adapter's instance key and the profiles, read out key by key and written back, and what
// an import may store (the values the settings pages could store, each with its type and
// range). The REGEDIT4 text they travel in is wlanctl's business.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/adapter_io.h"
#include "logic/options.h"
#include "platform/registry.h"

namespace nv {

struct RegValueDump {
  std::string name;  // "" is the default value, written @
  uint32_t type;
  std::vector<uint8_t> data;
};

struct RegKeyDump {
  RegKey root;
  std::string path;  // without a trailing backslash
  std::vector<RegValueDump> values;
  int line = 0;  // where the key's section starts, when it was parsed
};

// A line of an import file and what is wrong there.
struct RegeditError {
  int line = 0;
  std::string message;
};

inline constexpr size_t kMaxKeyNameChars = 255;  // Windows' limit on one key name
// HKEY_CURRENT_USER: the key that holds one subkey per profile.
inline constexpr std::string_view kProfileKeyPath = "Software\\NVXPROFILE";

// "HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER".
const char* RootName(RegKey root);

// The path of the adapter's instance key (without a trailing backslash); nothing when no
// supported adapter is found.
std::optional<std::string> AdapterInstanceKey(AdapterIo& io);

// The key and every key below it, values in registry order. False when it does not open.
// A subkey or value that cannot be read is passed over and named in `skipped`.
bool DumpKeyTree(Registry& registry, RegKey root, const std::string& path,
                 std::vector<RegKeyDump>* out, std::vector<std::string>* skipped = nullptr);
// Creates the keys and sets the values; the first registry error, or 0.
int32_t WriteKeys(Registry& registry, const std::vector<RegKeyDump>& keys);

// Only the adapter's instance keys (of either family's class root) and the profile tree may
// be written by an import.
bool Importable(const RegKeyDump& key);
// False with the key's line and what is wrong at the first key or value that may not be
// stored. `channels`: the regulatory domain's range a stored channel must lie in.
bool CheckImport(const std::vector<RegKeyDump>& keys, ChannelRange channels, RegeditError* error);
// Takes out of the adapter's instance keys every value that is not one of the utility's own
// dot11 values ("MatchingDeviceId" and the like belong to the driver, which an import must not
// overwrite); returns how many were taken out.
size_t DropDriverValues(std::vector<RegKeyDump>* keys);

}  // namespace nv
