#include "presence_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "unix_socket.h"

namespace nv::posix {

namespace {

flock WholeFile(short type) {
  flock lock{};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;  // start 0, length 0: the whole file
  return lock;
}

// A regular file of this user's or root's, of a sane size, locked by a live holder.
bool Believable(int fd) {
  struct stat st {};
  flock lock = WholeFile(F_RDLCK);
  return fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (st.st_uid == getuid() || st.st_uid == 0) &&
         st.st_size <= static_cast<off_t>(wire::kMaxPresenceBytes) &&
         fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type == F_WRLCK;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool ReadPresence(wire::Presence* presence) {
  std::string refusal;
  const std::string dir = RuntimeDir();
  if (!TrustedClientDir(dir, &refusal)) return false;  // the exchange says why
  const std::string path = dir + "/" + kSocketName + kPresenceSuffix;
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  std::array<uint8_t, wire::kMaxPresenceBytes + 1> bytes;
  const ssize_t n = Believable(fd) ? pread(fd, bytes.data(), bytes.size(), 0) : -1;
  close(fd);
  return n >= 0 && wire::DecodePresence({bytes.data(), static_cast<size_t>(n)}, presence);
}

PresencePublisher::~PresencePublisher() { Withdraw(); }

void PresencePublisher::Withdraw() {
  if (fd_ < 0) return;
  unlink(path_.c_str());
  close(fd_);
  fd_ = -1;
  published_.clear();
}

bool PresencePublisher::Publish(const wire::Presence& presence) {
  const std::vector<uint8_t> bytes = wire::EncodePresence(presence);
  if (fd_ >= 0 && bytes == published_) return true;
  // One name for the new file: a daemon killed while publishing leaves one file at most, and
  // the next publication replaces it.
  const std::string temp = path_ + ".new";
  unlink(temp.c_str());
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  flock lock = WholeFile(F_WRLCK);
  if (fd < 0 || fcntl(fd, F_OFD_SETLK, &lock) != 0 || !WriteAll(fd, bytes) ||
      rename(temp.c_str(), path_.c_str()) != 0) {
    if (fd >= 0) {
      unlink(temp.c_str());
      close(fd);
    }
    Withdraw();  // an old presence must not outlive a change
    return false;
  }
  if (fd_ >= 0) close(fd_);  // the replaced file: its lock goes with it
  fd_ = fd;
  published_ = bytes;
  return true;
}

}  // namespace nv::posix
