// Writes a large synthetic club through the file layer and walks it along
// keys. Prints records per second for both.
//
// Goals: at least 200,000 records a second written (all checks on) and at
// least 1,000,000 a second read along a key.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <iostream>

#include "bench/core/data/SyntheticClub.h"
#include "core/data/SystemSettings.h"
#include "core/data/Workstation.h"

namespace fs = std::filesystem;
using namespace qv::data;

namespace {

struct Folder {
    fs::path path;
    Folder() {
        path = fs::temp_directory_path() / ("quillavon-bench-" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
};

Folder& folder() {
    static Folder f;
    return f;
}

bool g_written = false;

void BM_WriteClub(benchmark::State& state) {
    for (auto _ : state) {
        fs::remove_all(folder().path);
        fs::create_directories(folder().path);
        if (!initWorkstation(folder().path.string())) state.SkipWithError("init failed");
        std::unique_ptr<Store> store;
        if (!openWorkstation(folder().path.string(), store)) state.SkipWithError("open failed");
        qv::bench::ClubCounts counts;
        auto t0 = std::chrono::steady_clock::now();
        Status s = qv::bench::writeSyntheticClub(*store, {}, counts);
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (!s) state.SkipWithError((s.message().title + ": " + s.message().text).c_str());
        state.SetIterationTime(secs);
        state.counters["records"] = static_cast<double>(counts.records);
        state.counters["trip_members"] = static_cast<double>(counts.tripMembers);
        state.counters["trip_scores"] = static_cast<double>(counts.tripScores);
        state.counters["records_per_s"] = counts.records / secs;
        std::cout << "write: " << counts.records << " records in " << secs << " s = "
                  << static_cast<long>(counts.records / secs) << " records/s (goal 200000)\n";
        g_written = s.isOk();
    }
}

void walkKey(benchmark::State& state, const char* label, const char* key) {
    if (!g_written) {
        state.SkipWithError("the club was not written");
        return;
    }
    std::unique_ptr<Store> store;
    if (!openWorkstation(folder().path.string(), store)) state.SkipWithError("open failed");
    store->open(label);
    Record rec = store->newRecord(label);
    for (auto _ : state) {
        int64_t n = 0;
        auto t0 = std::chrono::steady_clock::now();
        Cursor c = store->walk(label, key);
        while (c.next(rec).isOk()) ++n;
        double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(secs);
        state.counters["records"] = static_cast<double>(n);
        state.counters["records_per_s"] = n / secs;
        std::cout << "read " << label << " along " << key << ": " << n << " records in " << secs
                  << " s = " << static_cast<long>(n / secs) << " records/s (goal 1000000)\n";
    }
}

void BM_ReadTripScoreByTripMember(benchmark::State& state) {
    walkKey(state, "TripScore", "byTripMemberId");
}
void BM_ReadTripScoreByPrimaryKey(benchmark::State& state) {
    walkKey(state, "TripScore", "byTripScoreId");
}
void BM_ReadTripMemberByMemberTrip(benchmark::State& state) {
    walkKey(state, "TripMember", "byMemberIdbyTripId");
}

}  // namespace

BENCHMARK(BM_WriteClub)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_ReadTripScoreByTripMember)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTripScoreByPrimaryKey)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTripMemberByMemberTrip)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
