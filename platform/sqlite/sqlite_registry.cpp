#include "platform/sqlite_registry.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

#include "platform/win32_codes.h"
#include "sqlite_support.h"

namespace nv {

namespace {

constexpr int64_t kLocalMachineId = 1;
constexpr int64_t kCurrentUserId = 2;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
  id INTEGER PRIMARY KEY,
  parent INTEGER NOT NULL,
  name TEXT NOT NULL COLLATE WINCASE,
  UNIQUE(parent, name));
CREATE TABLE IF NOT EXISTS vals(
  id INTEGER PRIMARY KEY,
  key INTEGER NOT NULL,
  name TEXT NOT NULL COLLATE WINCASE,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  UNIQUE(key, name));
INSERT OR IGNORE INTO keys(id, parent, name) VALUES
  (1, 0, 'HKEY_LOCAL_MACHINE'), (2, 0, 'HKEY_CURRENT_USER');
)sql";

// Splits a key path into its names. Empty names (a trailing or doubled backslash) are
// skipped; a leading backslash is refused.
bool SplitPath(std::string_view path, std::vector<std::string_view>& names) {
  if (!path.empty() && path.front() == '\\') return false;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) names.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return true;
}

// Copies a name into a caller's buffer the way the Enum calls do.
int32_t CopyName(const std::string_view name, char* buffer, uint32_t* length) {
  if (name.size() + 1 > *length) return win::kErrorMoreData;
  std::memcpy(buffer, name.data(), name.size());
  buffer[name.size()] = '\0';
  *length = static_cast<uint32_t>(name.size());
  return win::kErrorSuccess;
}

// Delivers value data: size always reported, bytes only when they fit.
int32_t CopyData(const void* bytes, uint32_t size, uint8_t* data, uint32_t* dataSize) {
  if (data != nullptr && dataSize == nullptr) return win::kErrorInvalidParameter;
  if (dataSize == nullptr) return win::kErrorSuccess;
  const uint32_t capacity = *dataSize;
  *dataSize = size;
  if (data == nullptr) return win::kErrorSuccess;
  if (size > capacity) return win::kErrorMoreData;
  if (size > 0) std::memcpy(data, bytes, size);
  return win::kErrorSuccess;
}

}  // namespace

using sqlite_support::Statement;
using sqlite_support::Transaction;

SqliteRegistry::SqliteRegistry(sqlite3* db) : db_(db) {}

