// The season recalculation on a large synthetic club: the one-pass algorithm
// against the plain one (same run, same season, identical results required),
// then the standings and trip grade winners per call.
//
// Goal: the recalculation at least 50 times faster than the plain one.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>

#include "bench/core/data/SyntheticClub.h"
#include "core/data/SystemSettings.h"
#include "core/data/Workstation.h"
#include "core/scoring/Recalculation.h"
#include "core/scoring/Standings.h"
#include "core/scoring/Winners.h"
#include "tests/core/scoring/QuadraticOracle.h"

namespace fs = std::filesystem;
using namespace qv;
using namespace qv::data;
using namespace qv::scoring;

namespace {

const char* const kSeason = "2015";

struct Club {
    fs::path folder;
    std::unique_ptr<Store> store;
    System settings;
    session::Globals globals;
    std::unique_ptr<ScoringContext> ctx;
    int32_t someTrip = 0;

    Club() {
        folder = fs::temp_directory_path() / ("quillavon-bench-scoring-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        check(initWorkstation(folder.string()), "workstation");
        check(openWorkstation(folder.string(), store, &settings), "open");
        bench::ClubCounts counts;
        auto t0 = std::chrono::steady_clock::now();
        check(bench::writeSyntheticClub(*store, bench::ClubSize{}, counts), "club");
        std::cout << "synthetic club: " << counts.records << " records, " << counts.tripMembers
                  << " trip members, written in " << seconds(t0) << " s\n";
        globals.SecurityLevel = kScorerLevel;
        ctx = std::make_unique<ScoringContext>(*store, settings, globals);
        for (const char* l : {"Trips", "TripMember", "Members", "GradeHistory", "NonMembers", "Season"})
            check(store->open(l), l);
    }
    ~Club() {
        ctx.reset();
        store.reset();
        fs::remove_all(folder);
    }
    static double seconds(std::chrono::steady_clock::time_point t0) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    static void check(const Status& s, const char* what) {
        if (s) return;
        std::cerr << what << ": " << s.message().title << ": " << s.message().text << '\n';
        std::exit(1);
    }
    std::map<int32_t, Decimal> progress() {
        std::map<int32_t, Decimal> out;
        check(qvtest::oracle::walkAll<TripMember>(*store, "byTripMemberId", {}, [&](const TripMember& tm) {
                  out[tm.TripMemberId] = tm.ProgressPoints;
                  return true;
              }), "read");
        return out;
    }
    void restore(const std::map<int32_t, Decimal>& before, const std::map<int32_t, Decimal>& now) {
        check(store->inTransaction(Location::Club, [&]() -> Status {
                  for (const auto& [id, p] : before) {
                      if (now.at(id) == p) continue;
                      TripMember tm;
                      tm.TripMemberId = id;
                      if (Status s = fetchRecord(*store, tm, "byTripMemberId"); !s) return s;
                      tm.ProgressPoints = p;
                      if (Status s = updateRecord(*store, tm); !s) return s;
                  }
                  return Status::ok();
              }), "restore");
    }
};

Club& club() {
    static Club c;
    return c;
}

// One timed run of each algorithm on the same season from the same stored
// state: first with every progress point stale (both write every trip
// member), then with all of them up to date.
bool compareOnce(const char* state) {
    Club& c = club();
    const std::map<int32_t, Decimal> before = c.progress();

    auto t0 = std::chrono::steady_clock::now();
    Club::check(qvtest::quadraticRecalculation(*c.store, kSeason), "plain");
    const double plain = Club::seconds(t0);
    const std::map<int32_t, Decimal> expected = c.progress();
    c.restore(before, expected);

    RecalculationCounts n;
    t0 = std::chrono::steady_clock::now();
    Club::check(RecalculateSeasonProgress(*c.ctx, kSeason, &n), "one pass");
    const double fast = Club::seconds(t0);
    const std::map<int32_t, Decimal> got = c.progress();

    const bool same = got == expected;
    std::cout << state << ", season " << kSeason << ": " << n.trips << " trips, " << n.tripMembers
              << " trip members (" << n.rewritten << " rewritten)\n"
              << "  plain recalculation:    " << plain << " s\n"
              << "  one-pass recalculation: " << fast << " s\n"
              << "  ratio:                  " << plain / fast << " x\n"
              << "  results identical:      " << (same ? "yes" : "NO") << "\n";
    if (!same) std::exit(1);
    return n.rewritten > 0;
}

void compare() {
    Club& c = club();
    const std::map<int32_t, Decimal> stale = c.progress();
    if (!compareOnce("progress points stale")) std::cout << "  (nothing was stale)\n";
    compareOnce("progress points up to date");
    c.restore(stale, c.progress());
    // Find a trip of the season for the winners benchmark.
    qvtest::oracle::walkAll<Trips>(*c.store, "bySeasonId", {FieldValue{0, kSeason}}, [&](const Trips& t) {
        c.someTrip = t.TripId;
        return false;
    });
}

void BM_RecalculateSeason(benchmark::State& state) {
    Club& c = club();
    for (auto _ : state) Club::check(RecalculateSeasonProgress(*c.ctx, kSeason), "recalc");
}
BENCHMARK(BM_RecalculateSeason)->Unit(benchmark::kMillisecond);

void BM_BuildSubGradeStandings(benchmark::State& state) {
    Club& c = club();
    for (auto _ : state) Club::check(BuildSubGradeStandings(*c.ctx, 2, kSeason), "standings");
    state.counters["placings"] = static_cast<double>(c.ctx->subGradeStandings.size());
}
BENCHMARK(BM_BuildSubGradeStandings)->Unit(benchmark::kMillisecond);

void BM_BuildTripGradeWinners(benchmark::State& state) {
    Club& c = club();
    for (auto _ : state) Club::check(BuildTripGradeWinners(*c.ctx, c.someTrip), "winners");
    state.counters["winners"] = static_cast<double>(c.ctx->tripGradeWinners.size());
}
BENCHMARK(BM_BuildTripGradeWinners)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    compare();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
