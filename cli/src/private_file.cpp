#include "private_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace nv::cli {

bool WritePrivateFile(const std::string& path, const std::string& text, std::string* error) {
#ifndef _WIN32
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    *error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  fchmod(fd, 0600);
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n <= 0) {
      *error = "cannot write " + path + ": " + std::strerror(errno);
      close(fd);
      return false;
    }
    written += static_cast<size_t>(n);
  }
  return close(fd) == 0;
#else
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) *error = "cannot write " + path;
  return static_cast<bool>(out);
#endif
}

bool ReadWholeFile(const std::string& path, std::string* text, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot read " + path;
    return false;
  }
  std::stringstream all;
  all << in.rdbuf();
  *text = all.str();
  return true;
}

}  // namespace nv::cli
