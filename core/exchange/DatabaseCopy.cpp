#include "core/exchange/DatabaseCopy.h"

#include <algorithm>
#include <thread>

namespace qv::exchange {

DatabaseCopy::~DatabaseCopy() {
    if (backup_) sqlite3_backup_finish(backup_);
}

int DatabaseCopy::copyUntil(int left) {
    const auto giveUp = std::chrono::steady_clock::now() + wait_;
    for (;;) {
        // The first step copies nothing: it takes the locks and counts the pages.
        const int pages = left == 0 ? -1 : std::max(0, sqlite3_backup_remaining(backup_) - left);
        const int rc = sqlite3_backup_step(backup_, pages);
        if (rc == SQLITE_OK && sqlite3_backup_remaining(backup_) > left) continue;
        // A station holding a lock on either side is waited for a while; the
        // copy goes on from where it was.
        if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
            continue;
        }
        return rc;
    }
}

bool DatabaseCopy::failed(int rc, std::string& why) {
    why = target_ + ": " + sqlite3_errstr(rc) +
          (rc == SQLITE_BUSY || rc == SQLITE_LOCKED
               ? "; another station is using the data, ensure all users are out of the system"
               : "");
    sqlite3_backup_finish(backup_);
    backup_ = nullptr;
    return false;
}

bool DatabaseCopy::begin(const std::string& source, const std::string& target, bool create, std::string& why,
                         std::chrono::milliseconds wait) {
    target_ = target;
    wait_ = wait;
    if (!from_.open(source, SQLITE_OPEN_READONLY, why) ||
        !to_.open(target, SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0), why))
        return false;
    // Short: the steps wait for locks in their own loop.
    sqlite3_busy_timeout(from_.db, 250);
    sqlite3_busy_timeout(to_.db, 250);
    // Room for the copied pages until the commit: a cache that overflows
    // writes pages early, each time after a flush of the journal.
    sqlite3_exec(to_.db, "PRAGMA cache_size = -262144", nullptr, nullptr, nullptr);
    backup_ = sqlite3_backup_init(to_.db, "main", from_.db, "main");
    if (!backup_) {
        why = target + ": " + sqlite3_errmsg(to_.db);
        return false;
    }
    // All but the last page: the target's write transaction stays open
    // until the last one is copied.
    const int rc = copyUntil(1);
    return rc == SQLITE_OK || failed(rc, why);
}

bool DatabaseCopy::commit(std::string& why) {
    if (!backup_) {
        why = target_ + ": no copy was begun";
        return false;
    }
    const int rc = copyUntil(0);
    if (rc != SQLITE_DONE) return failed(rc, why);
    const int finished = sqlite3_backup_finish(backup_);
    backup_ = nullptr;
    if (finished != SQLITE_OK) {
        why = target_ + ": " + sqlite3_errstr(finished);
        return false;
    }
    return true;
}

}  // namespace qv::exchange
