#include "data/Sqlite.h"

namespace qv::sql {

namespace {

Error errorOf(sqlite3* db, int rc) {
    Error e;
    e.code = db ? sqlite3_extended_errcode(db) : rc;
    e.text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    if (e.code == 0) {
        e.code = rc;
        e.text = sqlite3_errstr(rc);
    }
    return e;
}

}  // namespace

Statement::Statement(sqlite3* db, std::string_view sql) {
    int rc = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        Error e = errorOf(db, rc);
        e.text += " in: " + std::string(sql);
        throw SqlError(e);
    }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::operator=(Statement&& o) noexcept {
    if (this != &o) {
        sqlite3_finalize(stmt_);
        stmt_ = o.stmt_;
        o.stmt_ = nullptr;
    }
    return *this;
}

Database::~Database() { close(); }

bool Database::open(const std::string& path, Error* error) {
    close();
    int rc = sqlite3_open_v2(path.c_str(), &db_,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    if (rc != SQLITE_OK) {
        if (error) *error = errorOf(db_, rc);
        sqlite3_close(db_);
        db_ = nullptr;
        return false;
    }
    path_ = path;
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 15000);
    try {
        // Rollback journal: a write-ahead log does not work on network folders.
        exec("PRAGMA journal_mode=DELETE");
        exec("PRAGMA foreign_keys=OFF");
        // Touch the file so that an unreadable or foreign file fails here.
        exec("SELECT count(*) FROM sqlite_schema");
    } catch (const SqlError& e) {
        if (error) *error = e.error();
        close();
        return false;
    }
    return true;
}

void Database::close() {
    cache_.clear();
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

void Database::exec(std::string_view sql) {
    char* msg = nullptr;
    int rc = sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &msg);
    if (rc != SQLITE_OK) {
        Error e = errorOf(db_, rc);
        if (msg) {
            e.text = msg;
            sqlite3_free(msg);
        }
        throw SqlError(e);
    }
}

Statement& Database::prepare(const std::string& sql) {
    auto it = cache_.find(sql);
    if (it == cache_.end()) it = cache_.emplace(sql, std::make_unique<Statement>(db_, sql)).first;
    it->second->reset();
    return *it->second;
}

Error Database::lastError() const { return errorOf(db_, sqlite3_errcode(db_)); }

int Database::userVersion() {
    Statement& s = prepare("PRAGMA user_version");
    int v = s.step() == SQLITE_ROW ? static_cast<int>(s.integer(0)) : 0;
    s.reset();
    return v;
}

void Database::setUserVersion(int v) { exec("PRAGMA user_version=" + std::to_string(v)); }

Transaction::Transaction(Database& db) : db_(db) {
    outer_ = !db.inTransaction();
    if (outer_)
        db_.prepare("BEGIN IMMEDIATE").step() == SQLITE_DONE ? void() : throw SqlError(db_.lastError());
    else if (db_.prepare("SAVEPOINT qv_op").step() != SQLITE_DONE)
        throw SqlError(db_.lastError());
}

Transaction::~Transaction() {
    if (done_) return;
    if (outer_) {
        db_.prepare("ROLLBACK").step();
    } else {
        db_.prepare("ROLLBACK TO qv_op").step();
        db_.prepare("RELEASE qv_op").step();
    }
}

void Transaction::commit() {
    int rc = db_.prepare(outer_ ? "COMMIT" : "RELEASE qv_op").step();
    if (rc != SQLITE_DONE) throw SqlError(db_.lastError());
    done_ = true;
}

}  // namespace qv::sql
