// Small helpers over the SQLite C API: cached statements that reset themselves, transactions
// that wait for a busy database instead of failing, and the database file's creation.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/sqlite_registry.h"  // TransactionStatements

namespace nv::sqlite_support {

// ERROR_REGISTRY_IO_FAILED: what a failing database is reported as.
inline constexpr int32_t kErrorRegistryIo = 1016;

// Registers the WINCASE collation: byte order after ASCII lower-casing, as the registry
// matches and (in Wine, the reference implementation we test against) orders key names.
void RegisterWinCase(sqlite3* db);

// Waits for a database another connection holds, at most the busy wait (see BusyGiveUps).
void WaitForBusyDatabase(sqlite3* db);

// Runs SQL text, waiting while the database is busy (within the wait above). False on any
// other failure.
bool ExecWaiting(sqlite3* db, const char* sql);

class Statement {
 public:
  explicit Statement(sqlite3_stmt* statement) : s_(statement) {}
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void Bind(int index, int64_t value);
  void Bind(int index, std::string_view text);
  void BindBlob(int index, const uint8_t* data, uint32_t size);
  int Step();  // SQLITE_ROW, SQLITE_DONE or an error; busy is waited for, within limits
  int64_t Int64(int column);
  std::string_view Text(int column);
  std::span<const uint8_t> Blob(int column);

 private:
  sqlite3_stmt* s_;
};

// BEGIN (IMMEDIATE for writers) at construction; rolled back unless committed. Inside a batch
// it joins the batch's transaction, and a writer left uncommitted fails the batch.
class Transaction {
 public:
  // `inSnapshot`: the caller already reads in an open transaction; this one does nothing.
  Transaction(TransactionStatements& statements, bool write, bool inSnapshot = false);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  bool Commit();

 private:
  TransactionStatements& s_;
  bool open_ = false;
  bool inBatch_ = false;
  bool write_ = false;
  bool committed_ = false;
};

// Creates missing directories 0700 and the file 0600. An existing file must be a regular file
// of this user's, reached without a symbolic link; only then is it made 0600. *readOnly when
// the user may read it but not write it (it then serves reads only).
bool PrepareDatabaseFile(const std::string& path, bool* readOnly, std::string* error);

}  // namespace nv::sqlite_support
