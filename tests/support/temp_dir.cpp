#include "temp_dir.h"

#include <stdlib.h>

#include <filesystem>

namespace nv::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "nvtest-XXXXXX").string();
  path_ = mkdtemp(pattern.data());
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace nv::test
