#pragma once
// SQLite's whole integrity check of a database file, run on threads of its
// own so that the caller can go on with other work meanwhile.

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace qv::exchange {

// The check covers every page used exactly once, every b-tree well formed,
// every index holding exactly the rows of its table, and the UNIQUE, NOT
// NULL and CHECK constraints kept. One worker runs it as one piece; more
// share out the file-wide quick check and the check of each table with its
// indexes, each worker with a read-only connection of its own.
class DatabaseCheck {
public:
    // Starts checking `path` on `workers` threads (0: one per core).
    explicit DatabaseCheck(const std::string& path, unsigned workers = 0);
    // Stops the workers early when the result was not asked for.
    ~DatabaseCheck();
    DatabaseCheck(const DatabaseCheck&) = delete;
    DatabaseCheck& operator=(const DatabaseCheck&) = delete;

    // Waits for the end of the check. False with SQLite's first complaint.
    bool sound(std::string& problem);

    struct Shared;

private:
    std::unique_ptr<Shared> shared_;
    std::vector<std::thread> workers_;
};

// The check run to its end.
bool databaseIsSound(const std::string& path, std::string& problem, unsigned workers = 0);

}  // namespace qv::exchange
