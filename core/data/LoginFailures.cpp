#include "core/data/LoginFailures.h"

#include "core/data/Schema.h"

namespace qv::data {

namespace {

const FileDef& users() { return *Catalog::instance().file("Users"); }

// Runs one statement with the user id as ?1 (and `now` as ?2).
Status run(Store& store, const std::string& sql, std::string_view userId, int64_t now,
           LoginFailures* out = nullptr) {
    try {
        sql::Database& db = store.database(users());
        sql::Transaction tx(db, sql::Transaction::Scope::SingleStatement);
        sql::Statement& s = db.prepare(sql);
        s.bind(1, userId);
        if (!out) s.bind(2, now);
        const int rc = s.step();
        if (out && rc == SQLITE_ROW) {
            out->count = static_cast<int>(s.integer(0));
            out->lastFailure = s.integer(1);
        }
        s.reset();
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw sql::SqlError(db.lastError());
        tx.commit();
        return Status::ok();
    } catch (const sql::SqlError& e) {
        MessageContext ctx;
        ctx.file = "Users";
        ctx.errorText = e.error().describe();
        return Status::failed(standardMessage(26, ctx));
    }
}

std::string table() { return quoted(kLoginFailuresTable); }

}  // namespace

Status readLoginFailures(Store& store, std::string_view userId, LoginFailures& out) {
    out = {};
    return run(store, "SELECT Failures, LastFailure FROM " + table() + " WHERE UserId = ?1",
               userId, 0, &out);
}

Status noteLoginFailure(Store& store, std::string_view userId, int64_t now) {
    return run(store,
               "INSERT INTO " + table() +
                   " (UserId, Failures, LastFailure) VALUES (?1, 1, ?2) "
                   "ON CONFLICT (UserId) DO UPDATE SET Failures = Failures + 1, LastFailure = ?2",
               userId, now);
}

Status dateLoginFailures(Store& store, std::string_view userId, int64_t when) {
    return run(store, "UPDATE " + table() + " SET LastFailure = ?2 WHERE UserId = ?1", userId, when);
}

Status clearLoginFailures(Store& store, std::string_view userId) {
    return run(store, "DELETE FROM " + table() + " WHERE UserId = ?1 AND ?2 = ?2", userId, 0);
}

}  // namespace qv::data
