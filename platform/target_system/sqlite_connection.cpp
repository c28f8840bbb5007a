#include "platform/target_system/sqlite_connection.h"

#include <chrono>
#include <thread>

namespace platform::target {

CachedStatement::~CachedStatement() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

CachedStatement& CachedStatement::Bind(int index, std::int64_t number) {
  sqlite3_bind_int64(statement_, index, number);
  return *this;
}

CachedStatement& CachedStatement::BindText(int index, std::string_view text) {
  sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  return *this;
}

CachedStatement& CachedStatement::BindBlob(int index, std::string_view bytes) {
  // A zero-length blob still binds as a blob, never as NULL.
  sqlite3_bind_blob(statement_, index, bytes.empty() ? "" : bytes.data(), static_cast<int>(bytes.size()),
                    SQLITE_TRANSIENT);
  return *this;
}

int CachedStatement::Step() { return sqlite3_step(statement_); }

std::int64_t CachedStatement::Int(int column) const { return sqlite3_column_int64(statement_, column); }

std::string CachedStatement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  const int size = sqlite3_column_bytes(statement_, column);
  return text ? std::string(text, static_cast<std::size_t>(size)) : std::string();
}

std::string CachedStatement::Blob(int column) const {
  const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
  const int size = sqlite3_column_bytes(statement_, column);
  return bytes ? std::string(bytes, static_cast<std::size_t>(size)) : std::string();
}

Status SqliteConnection::Open(const std::filesystem::path& path, Mode mode,
                              std::unique_ptr<SqliteConnection>* out) {
  // The allocator's statistics take a process-wide lock at every allocation,
  // a tenth of a value's write; nothing here reads them. Only possible
  // before SQLite is first used (a later call changes nothing).
  static const int no_statistics = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  (void)no_statistics;
  sqlite3* db = nullptr;
  int flags = SQLITE_OPEN_NOMUTEX;
  switch (mode) {
    case Mode::kCreate: flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE; break;
    case Mode::kExisting: flags |= SQLITE_OPEN_READWRITE; break;
    case Mode::kReadOnly: flags |= SQLITE_OPEN_READONLY; break;
  }
  const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  std::unique_ptr<SqliteConnection> connection(new SqliteConnection(db));
  if (rc != SQLITE_OK) return connection->Error(rc, "opening " + path.string());
  sqlite3_busy_timeout(db, 15000);
  sqlite3_extended_result_codes(db, 0);
  if (mode == Mode::kReadOnly) {
    // A reader changes nothing, not even the journal mode; the database
    // keeps the one its writers gave it.
    *out = std::move(connection);
    return Status::Ok();
  }
  // WAL lets readers go on while one process writes; with synchronous=NORMAL
  // a commit is not flushed to disk at once, but the database stays
  // consistent after a crash (only the last commits may be lost on power
  // failure, never on a killed process).
  // Switching a new database to WAL needs a lock that SQLite does not wait
  // for when another process is opening it at the same moment: retry.
  int wal = SQLITE_BUSY;
  for (int attempt = 0; attempt < 1500 && (wal == SQLITE_BUSY || wal == SQLITE_LOCKED); ++attempt) {
    wal = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    if (wal == SQLITE_BUSY || wal == SQLITE_LOCKED)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (wal != SQLITE_OK) return connection->Error(wal, "switching to WAL");
  Status s = connection->Exec("PRAGMA synchronous=NORMAL");
  if (!s.ok()) return s;
  *out = std::move(connection);
  return Status::Ok();
}

SqliteConnection::~SqliteConnection() {
  for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

Status SqliteConnection::Exec(const char* sql) {
  char* message = nullptr;
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
  if (rc == SQLITE_OK) return Status::Ok();
  std::string text = message ? message : sqlite3_errstr(rc);
  sqlite3_free(message);
  if (rc == SQLITE_CORRUPT || rc == SQLITE_NOTADB) return Status::Corruption(text);
  if (rc == SQLITE_READONLY) return Status::AccessDenied(text);
  return Status::IoError(text);
}

std::unique_ptr<CachedStatement> SqliteConnection::Prepare(const char* sql) {
  auto it = statements_.find(sql);
  if (it == statements_.end()) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
      sqlite3_finalize(statement);
      return nullptr;
    }
    it = statements_.emplace(sql, statement).first;
  }
  return std::make_unique<CachedStatement>(it->second);
}

int SqliteConnection::Changes() const { return sqlite3_changes(db_); }

Status SqliteConnection::Error(int code, std::string_view doing) const {
  std::string text = std::string(doing) + ": " + (db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code));
  if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB) return Status::Corruption(text);
  if (code == SQLITE_READONLY) return Status::AccessDenied(text);
  return Status::IoError(text);
}

bool SqliteConnection::InTransaction() const { return sqlite3_get_autocommit(db_) == 0; }

Transaction::Transaction(SqliteConnection& connection, bool write) : connection_(connection) {
  nested_ = connection_.InTransaction();
  status_ = connection_.Exec(nested_ ? "SAVEPOINT nested" : write ? "BEGIN IMMEDIATE" : "BEGIN");
  open_ = status_.ok();
}

// A failed ROLLBACK is not reported: the failure that led here is what the
// caller hears of, and SQLite rolls an open transaction back when the
// connection closes.
Transaction::~Transaction() {
  if (open_) RollBack();
}

void Transaction::RollBack() {
  if (nested_) {
    static_cast<void>(connection_.Exec("ROLLBACK TO nested"));
    static_cast<void>(connection_.Exec("RELEASE nested"));
  } else {
    static_cast<void>(connection_.Exec("ROLLBACK"));
  }
}

Status Transaction::Finish(Status result) {
  if (!open_) return status_.ok() ? result : status_;
  open_ = false;
  if (!result.ok()) {
    RollBack();
    return result;
  }
  Status commit = connection_.Exec(nested_ ? "RELEASE nested" : "COMMIT");
  if (!commit.ok()) RollBack();
  return commit;
}

}  // namespace platform::target
