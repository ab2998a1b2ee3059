// REGEDIT4 text, the format Windows' registry editor reads and writes: the adapter's instance
// key and the profiles travel in it between machines and to and from Windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace nv::cli {

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

std::string WriteRegedit4(const std::vector<RegKeyDump>& keys);

struct RegeditError {
  int line = 0;
  std::string message;
};
// The whole text or nothing: on the first bad line, false with its number and what is wrong.
// Takes the REGEDIT4 header and the "Windows Registry Editor Version 5.00" one.
bool ParseRegedit4(std::string_view text, std::vector<RegKeyDump>* keys, RegeditError* error);
// A file's bytes: UTF-16LE after its byte-order mark (what Windows' registry editor exports;
// its text becomes Windows-1252 bytes, what the ANSI registry calls store, and a character
// that code page lacks is refused with its line), UTF-8 with or without a mark, or plain ANSI
// text, whose bytes are taken as they stand.
bool ParseRegeditFile(std::string_view bytes, std::vector<RegKeyDump>* keys, RegeditError* error);

// The key and every key below it, values in registry order. False when it does not open.
// A subkey or value that cannot be read is passed over and named in `skipped`.
bool DumpKeyTree(Registry& registry, RegKey root, const std::string& path,
                 std::vector<RegKeyDump>* out, std::vector<std::string>* skipped = nullptr);
// Creates the keys and sets the values; the first registry error, or 0.
int32_t WriteKeys(Registry& registry, const std::vector<RegKeyDump>& keys);

}  // namespace nv::cli
