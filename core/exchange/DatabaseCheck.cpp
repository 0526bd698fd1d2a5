#include "core/exchange/DatabaseCheck.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace qv::exchange {

namespace {

// One piece of the check, with a guess at its cost so that the largest
// pieces are handed out first.
struct Job {
    std::string sql;
    int64_t cost = 0;
};

std::string quoted(const std::string& text, char quote) {
    std::string s(1, quote);
    for (char c : text) {
        s += c;
        if (c == quote) s += quote;
    }
    return s + quote;
}

struct Connection {
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close(db); }
    bool open(const std::string& path, std::string& problem) {
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK)
            return true;
        problem = db ? sqlite3_errmsg(db) : "out of memory";
        return false;
    }
};

// The rows of a table as far as its largest record number tells, without
// reading them; 0 when it cannot tell (a table without record numbers).
int64_t rowsOf(sqlite3* db, const std::string& table) {
    sqlite3_stmt* st = nullptr;
    int64_t rows = 0;
    const std::string sql = "SELECT max(rowid) FROM " + quoted(table, '"');
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        rows = std::max<int64_t>(0, sqlite3_column_int64(st, 0));
    sqlite3_finalize(st);
    return rows;
}

// The file-wide quick check (the pages, the b-trees and the NOT NULL and
// CHECK constraints) and, per table, the check of its rows against its
// indexes and the UNIQUE constraints. Together they are the whole check.
bool planJobs(sqlite3* db, std::vector<Job>& jobs, std::string& problem) {
    std::map<std::string, int> indexes;  // table -> its indexes
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db, "SELECT type, tbl_name FROM sqlite_schema WHERE type IN ('table', 'index')", -1,
                                &st, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
        const bool isIndex = std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == "index";
        indexes[name ? name : ""] += isIndex ? 1 : 0;
        rc = SQLITE_OK;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) {
        problem = sqlite3_errmsg(db);
        return false;
    }
    int64_t rows = 0;
    for (const auto& [table, count] : indexes) {
        const int64_t n = rowsOf(db, table) + 1;
        rows += n;
        jobs.push_back({"PRAGMA integrity_check(" + quoted(table, '\'') + ")", n * (1 + count)});
    }
    // The quick check walks every page once, about as long as looking up
    // each row in one index.
    jobs.push_back({"PRAGMA quick_check", rows});
    std::stable_sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) { return a.cost > b.cost; });
    return true;
}

class SharedCheck {
public:
    SharedCheck(const std::string& path, std::vector<Job> jobs) : path_(path), jobs_(std::move(jobs)) {}

    // Takes pieces until none is left or a fault has been found anywhere.
    void work() {
        Connection c;
        std::string problem;
        if (!c.open(path_, problem)) return fault(problem);
        // Each piece reads pages many times over: the whole file mapped, and
        // room in the page cache for what is read the ordinary way.
        sqlite3_exec(c.db, "PRAGMA cache_size = -262144; PRAGMA mmap_size = 1073741824", nullptr, nullptr, nullptr);
        // A worker stops in mid-piece once another has found a fault.
        sqlite3_progress_handler(
            c.db, 10000, [](void* f) { return static_cast<std::atomic<bool>*>(f)->load() ? 1 : 0; }, &failed_);
        for (size_t i; !failed_ && (i = next_++) < jobs_.size();)
            if (!run(c.db, jobs_[i].sql, problem)) return fault(problem);
    }

    bool sound(std::string& problem) const {
        problem = problem_;
        return !failed_;
    }

private:
    static bool run(sqlite3* db, const std::string& sql, std::string& problem) {
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_step(st);
        const bool ok = rc == SQLITE_ROW && std::string_view(reinterpret_cast<const char*>(
                                                sqlite3_column_text(st, 0))) == "ok";
        if (!ok)
            problem = rc == SQLITE_ROW ? reinterpret_cast<const char*>(sqlite3_column_text(st, 0))
                                       : sqlite3_errmsg(db);
        sqlite3_finalize(st);
        return ok;
    }

    void fault(const std::string& problem) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (failed_.exchange(true)) return;  // the first fault is the one told
        problem_ = problem;
    }

    std::string path_;
    std::vector<Job> jobs_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> failed_{false};
    std::mutex mutex_;
    std::string problem_;
};

}  // namespace

bool databaseIsSound(const std::string& path, std::string& problem, unsigned workers) {
    std::vector<Job> jobs;
    {
        Connection c;
        if (!c.open(path, problem) || !planJobs(c.db, jobs, problem)) return false;
    }
    if (workers == 0) workers = std::max(1u, std::thread::hardware_concurrency());
    workers = static_cast<unsigned>(std::min<size_t>(workers, jobs.size()));
    SharedCheck check(path, std::move(jobs));
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < workers; ++i) helpers.emplace_back([&check] { check.work(); });
    check.work();
    for (std::thread& t : helpers) t.join();
    return check.sound(problem);
}

}  // namespace qv::exchange
