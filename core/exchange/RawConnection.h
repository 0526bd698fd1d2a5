#pragma once
// A bare SQLite connection to an existing database file, for the work on
// whole database files (copies, checks, archives): none of the settings of
// the club's store, and closed with its owner.

#include <sqlite3.h>

#include <string>

namespace qv::exchange {

struct RawConnection {
    sqlite3* db = nullptr;
    RawConnection() = default;
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;
    ~RawConnection() { sqlite3_close(db); }

    // Opens `path` with `flags` (SQLITE_OPEN_READONLY, ...); false with the reason.
    bool open(const std::string& path, int flags, std::string& why) {
        const int rc = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc == SQLITE_OK) return true;
        why = path + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        return false;
    }
};

}  // namespace qv::exchange
