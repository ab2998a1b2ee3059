// The one rule for reading a file a user names (a scenario, an import): only a regular file, at
// most `maxBytes`, read from the descriptor that was checked, so that nothing swapped in after
// the check (a FIFO, a device) is ever read or waited on.
#pragma once

#include <cstddef>
#include <string>

namespace nv {

// The whole file in `text`; false with the reason in `problem` ("it is not a regular file",
// "it is larger than ...", or the system's own words) when it may not or cannot be read.
bool ReadBoundedRegularFile(const std::string& path, size_t maxBytes, std::string* text,
                            std::string* problem);

// "1 MiB", "16 MiB", "512 KiB": a limit as the refusal names it.
std::string SizeLimitText(size_t maxBytes);

}  // namespace nv
