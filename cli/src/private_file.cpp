#include "private_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include <random>

#include "bounded_file.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <filesystem>
#endif

namespace nv::cli {

#ifdef _WIN32
namespace {

// Windows: the same promise through the C++ library (the file system there has no links a
// neighbour can plant in the user's folders without privileges; a junction or link is refused
// all the same): a new file beside the name, renamed over it only once it is complete.
bool WriteThroughTemporary(const std::string& path, const std::string& text, std::string* error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    *error = "will not write " + path + ": not a regular file; nothing was written";
    return false;
  }
  std::random_device seed;
  std::mt19937_64 random(seed());
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random()));
  const std::string temporary = path + suffix;
  if (fs::exists(fs::symlink_status(temporary, ec))) {
    *error = "cannot write " + path + ": its temporary name is taken; nothing was written";
    return false;
  }
  bool ok = false;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    ok = static_cast<bool>(out);
  }
  if (ok) fs::rename(temporary, path, ec);  // MoveFileEx with replace: the name changes at once
  if (ok && !ec) return true;
  fs::remove(temporary, ec);
  *error = "cannot write " + path + "; the previous file is unchanged";
  return false;
}

}  // namespace
#endif

#ifndef _WIN32
namespace {

std::string Folder(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file next to `path` that nobody else can have opened: O_EXCL on a fresh random name.
int CreateTemporary(const std::string& path, std::string* temporary) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random()));
    *temporary = Folder(path) + "/." + path.substr(path.find_last_of('/') + 1) + suffix;
    const int fd =
        open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int fd, const std::string& text) {
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    written += static_cast<size_t>(n);
  }
  return true;
}

// "" when the name may be replaced: it does not exist, or it is a regular file of ours.
std::string ReplaceProblem(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) {
    return errno == ENOENT ? "" : std::string(std::strerror(errno));
  }
  if (S_ISLNK(st.st_mode)) return "it is a symbolic link";
  if (!S_ISREG(st.st_mode)) return "it is not a regular file";
  if (st.st_uid != geteuid()) return "it belongs to another user";
  return "";
}

}  // namespace
#endif

bool WritePrivateFile(const std::string& path, const std::string& text, std::string* error) {
#ifndef _WIN32
  if (const std::string problem = ReplaceProblem(path); !problem.empty()) {
    *error = "will not write " + path + ": " + problem + "; nothing was written";
    return false;
  }
  std::string temporary;
  const int fd = CreateTemporary(path, &temporary);
  if (fd < 0) {
    *error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  bool ok = WriteAll(fd, text) && fsync(fd) == 0;
  const int writeErrno = errno;
  ok = close(fd) == 0 && ok;
  // Checked again just before the rename: the name may have been swapped meanwhile.
  const std::string problem = ok ? ReplaceProblem(path) : "";
  if (ok && problem.empty() && rename(temporary.c_str(), path.c_str()) == 0) return true;
  const int failure = ok ? errno : writeErrno;
  unlink(temporary.c_str());
  *error = (problem.empty() ? "cannot write " + path + ": " + std::strerror(failure)
                            : "will not write " + path + ": " + problem) +
           "; the previous file is unchanged";
  return false;
#else
  return WriteThroughTemporary(path, text, error);
#endif
}

bool ReadWholeFile(const std::string& path, std::string* text, std::string* error) {
  std::string problem;
  if (ReadBoundedRegularFile(path, kMaxReadFileBytes, text, &problem)) return true;
  *error = "cannot read " + path + ": " + problem;
  return false;
}

}  // namespace nv::cli
