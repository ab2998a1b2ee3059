// Files that may hold keys are written readable by their owner only, through a new file
// renamed over the name, so a failed write leaves the previous file whole and a name another
// user planted (a link, a file of theirs) is refused. Files read are regular and bounded.
#pragma once

#include <cstddef>
#include <string>

namespace nv::cli {

inline constexpr size_t kMaxReadFileBytes = size_t{16} << 20;

bool WritePrivateFile(const std::string& path, const std::string& text, std::string* error);
// Refuses what is not a regular file (a FIFO, a device) and anything over kMaxReadFileBytes.
bool ReadWholeFile(const std::string& path, std::string* text, std::string* error);

}  // namespace nv::cli
