#include "core/data/Sqlite.h"

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

bool Database::open(const std::string& path, Error* error, bool create) {
    close();
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
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
        // It is what SQLite makes by default; setting it on an existing file
        // would rewrite a foreign file's header before it has been checked.
        if (create) exec("PRAGMA journal_mode=DELETE");
        exec("PRAGMA foreign_keys=OFF");
        // A large page cache keeps big batches (imports, recalculations) from
        // spilling half-done pages to disk.
        exec("PRAGMA cache_size=-65536");
        // Savepoint journals stay in memory.
        exec("PRAGMA temp_store=MEMORY");
        // Touch the file so that an unreadable or foreign file fails here.
        exec("SELECT count(*) FROM sqlite_schema");
    } catch (const SqlError& e) {
        if (error) *error = e.error();
        close();
        return false;
    }
    return true;
}

Statement StatementPool::take(const std::string& sql) {
    auto it = idle_.find(sql);
    if (it == idle_.end() || it->second.empty()) return {};
    Statement s = std::move(it->second.back());
    it->second.pop_back();
    return s;
}

void StatementPool::giveBack(const std::string& sql, Statement s) {
    constexpr size_t kKeptPerText = 4;
    if (!s.handle()) return;
    s.reset();  // a statement left part way holds its read lock
    std::vector<Statement>& kept = idle_[sql];
    if (kept.size() < kKeptPerText) kept.push_back(std::move(s));
}

Statement Database::lend(const std::string& sql) {
    Statement s = pool_->take(sql);
    return s.handle() ? std::move(s) : Statement(db_, sql);
}

void Database::close() {
    // Cursors still out finalize their own statements.
    pool_ = std::make_shared<StatementPool>();
    cache_.clear();
    for (auto& c : control_) c.reset();
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

int Database::control(Control c) {
    static const char* const kSql[] = {"BEGIN IMMEDIATE", "COMMIT",  "ROLLBACK",
                                       "SAVEPOINT qv_op", "RELEASE qv_op", "ROLLBACK TO qv_op"};
    auto& s = control_[static_cast<int>(c)];
    if (!s) s = std::make_unique<Statement>(db_, kSql[static_cast<int>(c)]);
    int rc = s->step();
    s->reset();
    return rc;
}

Transaction::Transaction(Database& db, Scope scope) : db_(db) {
    using C = Database::Control;
    outer_ = !db.inTransaction();
    if (outer_) {
        if (db_.control(C::Begin) != SQLITE_DONE) throw SqlError(db_.lastError());
    } else if (scope == Scope::SingleStatement) {
        active_ = false;
    } else if (db_.control(C::Savepoint) != SQLITE_DONE) {
        throw SqlError(db_.lastError());
    }
}

Transaction::~Transaction() {
    using C = Database::Control;
    if (done_ || !active_) return;
    if (outer_) {
        db_.control(C::Rollback);
    } else {
        db_.control(C::RollbackTo);
        db_.control(C::Release);
    }
}

void Transaction::commit() {
    using C = Database::Control;
    if (!active_) return;
    if (db_.control(outer_ ? C::Commit : C::Release) != SQLITE_DONE) {
        sqlite3* h = db_.handle();
        Error e{sqlite3_extended_errcode(h), sqlite3_errmsg(h)};
        throw SqlError(e);
    }
    done_ = true;
}

}  // namespace qv::sql
