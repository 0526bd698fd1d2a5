#pragma once
// What every benchmark on the synthetic club does alike: a workstation
// folder with its store open, the clocks, and a stop on the first failure.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "core/data/Store.h"
#include "core/data/SystemSettings.h"

namespace qv::bench {

using Clock = std::chrono::steady_clock;

// Wall seconds since `t0`.
double since(Clock::time_point t0);
// The process's processor time in seconds: on a busy machine the wall clock
// also counts the time others had the processor.
double cpuNow();
// Stops the benchmark with "failed: what" when `ok` is false.
void check(bool ok, const std::string& what);

// The best wall and processor times of a stage over its runs.
struct Best {
    double wall = 1e9, cpu = 1e9;
};

// Times one run of a stage into `best` for the life of the object.
class Timing {
public:
    explicit Timing(Best& best) : best_(best), wall_(Clock::now()), cpu_(cpuNow()) {}
    ~Timing();
    Timing(const Timing&) = delete;
    Timing& operator=(const Timing&) = delete;

private:
    Best& best_;
    Clock::time_point wall_;
    double cpu_;
};

// A benchmark's workstation and its open store.
struct BenchWorkstation {
    std::filesystem::path folder;
    bool kept = false;   // a folder the caller named, left in place afterwards
    bool reuse = false;  // that folder already holds a club from an earlier run
    std::unique_ptr<data::Store> store;
    data::System settings;
    // Removes the folder unless it was kept.
    ~BenchWorkstation();
};

// Opens `keep` when given, reusing the club already there; otherwise a new
// temporary folder "quillavon-bench-<name>-<pid>", removed at the end.
void openBenchWorkstation(const std::string& name, const char* keep, BenchWorkstation& out);

}  // namespace qv::bench
