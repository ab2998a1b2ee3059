// Files that may hold keys are written readable by their owner only.
#pragma once

#include <string>

namespace nv::cli {

bool WritePrivateFile(const std::string& path, const std::string& text, std::string* error);
bool ReadWholeFile(const std::string& path, std::string* text, std::string* error);

}  // namespace nv::cli
