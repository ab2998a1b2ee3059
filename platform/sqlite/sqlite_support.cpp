#include "sqlite_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "directories.h"

namespace nv::sqlite_support {

namespace {

// Letters compare in lower case, the order Wine's registry enumerates in ("_" before "A").
unsigned char Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

int CompareWinCase(void*, int leftSize, const void* left, int rightSize, const void* right) {
  const auto* l = static_cast<const unsigned char*>(left);
  const auto* r = static_cast<const unsigned char*>(right);
  const int common = leftSize < rightSize ? leftSize : rightSize;
  for (int i = 0; i < common; ++i) {
    const unsigned char a = Fold(l[i]);
    const unsigned char b = Fold(r[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  return leftSize - rightSize;
}

bool IsBusy(int rc) { return (rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED; }

// A database held by another program is waited for at most the busy wait. Once a wait has run
// out, the holder is evidently busy: calls within the next busy wait give up at once, so a
// command of many calls waits the busy wait in all, not the busy wait a call.
using Clock = std::chrono::steady_clock;
std::atomic<int> busyWaitMs{SqliteRegistry::kDefaultBusyWaitMs};
std::atomic<uint64_t> giveUps{0};
std::atomic<int64_t> lastGiveUpMs{0};

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
      .count();
}

std::chrono::milliseconds BusyWait() { return std::chrono::milliseconds(busyWaitMs.load()); }

bool GaveUpRecently() {
  return giveUps.load() > 0 && NowMs() - lastGiveUpMs.load() < busyWaitMs.load();
}

void NoteGiveUp() {
  lastGiveUpMs.store(NowMs());
  ++giveUps;
}

int WaitWhileBusy(void*, int count) {
  thread_local Clock::time_point episodeStart;
  if (count == 0) episodeStart = Clock::now();
  if (GaveUpRecently() || Clock::now() - episodeStart >= BusyWait()) {
    NoteGiveUp();
    return 0;
  }
  sqlite3_sleep(10);
  return 1;
}

// After a busy result: true while another try is worth it (false once the wait ran out).
bool TryAgain(Clock::time_point start) {
  if (GaveUpRecently() || Clock::now() - start >= BusyWait()) {
    NoteGiveUp();
    return false;
  }
  sqlite3_sleep(1);
  return true;
}

}  // namespace

void WaitForBusyDatabase(sqlite3* db) { sqlite3_busy_handler(db, WaitWhileBusy, nullptr); }

void RegisterWinCase(sqlite3* db) {
  sqlite3_create_collation_v2(db, "WINCASE", SQLITE_UTF8, nullptr, CompareWinCase, nullptr);
}

bool ExecWaiting(sqlite3* db, const char* sql) {
  const Clock::time_point start = Clock::now();
  for (;;) {
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) return true;
    if (!IsBusy(rc) || !TryAgain(start)) return false;
  }
}

Statement::~Statement() {
  sqlite3_reset(s_);
  sqlite3_clear_bindings(s_);
}

void Statement::Bind(int index, int64_t value) { sqlite3_bind_int64(s_, index, value); }

void Statement::Bind(int index, std::string_view text) {
  sqlite3_bind_text(s_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void Statement::BindBlob(int index, const uint8_t* data, uint32_t size) {
  static const uint8_t kEmpty = 0;  // a zero-length blob, never NULL
  sqlite3_bind_blob(s_, index, size ? data : &kEmpty, static_cast<int>(size), SQLITE_TRANSIENT);
}

int Statement::Step() {
  const Clock::time_point start = Clock::now();
  for (;;) {
    const int rc = sqlite3_step(s_);
    if (!IsBusy(rc)) return rc;
    sqlite3_reset(s_);
    if (!TryAgain(start)) return rc;
  }
}

int64_t Statement::Int64(int column) { return sqlite3_column_int64(s_, column); }

std::string_view Statement::Text(int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s_, column));
  return {text ? text : "", static_cast<size_t>(sqlite3_column_bytes(s_, column))};
}

std::span<const uint8_t> Statement::Blob(int column) {
  const auto* blob = static_cast<const uint8_t*>(sqlite3_column_blob(s_, column));
  return {blob, blob ? static_cast<size_t>(sqlite3_column_bytes(s_, column)) : 0};
}

Transaction::Transaction(TransactionStatements& statements, bool write, bool inSnapshot)
    : s_(statements), inBatch_(statements.batchDepth > 0), write_(write) {
  // Inside a batch, or in the read snapshot the caller holds, that transaction serves.
  if (!inBatch_ && !inSnapshot) {
    open_ = Statement(write ? s_.beginImmediate : s_.begin).Step() == SQLITE_DONE;
  }
}

Transaction::~Transaction() {
  if (inBatch_ && write_ && !committed_) s_.batchFailed = true;
  if (open_) Statement(s_.rollback).Step();
}

bool Transaction::Commit() {
  committed_ = true;
  if (inBatch_) return true;  // the batch commits
  if (!open_) return false;
  open_ = false;
  return Statement(s_.commit).Step() == SQLITE_DONE;
}

bool PrepareDatabaseFile(const std::string& path, bool* readOnly, std::string* error) {
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && !posix::MakeDirectories(path.substr(0, slash), error))
    return false;
  // Never through a link, and never waiting on a FIFO someone put there.
  constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
  int fd = open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0600);
  *readOnly = fd < 0 && errno == EACCES;
  if (*readOnly) fd = open(path.c_str(), O_RDONLY | kFlags);
  if (fd < 0) {
    if (error) {
      *error = "cannot open " + path + ": " +
               (errno == ELOOP ? std::string("it is a symbolic link") : std::strerror(errno));
    }
    return false;
  }
  struct stat st {};
  std::string problem;
  if (fstat(fd, &st) != 0) {
    problem = std::strerror(errno);
  } else if (!S_ISREG(st.st_mode)) {
    problem = "it is not a regular file";
  } else if (st.st_uid != geteuid()) {
    problem = "it belongs to another user";
  } else if (!*readOnly && (st.st_mode & 0077) != 0) {
    fchmod(fd, 0600);  // ours and a file: it holds WEP keys
  }
  close(fd);
  if (!problem.empty() && error) *error = "will not open " + path + ": " + problem;
  return problem.empty();
}

}  // namespace nv::sqlite_support

namespace nv {
uint64_t SqliteRegistry::BusyGiveUps() { return sqlite_support::giveUps.load(); }

void SqliteRegistry::SetBusyWaitMs(int milliseconds) {
  sqlite_support::busyWaitMs.store(std::max(0, milliseconds));
}
}  // namespace nv
