#pragma once
// SQLite's full integrity check of a database file, shared out over the
// processor's cores.

#include <string>

namespace qv::exchange {

// Whether the database at `path` passes SQLite's whole integrity check:
// every page used exactly once, every b-tree well formed, every index
// holding exactly the rows of its table, and the UNIQUE, NOT NULL and CHECK
// constraints kept. The work is the file-wide quick check plus the check of
// each table with its indexes, run by up to `workers` threads (0: one per
// core), each with a read-only connection of its own. False with SQLite's
// first complaint in `problem`.
bool databaseIsSound(const std::string& path, std::string& problem, unsigned workers = 0);

}  // namespace qv::exchange
