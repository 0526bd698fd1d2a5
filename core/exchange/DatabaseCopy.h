#pragma once
// A page-for-page copy of one SQLite database over another, made in the
// target's own write transaction: the target is locked against other
// connections from the beginning of the copy to its end, and a copy that is
// not committed is rolled back, leaving the target as it was.

#include <sqlite3.h>

#include <chrono>
#include <string>

#include "core/exchange/RawConnection.h"

namespace qv::exchange {

class DatabaseCopy {
public:
    DatabaseCopy() = default;
    DatabaseCopy(const DatabaseCopy&) = delete;
    DatabaseCopy& operator=(const DatabaseCopy&) = delete;
    // A copy begun and not committed is rolled back.
    ~DatabaseCopy();

    // Opens `source` and `target` (made when `create`) and copies every page
    // but the last into the target's open transaction, waiting up to `wait`
    // for a station that holds a lock. False with the reason.
    bool begin(const std::string& source, const std::string& target, bool create, std::string& why,
               std::chrono::milliseconds wait);
    // Copies the rest and commits. False with the reason, the target left as it was.
    bool commit(std::string& why);

private:
    // Copies until `left` pages are left (0: all, and commits), waiting up
    // to the wait while a lock is held elsewhere.
    int copyUntil(int left);
    bool failed(int rc, std::string& why);

    RawConnection from_, to_;
    sqlite3_backup* backup_ = nullptr;
    std::string target_;
    std::chrono::milliseconds wait_{0};
};

}  // namespace qv::exchange
