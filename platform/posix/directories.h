// Directory creation for files that must stay private to their user.
#pragma once

#include <string>

namespace nv::posix {

// The user's home: $HOME when it is an absolute path, else the password database's; "" when
// neither says.
std::string HomeDirectory();

// mkdir -p, each directory it creates 0700 (existing ones are left as they are).
bool MakeDirectories(const std::string& dir, std::string* error);

}  // namespace nv::posix
