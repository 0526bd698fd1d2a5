#pragma once
// The club database as a whole: a consistent copy or archive of it, the
// check that a database brought in is a club database this program can
// open, and the replacement of the club's data by such a database.

#include <chrono>
#include <string>

#include "core/exchange/Archive.h"

namespace qv::exchange {

// How long a copy waits for other stations' locks before it gives up.
inline constexpr std::chrono::milliseconds kLockWait{20000};

// The name of the club database inside every archive.
inline constexpr const char* kClubDatabaseName = "QUILLAVON.DB";

// Packs the club database `clubDb` into `archive` as it stands at one
// moment, read straight from its file under a read lock held while it is
// packed: other stations go on reading, one that writes waits until the
// packing is done. Waits up to `wait` for a station in the middle of
// writing. 0 or the archive error number, with the reason.
int packClubDatabase(const std::string& clubDb, const std::string& archive, Packing packing, std::string& why,
                     std::chrono::milliseconds wait = kLockWait);

// Whether `candidate` is a sound club database of ours: SQLite's integrity
// check passes, the schema version is not newer than this program's, the
// tables, columns and indexes are ours and there are no triggers or views.
// An older schema of ours is brought up to date in `candidate` itself, so
// pass a copy. False with the reason.
bool checkClubDatabase(const std::string& candidate, std::string& why);

// Replaces the data of `clubDb` by that of `source` in one transaction under
// the database's own locking: another station sees the old data or the new,
// never a mixture. `clubDb` stays as it was when this fails (for instance
// while another station still holds a lock after `wait`). False with the reason.
bool replaceClubDatabase(const std::string& clubDb, const std::string& source, std::string& why,
                         std::chrono::milliseconds wait = kLockWait);

// The two above in one: replaces the data of `clubDb` by that of `candidate`
// once it has proved a sound club database of ours. A database of this
// program's schema is only read: its schema is looked at first, then its
// integrity; an older schema is checked, brought up to date and then
// copied. `clubDb` stays as it was on any failure. False with the reason.
bool importClubDatabase(const std::string& clubDb, const std::string& candidate, std::string& why,
                        std::chrono::milliseconds wait = kLockWait);

}  // namespace qv::exchange
