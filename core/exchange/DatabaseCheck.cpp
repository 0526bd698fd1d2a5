#include "core/exchange/DatabaseCheck.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "core/exchange/RawConnection.h"

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

std::string textOf(sqlite3_stmt* st, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    return text ? text : "";
}

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
bool planJobs(const std::string& path, std::vector<Job>& jobs, std::string& problem) {
    RawConnection c;
    if (!c.open(path, SQLITE_OPEN_READONLY, problem)) return false;
    sqlite3* db = c.db;
    std::map<std::string, int> indexes;  // table -> its indexes
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db, "SELECT type, tbl_name FROM sqlite_schema WHERE type IN ('table', 'index')", -1,
                                &st, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        indexes[textOf(st, 1)] += textOf(st, 0) == "index" ? 1 : 0;
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

}  // namespace

struct DatabaseCheck::Shared {
    std::string path;
    std::vector<Job> jobs;
    std::atomic<size_t> next{0};
    std::atomic<bool> stop{false};  // a fault was found, or the result is no longer wanted
    std::mutex mutex;
    bool failed = false;
    std::string problem;

    // Takes pieces until none is left or the check is to stop.
    void work() {
        RawConnection c;
        std::string complaint;
        if (!c.open(path, SQLITE_OPEN_READONLY, complaint)) return fault(complaint);
        // Each piece reads pages many times over: the whole file mapped, and
        // room in the page cache for what is read the ordinary way.
        sqlite3_exec(c.db, "PRAGMA cache_size = -262144; PRAGMA mmap_size = 1073741824", nullptr, nullptr, nullptr);
        // A worker stops in mid-piece once it is to stop.
        sqlite3_progress_handler(
            c.db, 10000, [](void* f) { return static_cast<std::atomic<bool>*>(f)->load() ? 1 : 0; }, &stop);
        for (size_t i; !stop && (i = next++) < jobs.size();)
            if (!run(c.db, jobs[i].sql, complaint)) return fault(complaint);
    }

    static bool run(sqlite3* db, const std::string& sql, std::string& complaint) {
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_step(st);
        const bool ok = rc == SQLITE_ROW && textOf(st, 0) == "ok";
        if (!ok) complaint = rc == SQLITE_ROW ? textOf(st, 0) : sqlite3_errmsg(db);
        sqlite3_finalize(st);
        return ok;
    }

    void fault(const std::string& complaint) {
        std::lock_guard<std::mutex> lock(mutex);
        stop = true;
        if (failed) return;  // the first fault is the one told
        failed = true;
        problem = complaint;
    }
};

DatabaseCheck::DatabaseCheck(const std::string& path, unsigned workers) : shared_(std::make_unique<Shared>()) {
    Shared& s = *shared_;
    s.path = path;
    if (workers == 0) workers = std::max(1u, std::thread::hardware_concurrency());
    if (workers == 1) {
        // Alone, the whole check in one piece reads each b-tree once.
        s.jobs.push_back({"PRAGMA integrity_check", 1});
    } else if (std::string complaint; !planJobs(path, s.jobs, complaint)) {
        s.fault(complaint);
        return;
    }
    workers = static_cast<unsigned>(std::min<size_t>(workers, s.jobs.size()));
    for (unsigned i = 0; i < workers; ++i) workers_.emplace_back([&s] { s.work(); });
}

DatabaseCheck::~DatabaseCheck() {
    shared_->stop = true;
    for (std::thread& t : workers_)
        if (t.joinable()) t.join();
}

bool DatabaseCheck::sound(std::string& problem) {
    for (std::thread& t : workers_)
        if (t.joinable()) t.join();
    problem = shared_->problem;
    return !shared_->failed;
}

bool databaseIsSound(const std::string& path, std::string& problem, unsigned workers) {
    return DatabaseCheck(path, workers).sound(problem);
}

}  // namespace qv::exchange
