#include "core/exchange/ClubDatabase.h"

#include <sqlite3.h>

#include <chrono>

#include "core/data/Schema.h"
#include "core/data/Sqlite.h"
#include "core/exchange/DatabaseCheck.h"
#include "core/exchange/DatabaseCopy.h"
#include "core/exchange/RawConnection.h"

namespace qv::exchange {

namespace {

std::string damaged(const std::string& problem) { return "the archive's database is damaged (" + problem + ")"; }

// Whether the open database is a club database of ours, with no triggers or
// views; an older schema of ours is brought up to date.
bool isOurs(sql::Database& db, std::string& why) {
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

}  // namespace

int packClubDatabase(const std::string& clubDb, const std::string& archive, Packing packing, std::string& why,
                     std::chrono::milliseconds wait) {
    RawConnection c;
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
        why = damaged(problem);
        return false;
    }
    return isOurs(db, why);
}

bool replaceClubDatabase(const std::string& clubDb, const std::string& source, std::string& why,
                         std::chrono::milliseconds wait) {
    DatabaseCopy copy;
    return copy.begin(source, clubDb, false, why, wait) && copy.commit(why);
}

bool importClubDatabase(const std::string& clubDb, const std::string& candidate, std::string& why,
                        std::chrono::milliseconds wait) {
    {
        sql::Database db;
        sql::Error error;
        if (!db.open(candidate, &error)) {
            why = "the archive's database cannot be opened: " + error.describe();
            return false;
        }
        // An older schema is brought up to date in the candidate, which must
        // wait until the candidate has proved sound: one step after another.
        int version = 0;
        try {
            version = db.userVersion();
        } catch (const sql::SqlError& e) {
            why = "the archive's database cannot be opened: " + e.error().describe();
            return false;
        }
        if (version != data::currentSchemaVersion()) {
            db.close();
            return checkClubDatabase(candidate, why) && replaceClubDatabase(clubDb, candidate, why, wait);
        }
        // Of our schema, it is only read from here on.
        if (!isOurs(db, why)) return false;
    }
    // The check first, on both cores, then the copy: run side by side the
    // three contend for two cores and take longer together.
    if (std::string problem; !databaseIsSound(candidate, problem)) {
        why = damaged(problem);
        return false;
    }
    DatabaseCopy copy;
    if (!copy.begin(candidate, clubDb, false, why, wait)) return false;
    return copy.commit(why);
}

}  // namespace qv::exchange
