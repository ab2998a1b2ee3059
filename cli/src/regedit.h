// REGEDIT4 text, the format Windows' registry editor reads and writes: the adapter's instance
// key and the profiles travel in it between machines and to and from Windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logic/registry_transfer.h"

namespace nv::cli {

std::string WriteRegedit4(const std::vector<RegKeyDump>& keys);

// The whole text or nothing: on the first bad line, false with its number and what is wrong.
// Takes the REGEDIT4 header and the "Windows Registry Editor Version 5.00" one.
bool ParseRegedit4(std::string_view text, std::vector<RegKeyDump>* keys, RegeditError* error);
// A file's bytes: UTF-16LE after its byte-order mark (what Windows' registry editor exports;
// its text becomes Windows-1252 bytes, what the ANSI registry calls store, and a character
// that code page lacks is refused with its line), UTF-8 with or without a mark, or plain ANSI
// text, whose bytes are taken as they stand.
bool ParseRegeditFile(std::string_view bytes, std::vector<RegKeyDump>* keys, RegeditError* error);

}  // namespace nv::cli
