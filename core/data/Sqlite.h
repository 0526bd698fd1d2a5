#pragma once
// A small RAII layer over the SQLite C API: a connection, prepared statements
// and a transaction guard that rolls back unless committed.

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qv::sql {

// A storage error: SQLite's text and code, shown as "text (code)".
struct Error {
    int code = 0;
    std::string text;
    std::string describe() const { return code ? text + " (" + std::to_string(code) + ")" : text; }
};

class Statement {
public:
    Statement() = default;
    Statement(sqlite3* db, std::string_view sql);  // throws SqlError on failure
    ~Statement();
    Statement(Statement&& o) noexcept : stmt_(o.stmt_) { o.stmt_ = nullptr; }
    Statement& operator=(Statement&& o) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int i, int64_t v) { sqlite3_bind_int64(stmt_, i, v); }
    void bind(int i, std::string_view v) {
        sqlite3_bind_text(stmt_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    void bindNull(int i) { sqlite3_bind_null(stmt_, i); }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return sqlite3_step(stmt_); }
    void reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    int64_t integer(int col) const { return sqlite3_column_int64(stmt_, col); }
    std::string_view text(int col) const {
        auto p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, col));
        return p ? std::string_view(p, sqlite3_column_bytes(stmt_, col)) : std::string_view();
    }
    bool isNull(int col) const { return sqlite3_column_type(stmt_, col) == SQLITE_NULL; }
    sqlite3_stmt* handle() const { return stmt_; }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

class SqlError : public std::exception {
public:
    explicit SqlError(Error e) : error_(std::move(e)), what_(error_.describe()) {}
    const Error& error() const { return error_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    Error error_;
    std::string what_;
};

// Statements given back by finished cursors, kept for the next cursor of
// the same text: preparing a statement costs more than most walks it runs.
class StatementPool {
public:
    Statement take(const std::string& sql);  // an empty Statement when none is kept
    void giveBack(const std::string& sql, Statement s);

private:
    std::unordered_map<std::string, std::vector<Statement>> idle_;
};

class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the database file, creating it only when `create` is set; a
    // rollback journal and a busy timeout so that workstations can share a
    // folder. Opening an existing file writes nothing to it.
    bool open(const std::string& path, Error* error, bool create = false);
    bool isOpen() const { return db_ != nullptr; }
    void close();
    const std::string& path() const { return path_; }

    // Runs statements that return no rows; throws SqlError.
    void exec(std::string_view sql);
    // A cached prepared statement, reset and ready to bind.
    Statement& prepare(const std::string& sql);
    // A statement of the caller's own (for a cursor: several may walk at
    // once), one given back to pool() earlier when there is one. A pool
    // outlives nothing: closing the database empties it and starts anew.
    Statement lend(const std::string& sql);
    std::weak_ptr<StatementPool> pool() const { return pool_; }
    Error lastError() const;
    int64_t changes() const { return sqlite3_changes64(db_); }
    bool inTransaction() const { return !sqlite3_get_autocommit(db_); }
    sqlite3* handle() const { return db_; }

    int userVersion();
    void setUserVersion(int v);

    // The statements of transaction control, prepared once.
    enum class Control { Begin, Commit, Rollback, Savepoint, Release, RollbackTo };
    int control(Control c);

private:
    std::unique_ptr<Statement> control_[6];
    sqlite3* db_ = nullptr;
    std::string path_;
    std::unordered_map<std::string, std::unique_ptr<Statement>> cache_;
    std::shared_ptr<StatementPool> pool_ = std::make_shared<StatementPool>();
};

// Every write runs inside one of these. The outermost starts an immediate
// transaction; nested ones are savepoints. Without commit() everything done
// since it began is undone. A write that is a single statement needs no
// savepoint inside a transaction: SQLite undoes a failed statement by itself.
class Transaction {
public:
    enum class Scope { Savepoint, SingleStatement };
    explicit Transaction(Database& db, Scope scope = Scope::Savepoint);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& db_;
    bool outer_ = false;
    bool active_ = true;
    bool done_ = false;
};

}  // namespace qv::sql
