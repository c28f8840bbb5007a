#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/target_system/status.h"

namespace platform::target {

// One prepared statement borrowed from the connection's cache; it is reset
// and its bindings cleared when the borrower is done with it.
class CachedStatement {
 public:
  explicit CachedStatement(sqlite3_stmt* statement) : statement_(statement) {}
  ~CachedStatement();
  CachedStatement(const CachedStatement&) = delete;
  CachedStatement& operator=(const CachedStatement&) = delete;

  CachedStatement& Bind(int index, std::int64_t number);
  CachedStatement& BindText(int index, std::string_view text);
  CachedStatement& BindBlob(int index, std::string_view bytes);

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int Step();
  std::int64_t Int(int column) const;
  std::string Text(int column) const;
  std::string Blob(int column) const;

 private:
  sqlite3_stmt* statement_;
};

// An SQLite connection with a statement cache, opened in WAL mode with a
// busy timeout so that several processes can share the database.
class SqliteConnection {
 public:
  enum class Mode {
    kCreate,    // read and write, creating the file when missing
    kExisting,  // read and write an existing file
    kReadOnly,  // read an existing file
  };
  static Status Open(const std::filesystem::path& path, Mode mode, std::unique_ptr<SqliteConnection>* out);
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  // Runs statements without results (BEGIN, COMMIT, schema). A failure's
  // message is the database's own text, never the statement.
  Status Exec(const char* sql);
  // A cached prepared statement for sql (which must be a literal that lives
  // as long as the connection); nullptr when it cannot be prepared.
  std::unique_ptr<CachedStatement> Prepare(const char* sql);
  // Rows changed by the last statement.
  int Changes() const;
  // Whether a transaction is open on this connection.
  bool InTransaction() const;
  // A Status for an SQLite result code, naming what was being done.
  Status Error(int code, std::string_view doing) const;

 private:
  explicit SqliteConnection(sqlite3* db) : db_(db) {}

  sqlite3* db_;
  std::unordered_map<const char*, sqlite3_stmt*> statements_;
};

// Begins a transaction and rolls it back unless committed. Begun while one
// is open on the connection, it is a savepoint inside it: finishing it keeps
// or undoes its own changes, and the open transaction decides about all.
class Transaction {
 public:
  // write: BEGIN IMMEDIATE, so the write lock is taken (or waited for) at
  // once and never upgraded later, which could fail without waiting.
  Transaction(SqliteConnection& connection, bool write);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  const Status& status() const { return status_; }
  // Commits when result is ok; otherwise rolls back. Returns result or the
  // commit's failure.
  Status Finish(Status result);

 private:
  void RollBack();

  SqliteConnection& connection_;
  Status status_;
  bool open_ = false;
  bool nested_ = false;
};

}  // namespace platform::target
