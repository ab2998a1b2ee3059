// The registry port on SQLite: the Linux default (one database file) and, in memory, the
// registry of unit tests. Reproduces what the stores rely on from the Windows registry:
// case-insensitive, case-preserving key and value names; subkeys enumerated in
// case-insensitive name order, values in the order they were first written; Win32 error codes.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

struct sqlite3;
struct sqlite3_stmt;

namespace nv::sqlite_support {
// The prepared BEGIN, BEGIN IMMEDIATE, COMMIT and ROLLBACK of one connection, and its open
// batch: while `batchDepth` > 0 every call joins the batch's transaction, and a write that
// fails sets `batchFailed`.
struct TransactionStatements {
  sqlite3_stmt* begin = nullptr;
  sqlite3_stmt* beginImmediate = nullptr;
  sqlite3_stmt* commit = nullptr;
  sqlite3_stmt* rollback = nullptr;
  int batchDepth = 0;
  bool batchFailed = false;
};
}  // namespace nv::sqlite_support

namespace nv {

class SqliteRegistry : public Registry {
 public:
  // Opens or creates the database file (0600, in directories created 0700); never through a
  // symbolic link, only a regular file of this user's. A file the user may only read is
  // opened read-only: reads and exports work, writes fail. Null and a message in `error` when
  // it cannot be opened.
  static std::unique_ptr<SqliteRegistry> OpenFile(const std::string& path, std::string* error);
  static std::unique_ptr<SqliteRegistry> OpenMemory();
  ~SqliteRegistry() override;
  SqliteRegistry(const SqliteRegistry&) = delete;
  SqliteRegistry& operator=(const SqliteRegistry&) = delete;

  int32_t OpenKey(RegKey parent, std::string_view subKey, uint32_t access, RegKey* result) override;
  int32_t CreateKey(RegKey parent, std::string_view subKey, RegKey* result) override;
  int32_t EnumKey(RegKey key, uint32_t index, char* name, uint32_t* nameLength) override;
  int32_t EnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameLength, uint32_t* type,
                    uint8_t* data, uint32_t* dataSize) override;
  int32_t QueryValue(RegKey key, std::string_view name, uint32_t* type, uint8_t* data,
                     uint32_t* dataSize) override;
  int32_t SetValue(RegKey key, std::string_view name, uint32_t type, const uint8_t* data,
                   uint32_t dataSize) override;
  int32_t DeleteValue(RegKey key, std::string_view name) override;
  int32_t DeleteKey(RegKey parent, std::string_view subKey) override;
  int32_t CloseKey(RegKey key) override;
  // One IMMEDIATE transaction around the batch.
  int32_t BeginBatch() override;
  int32_t EndBatch(bool commit) override;

  size_t openHandleCount() const { return handles_.size(); }
  // How many calls in this process gave up on a database another program held longer than
  // the busy wait (they fail with ERROR_REGISTRY_IO_FAILED or as not found).
  static uint64_t BusyGiveUps();
  // How long a call waits for a database another program holds: 5 s unless set, for the whole
  // process (the window sets a short wait, so that its thread never hangs on another program).
  static constexpr int kDefaultBusyWaitMs = 5000;
  static void SetBusyWaitMs(int milliseconds);

 private:
  explicit SqliteRegistry(sqlite3* db);
  bool Initialise(std::string* error, bool readOnly = false);
  sqlite3_stmt* Prepare(const char* sql);
  int32_t KeyOf(RegKey handle, int64_t* id) const;
  bool KeyExists(int64_t id);
  // Walks `path` below `start`; creates missing keys when `create`. Win32 error code.
  int32_t Walk(int64_t start, std::string_view path, bool create, int64_t* id);
  int32_t FindChild(int64_t parent, std::string_view name, int64_t* id);
  RegKey NewHandle(int64_t id);
  bool NextSubkey(RegKey key, int64_t id, uint32_t index, std::string* name);
  void HoldSnapshot();
  void DropSnapshot();
  // True when reads go in the held snapshot (renewed once it is too old).
  bool ReadSnapshot();

  static constexpr std::chrono::milliseconds kSnapshotAge{100};

  // Where the last enumeration of a handle's subkeys stood, so that the next index continues
  // from that name through the index instead of counting from the start.
  struct EnumCursor {
    int64_t key = 0;
    uint32_t index = 0;
    std::string name;
  };

  sqlite3* db_;
  sqlite_support::TransactionStatements transactions_;
  std::map<std::string, sqlite3_stmt*, std::less<>> statements_;
  std::map<RegKey, int64_t> handles_;
  std::map<RegKey, EnumCursor> cursors_;
  RegKey nextHandle_ = 0x1000;
  bool snapshot_ = false;
  std::chrono::steady_clock::time_point snapshotSince_;
};

// WLANMON_REGISTRY, else $XDG_DATA_HOME/wlanmon/registry.db, else ~/.local/share/wlanmon/....
std::string DefaultRegistryPath();

}  // namespace nv
