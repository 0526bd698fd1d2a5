#include "core/exchange/ClubDatabase.h"

#include <sqlite3.h>

#include <chrono>
#include <thread>

#include "core/data/Schema.h"
#include "core/data/Sqlite.h"
#include "core/exchange/DatabaseCheck.h"

namespace qv::exchange {

namespace {

// An existing database opened without creating one, with a busy timeout.
struct Connection {
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close(db); }
    bool open(const std::string& path, int flags, std::string& why) {
        const int rc = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            why = path + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
            return false;
        }
        // Short: the copy below waits for locks in its own loop.
        sqlite3_busy_timeout(db, 250);
        return true;
    }
};

// Copies every page of `from` into `to` in one step, waiting a while for a
// station that holds a lock.
bool copyAll(sqlite3* from, sqlite3* to, const std::string& target, std::string& why,
             std::chrono::milliseconds wait) {
    sqlite3_backup* b = sqlite3_backup_init(to, "main", from, "main");
    if (!b) {
        why = target + ": " + sqlite3_errmsg(to);
        return false;
    }
    // A station holding a lock on either side is waited for a while.
    const auto giveUp = std::chrono::steady_clock::now() + wait;
    int rc = sqlite3_backup_step(b, -1);
    while ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        rc = sqlite3_backup_step(b, -1);
    }
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE) {
        why = target + ": " + sqlite3_errstr(rc) +
              (rc == SQLITE_BUSY || rc == SQLITE_LOCKED
                   ? "; another station is using the data, ensure all users are out of the system"
                   : "");
        return false;
    }
    return true;
}

}  // namespace

bool snapshotClubDatabase(const std::string& clubDb, const std::string& target, std::string& why) {
    // A page-for-page copy: record numbers stay as they are (a vacuum would
    // renumber the single-record files), and reading every page in one step
    // holds one read lock, so the copy is of one moment.
    Connection from, to;
    if (!from.open(clubDb, SQLITE_OPEN_READONLY, why) ||
        !to.open(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, why))
        return false;
    return copyAll(from.db, to.db, target, why, kLockWait);
}

int packClubDatabase(const std::string& clubDb, const std::string& archive, Packing packing, std::string& why,
                     std::chrono::milliseconds wait) {
    Connection c;
    if (!c.open(clubDb, SQLITE_OPEN_READONLY, why)) return kArchiveFailed;
    sqlite3_busy_timeout(c.db, static_cast<int>(wait.count()));
    // The first read of the transaction takes the read lock; it is held,
    // and the file stays as it is, until the end of the transaction.
    int64_t pages = 0, pageSize = 0;
    int rc = sqlite3_exec(c.db, "BEGIN", nullptr, nullptr, nullptr);
    for (const auto& [pragma, value] : {std::pair{"PRAGMA page_count", &pages}, {"PRAGMA page_size", &pageSize}}) {
        sqlite3_stmt* st = nullptr;
        if (rc == SQLITE_OK && (rc = sqlite3_prepare_v2(c.db, pragma, -1, &st, nullptr)) == SQLITE_OK &&
            (rc = sqlite3_step(st)) == SQLITE_ROW) {
            *value = sqlite3_column_int64(st, 0);
            rc = SQLITE_OK;
        }
        sqlite3_finalize(st);
    }
    sqlite3_file* file = nullptr;
    if (rc == SQLITE_OK) rc = sqlite3_file_control(c.db, "main", SQLITE_FCNTL_FILE_POINTER, &file);
    if (rc != SQLITE_OK || !file || !file->pMethods) {
        why = clubDb + ": " + (rc == SQLITE_OK ? "cannot be read" : sqlite3_errmsg(c.db)) +
              (rc == SQLITE_BUSY ? "; another station is using the data, ensure all users are out of the system" : "");
        return kArchiveFailed;
    }
    // Read through SQLite's own handle: opening and closing the file beside
    // it would drop the locks SQLite holds on it for this process.
    ArchiveMember member{kClubDatabaseName, clubDb, nullptr, pages * pageSize};
    member.read = [file](int64_t offset, char* buffer, size_t length, std::string& error) {
        const int r = file->pMethods->xRead(file, buffer, static_cast<int>(length), offset);
        if (r != SQLITE_OK) error = sqlite3_errstr(r);
        return r == SQLITE_OK;
    };
    const int packed = packArchive(archive, {member}, why, packing);
    sqlite3_exec(c.db, "COMMIT", nullptr, nullptr, nullptr);
    return packed;
}

bool checkClubDatabase(const std::string& candidate, std::string& why) {
    sql::Database db;
    sql::Error error;
    if (!db.open(candidate, &error)) {
        why = "the archive's database cannot be opened: " + error.describe();
        return false;
    }
    if (std::string problem; !databaseIsSound(candidate, problem)) {
        why = "the archive's database is damaged (" + problem + ")";
        return false;
    }
    try {
        {
            sql::Statement extra(db.handle(),
                                 "SELECT count(*) FROM sqlite_schema WHERE type IN ('trigger', 'view')");
            if (extra.step() != SQLITE_ROW || extra.integer(0) != 0) {
                why = "the archive's database holds triggers or views, which a club database never has";
                return false;
            }
        }
        data::checkSchema(db, data::Location::Club);
        // The copy goes into a database kept with a rollback journal.
        db.exec("PRAGMA journal_mode=DELETE");
    } catch (const sql::SqlError& e) {
        why = "the archive does not hold a club database this program can open: " + e.error().describe();
        return false;
    }
    return true;
}

bool replaceClubDatabase(const std::string& clubDb, const std::string& source, std::string& why,
                         std::chrono::milliseconds wait) {
    Connection from, to;
    if (!from.open(source, SQLITE_OPEN_READONLY, why) || !to.open(clubDb, SQLITE_OPEN_READWRITE, why))
        return false;
    // All pages in one step: one write transaction on the club database.
    return copyAll(from.db, to.db, clubDb, why, wait);
}

}  // namespace qv::exchange
