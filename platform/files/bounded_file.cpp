#include "bounded_file.h"

#include <cerrno>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fstream>
#endif

namespace nv {

std::string SizeLimitText(size_t maxBytes) {
  if (maxBytes >= (size_t{1} << 20) && maxBytes % (size_t{1} << 20) == 0) {
    return std::to_string(maxBytes >> 20) + " MiB";
  }
  if (maxBytes >= 1024 && maxBytes % 1024 == 0) return std::to_string(maxBytes >> 10) + " KiB";
  return std::to_string(maxBytes) + " bytes";
}

#ifndef _WIN32
namespace {

// Reads at most maxBytes + 1 bytes: one more than the limit tells a file that grew meanwhile.
bool ReadUpTo(int fd, size_t maxBytes, std::string* text, std::string* problem) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *problem = std::strerror(errno);
      return false;
    }
    if (n == 0) return true;
    text->append(buffer, static_cast<size_t>(n));
    if (text->size() > maxBytes) {
      *problem = "it is larger than " + SizeLimitText(maxBytes);
      return false;
    }
  }
}

}  // namespace

bool ReadBoundedRegularFile(const std::string& path, size_t maxBytes, std::string* text,
                            std::string* problem) {
  text->clear();
  problem->clear();
  // O_NONBLOCK: opening a FIFO must not wait for a writer; fstat then turns it away.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    *problem = std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    *problem = std::strerror(errno);
  } else if (!S_ISREG(st.st_mode)) {
    *problem = "it is not a regular file";
  } else if (st.st_size > static_cast<off_t>(maxBytes)) {
    *problem = "it is larger than " + SizeLimitText(maxBytes);
  } else {
    ReadUpTo(fd, maxBytes, text, problem);
  }
  close(fd);
  if (!problem->empty()) text->clear();
  return problem->empty();
}
#else
// Windows: a name there opens a file, a directory or a device; only a file has a size to seek.
bool ReadBoundedRegularFile(const std::string& path, size_t maxBytes, std::string* text,
                            std::string* problem) {
  text->clear();
  problem->clear();
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) {
    *problem = "it cannot be opened";
    return false;
  }
  const std::streamoff size = in.tellg();
  if (size < 0) {
    *problem = "it is not a regular file";
  } else if (size > static_cast<std::streamoff>(maxBytes)) {
    *problem = "it is larger than " + SizeLimitText(maxBytes);
  } else {
    in.seekg(0);
    text->resize(maxBytes + 1);
    in.read(text->data(), static_cast<std::streamsize>(text->size()));
    text->resize(static_cast<size_t>(in.gcount()));
    if (text->size() > maxBytes) *problem = "it is larger than " + SizeLimitText(maxBytes);
  }
  if (!problem->empty()) text->clear();
  return problem->empty();
}
#endif

}  // namespace nv