SqliteRegistry::~SqliteRegistry() {
  DropSnapshot();
  for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

std::unique_ptr<SqliteRegistry> SqliteRegistry::OpenFile(const std::string& path,
                                                         std::string* error) {
  bool readOnly = false;
  if (!sqlite_support::PrepareDatabaseFile(path, &readOnly, error)) return nullptr;
  sqlite3* db = nullptr;
  const int mode = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  if (sqlite3_open_v2(path.c_str(), &db, mode | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_NOFOLLOW,
                      nullptr) != SQLITE_OK) {
    if (error) *error = "cannot open registry database " + path + ": " + sqlite3_errmsg(db);
    sqlite3_close(db);
    return nullptr;
  }
  std::unique_ptr<SqliteRegistry> registry(new SqliteRegistry(db));
  if (!registry->Initialise(error, readOnly)) return nullptr;
  return registry;
}

std::unique_ptr<SqliteRegistry> SqliteRegistry::OpenMemory() {
  sqlite3* db = nullptr;
  sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::unique_ptr<SqliteRegistry> registry(new SqliteRegistry(db));
  if (!registry->Initialise(nullptr)) return nullptr;
  return registry;
}

bool SqliteRegistry::Initialise(std::string* error, bool readOnly) {
  sqlite_support::RegisterWinCase(db_);
  sqlite_support::WaitForBusyDatabase(db_);
  // A file the user may only read serves reads as it is: no journal mode, no schema to write.
  if (!readOnly &&
      (!sqlite_support::ExecWaiting(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;") ||
       !sqlite_support::ExecWaiting(db_, kSchema))) {
    if (error) *error = std::string("cannot set up registry database: ") + sqlite3_errmsg(db_);
    return false;
  }
  transactions_ = {Prepare("BEGIN"), Prepare("BEGIN IMMEDIATE"), Prepare("COMMIT"),
                   Prepare("ROLLBACK")};
  return true;
}

sqlite3_stmt* SqliteRegistry::Prepare(const char* sql) {
  const auto found = statements_.find(std::string_view(sql));
  if (found != statements_.end()) return found->second;
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
  statements_.emplace(sql, statement);
  return statement;
}

int32_t SqliteRegistry::KeyOf(RegKey handle, int64_t* id) const {
  if (handle == kHkeyLocalMachine) {
    *id = kLocalMachineId;
  } else if (handle == kHkeyCurrentUser) {
    *id = kCurrentUserId;
  } else {
    const auto found = handles_.find(handle);
    if (found == handles_.end()) return win::kErrorInvalidHandle;
    *id = found->second;
  }
  return win::kErrorSuccess;
}

bool SqliteRegistry::KeyExists(int64_t id) {
  Statement s(Prepare("SELECT 1 FROM keys WHERE id = ?1"));
  s.Bind(1, id);
  return s.Step() == SQLITE_ROW;
}

int32_t SqliteRegistry::FindChild(int64_t parent, std::string_view name, int64_t* id) {
  Statement s(Prepare("SELECT id FROM keys WHERE parent = ?1 AND name = ?2"));
  s.Bind(1, parent);
  s.Bind(2, name);
  if (s.Step() != SQLITE_ROW) return win::kErrorFileNotFound;
  *id = s.Int64(0);
  return win::kErrorSuccess;
}

int32_t SqliteRegistry::Walk(int64_t start, std::string_view path, bool create, int64_t* id) {
  std::vector<std::string_view> names;
  if (!SplitPath(path, names)) return win::kErrorBadPathname;
  for (const std::string_view name : names) {  // Windows' limit on a key name
    if (name.size() > 255) return win::kErrorInvalidParameter;
  }
  if (!KeyExists(start)) return win::kErrorKeyDeleted;
  int64_t current = start;
  for (const std::string_view name : names) {
    int64_t child = 0;
    if (FindChild(current, name, &child) != win::kErrorSuccess) {
      if (!create) return win::kErrorFileNotFound;
      Statement s(Prepare("INSERT INTO keys(parent, name) VALUES(?1, ?2)"));
      s.Bind(1, current);
      s.Bind(2, name);
      if (s.Step() != SQLITE_DONE) return sqlite_support::kErrorRegistryIo;
      child = sqlite3_last_insert_rowid(db_);
    }
    current = child;
  }
  *id = current;
  return win::kErrorSuccess;
}

RegKey SqliteRegistry::NewHandle(int64_t id) {
  const RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = id;
  return handle;
}

int32_t SqliteRegistry::OpenKey(RegKey parent, std::string_view subKey, uint32_t, RegKey* result) {
  if (result == nullptr) return win::kErrorInvalidParameter;
  int64_t start = 0;
  if (const int32_t e = KeyOf(parent, &start)) return e;
  HoldSnapshot();  // the reads through the new key share it
  int64_t id = 0;
  const int32_t e = Walk(start, subKey, false, &id);
  if (e == win::kErrorSuccess) *result = NewHandle(id);
  if (handles_.empty()) DropSnapshot();
  return e;
}

int32_t SqliteRegistry::CreateKey(RegKey parent, std::string_view subKey, RegKey* result) {
  if (result == nullptr) return win::kErrorInvalidParameter;
  int64_t start = 0;
  if (const int32_t e = KeyOf(parent, &start)) return e;
  DropSnapshot();  // writes go in their own transaction and are seen at once
  Transaction t(transactions_, true);
  int64_t id = 0;
  if (const int32_t e = Walk(start, subKey, true, &id)) return e;
  if (!t.Commit()) return sqlite_support::kErrorRegistryIo;
  *result = NewHandle(id);
  return win::kErrorSuccess;
}

int32_t SqliteRegistry::EnumKey(RegKey key, uint32_t index, char* name, uint32_t* nameLength) {
  if (name == nullptr || nameLength == nullptr) return win::kErrorInvalidParameter;
  int64_t id = 0;
  if (const int32_t e = KeyOf(key, &id)) return e;
  Transaction t(transactions_, false, ReadSnapshot());
  if (!KeyExists(id)) return win::kErrorKeyDeleted;
  std::string found;
  if (!NextSubkey(key, id, index, &found)) {
    cursors_.erase(key);
    return win::kErrorNoMoreItems;
  }
  cursors_[key] = {id, index, found};
  return CopyName(found, name, nameLength);
}

// Index 0, and the index after the handle's last one, cost one step through the (parent, name)
// index; any other index counts from the start.
bool SqliteRegistry::NextSubkey(RegKey key, int64_t id, uint32_t index, std::string* name) {
  const auto cursor = cursors_.find(key);
  const bool follows =
      cursor != cursors_.end() && cursor->second.key == id && cursor->second.index + 1 == index;
  Statement s(Prepare(
      follows ? "SELECT name FROM keys WHERE parent = ?1 AND name > ?2 ORDER BY name LIMIT 1"
              : "SELECT name FROM keys WHERE parent = ?1 ORDER BY name LIMIT 1 OFFSET ?2"));
  s.Bind(1, id);
  if (follows) {
    s.Bind(2, cursor->second.name);
  } else {
    s.Bind(2, static_cast<int64_t>(index));
  }
  if (s.Step() != SQLITE_ROW) return false;
  *name = std::string(s.Text(0));
  return true;
}

int32_t SqliteRegistry::EnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLength,
                                  uint32_t* type, uint8_t* data, uint32_t* dataSize) {
  if (name == nullptr || nameLength == nullptr) return win::kErrorInvalidParameter;
  int64_t id = 0;
  if (const int32_t e = KeyOf(key, &id)) return e;
  Transaction t(transactions_, false, ReadSnapshot());
  if (!KeyExists(id)) return win::kErrorKeyDeleted;
  Statement s(
      Prepare("SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY id "
              "LIMIT 1 OFFSET ?2"));
  s.Bind(1, id);
  s.Bind(2, static_cast<int64_t>(index));
  if (s.Step() != SQLITE_ROW) return win::kErrorNoMoreItems;
  if (const int32_t e = CopyName(s.Text(0), name, nameLength)) return e;
  if (type != nullptr) *type = static_cast<uint32_t>(s.Int64(1));
  const auto blob = s.Blob(2);
  return CopyData(blob.data(), static_cast<uint32_t>(blob.size()), data, dataSize);
}

int32_t SqliteRegistry::QueryValue(RegKey key, std::string_view name, uint32_t* type, uint8_t* data,
                                   uint32_t* dataSize) {
  int64_t id = 0;
  if (const int32_t e = KeyOf(key, &id)) return e;
  Transaction t(transactions_, false, ReadSnapshot());
  if (!KeyExists(id)) return win::kErrorKeyDeleted;
  Statement s(Prepare("SELECT type, data FROM vals WHERE key = ?1 AND name = ?2"));
  s.Bind(1, id);
  s.Bind(2, name);
  if (s.Step() != SQLITE_ROW) return win::kErrorFileNotFound;
  if (type != nullptr) *type = static_cast<uint32_t>(s.Int64(0));
  const auto blob = s.Blob(1);
  return CopyData(blob.data(), static_cast<uint32_t>(blob.size()), data, dataSize);
}

int32_t SqliteRegistry::SetValue(RegKey key, std::string_view name, uint32_t type,
                                 const uint8_t* data, uint32_t dataSize) {
  if (data == nullptr && dataSize != 0) return win::kErrorInvalidParameter;
  int64_t id = 0;
  if (const int32_t e = KeyOf(key, &id)) return e;
  DropSnapshot();  // writes go in their own transaction and are seen at once
  Transaction t(transactions_, true);
  if (!KeyExists(id)) return win::kErrorKeyDeleted;
  // An update keeps the row, so a value keeps its place in the enumeration.
  Statement s(
      Prepare("INSERT INTO vals(key, name, type, data) VALUES(?1, ?2, ?3, ?4) "
              "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, "
              "data = excluded.data"));
  s.Bind(1, id);
  s.Bind(2, name);
  s.Bind(3, static_cast<int64_t>(type));
  s.BindBlob(4, data, dataSize);
  if (s.Step() != SQLITE_DONE || !t.Commit()) return sqlite_support::kErrorRegistryIo;
  return win::kErrorSuccess;
}

int32_t SqliteRegistry::DeleteValue(RegKey key, std::string_view name) {
  int64_t id = 0;
  if (const int32_t e = KeyOf(key, &id)) return e;
  DropSnapshot();  // writes go in their own transaction and are seen at once
  Transaction t(transactions_, true);
  if (!KeyExists(id)) return win::kErrorKeyDeleted;
  Statement s(Prepare("DELETE FROM vals WHERE key = ?1 AND name = ?2"));
  s.Bind(1, id);
  s.Bind(2, name);
  if (s.Step() != SQLITE_DONE) return sqlite_support::kErrorRegistryIo;
  if (sqlite3_changes(db_) == 0) return win::kErrorFileNotFound;
  return t.Commit() ? win::kErrorSuccess : sqlite_support::kErrorRegistryIo;
}

int32_t SqliteRegistry::DeleteKey(RegKey parent, std::string_view subKey) {
  int64_t start = 0;
  if (const int32_t e = KeyOf(parent, &start)) return e;
  DropSnapshot();  // writes go in their own transaction and are seen at once
  Transaction t(transactions_, true);
  int64_t id = 0;
  if (const int32_t e = Walk(start, subKey, false, &id)) return e;
  if (id == kLocalMachineId || id == kCurrentUserId) return win::kErrorAccessDenied;
  {
    Statement s(Prepare("SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1"));
    s.Bind(1, id);
    if (s.Step() == SQLITE_ROW) return win::kErrorAccessDenied;  // still has subkeys
  }
  for (const char* sql : {"DELETE FROM vals WHERE key = ?1", "DELETE FROM keys WHERE id = ?1"}) {
    Statement s(Prepare(sql));
    s.Bind(1, id);
    if (s.Step() != SQLITE_DONE) return sqlite_support::kErrorRegistryIo;
  }
  return t.Commit() ? win::kErrorSuccess : sqlite_support::kErrorRegistryIo;
}

int32_t SqliteRegistry::CloseKey(RegKey key) {
  cursors_.erase(key);
  if (key == kHkeyLocalMachine || key == kHkeyCurrentUser) return win::kErrorSuccess;
  if (handles_.erase(key) == 0) return win::kErrorInvalidHandle;
  if (handles_.empty()) DropSnapshot();
  return win::kErrorSuccess;
}

// While keys are open, their reads share one read transaction: one lock instead of one per
// call, and one consistent view of the keys being read. It ends when the last key closes,
// before any write, and after kSnapshotAge, so a key left open never hides others' writes long.
void SqliteRegistry::HoldSnapshot() {
  if (transactions_.batchDepth > 0) return;  // the batch's transaction serves its reads
  const auto now = std::chrono::steady_clock::now();
  if (snapshot_ && now - snapshotSince_ <= kSnapshotAge) return;
  DropSnapshot();
  snapshot_ = Statement(transactions_.begin).Step() == SQLITE_DONE;
  snapshotSince_ = now;
}

void SqliteRegistry::DropSnapshot() {
  if (!snapshot_) return;
  snapshot_ = false;
  Statement(transactions_.commit).Step();
}

bool SqliteRegistry::ReadSnapshot() {
  if (snapshot_) HoldSnapshot();  // renewed once too old
  return snapshot_;
}

int32_t SqliteRegistry::BeginBatch() {
  if (transactions_.batchDepth++ > 0) return win::kErrorSuccess;
  DropSnapshot();  // a batch writes, so it must not start inside the readers' transaction
  transactions_.batchFailed = false;
  if (Statement(transactions_.beginImmediate).Step() == SQLITE_DONE) return win::kErrorSuccess;
  transactions_.batchDepth = 0;
  return sqlite_support::kErrorRegistryIo;
}

int32_t SqliteRegistry::EndBatch(bool commit) {
  if (transactions_.batchDepth == 0) return win::kErrorInvalidFunction;
  if (!commit) transactions_.batchFailed = true;
  if (--transactions_.batchDepth > 0) return win::kErrorSuccess;
  if (!transactions_.batchFailed && Statement(transactions_.commit).Step() == SQLITE_DONE) {
    return win::kErrorSuccess;
  }
  Statement(transactions_.rollback).Step();
  return commit ? sqlite_support::kErrorRegistryIo : win::kErrorSuccess;
}

}  // namespace nv
