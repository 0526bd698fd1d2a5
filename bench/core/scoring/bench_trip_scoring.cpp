// What the trip scoring form asks of the rule book while a scorer types: after
// each edit of a 60-angler trip with 12 species in the large synthetic club,
// the totals, the trip points, the handicap and progress points, and the
// working shown beside them. The goal is one frame (16 ms) per edit.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "bench/core/data/SyntheticClub.h"
#include "core/data/SystemSettings.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/data/Workstation.h"
#include "core/scoring/Explain.h"
#include "core/scoring/Seasons.h"
#include "core/scoring/TripMemberScoring.h"
#include "core/scoring/Winners.h"

namespace fs = std::filesystem;
using namespace qv;
using namespace qv::data;
using namespace qv::scoring;

namespace {

struct Trip {
    fs::path folder;
    std::unique_ptr<Store> store;
    System settings;
    session::Globals globals;
    std::unique_ptr<ScoringContext> ctx;
    TripMember tm;
    TripRef ref;
    std::vector<SummaryRow> rows;
    std::vector<TripCatch> catches;
    std::string letter = "W";

    static void check(const Status& s, const char* what) {
        if (s) return;
        std::cerr << what << ": " << s.message().title << ": " << s.message().text << '\n';
        std::exit(1);
    }

    Trip() {
        folder = fs::temp_directory_path() / ("quillavon-bench-trip-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        check(initWorkstation(folder.string()), "workstation");
        check(openWorkstation(folder.string(), store, &settings), "open");
        bench::ClubSize size;
        size.speciesPerAngler = 12;
        bench::ClubCounts counts;
        const auto t0 = std::chrono::steady_clock::now();
        check(bench::writeSyntheticClub(*store, size, counts), "club");
        std::cout << "synthetic club: " << counts.records << " records, " << counts.tripMembers
                  << " trip members, 12 species a trip member, written in "
                  << std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() << " s\n";
        for (const char* l : {"Trips", "TripMember", "TripScore", "TripCatch", "Species", "Members",
                              "GradeHistory", "NonMembers", "Season"})
            check(store->open(l), l);
        settings.FightFactorScoring = 1;
        settings.IndividualCatchesApplies = 0;
        globals.SecurityLevel = kScorerLevel;
        ctx = std::make_unique<ScoringContext>(*store, settings, globals);

        // The last trip of a season in division 2: 24 trips before it.
        Trips trip;
        trip.TripId = 3 * 25 * 16;  // season 2015, division 3's first trips come after
        check(fetchRecord(*store, trip, "byTripId"), "trip");
        ref = {trip.TripId, trip.DivisionId, std::string(trip.SeasonId)};
        check(scoring::detail::walkRecords<TripMember>(*store, "byTripId", {scoring::detail::number(trip.TripId)},
                                              [&](const TripMember& t) {
                                                  tm = t;
                                                  return false;
                                              }),
              "trip member");
        check(loadSummaryRows(*store, tm.TripMemberId, rows), "rows");
        // As "Score Trip >>" does before the form opens.
        check(BuildPriorTripWinners(*ctx, ref.tripId, ref.divisionId, ref.seasonId).status, "winners");
        for (const SummaryRow& r : rows) {
            TripCatch c;
            c.TripMemberId = tm.TripMemberId;
            c.SpeciesId = r.speciesId;
            c.SpeciesName = r.speciesName;
            c.SpeciesWeight = Decimal::fromUnits(1234, 3);
            c.LineClass = Decimal::fromUnits(600, 2);
            c.FightFactor = r.fightFactor;
            check(insertRecord(*store, c), "catch");
            catches.push_back(c);
        }
        std::cout << "trip " << ref.tripId << " of season " << ref.seasonId << ", division "
                  << ref.divisionId << ": trip member " << tm.TripMemberId << " with " << rows.size()
                  << " species rows, " << ctx->priorTripWinners.rows.size()
                  << " earlier grade winners\n";
    }
    ~Trip() {
        ctx.reset();
        store.reset();
        fs::remove_all(folder);
    }
};

Trip& trip() {
    static Trip t;
    return t;
}

// An edit of one summary row, then everything the form shows anew.
void BM_RescoreAfterSummaryEdit(benchmark::State& state) {
    Trip& t = trip();
    Working working;
    int i = 0;
    for (auto _ : state) {
        SummaryRow& row = t.rows[static_cast<size_t>(i++ % static_cast<int>(t.rows.size()))];
        row.weight = row.weight + Decimal::fromUnits(1, 3);
        Trip::check(SummaryTotals(*t.ctx, t.rows, t.letter, t.tm).status, "totals");
        Trip::check(ScoreFromSummary(*t.ctx, t.rows, t.letter, t.tm).status, "points");
        Trip::check(WinnerHandicapAndProgress(*t.ctx, t.tm, t.ref).status, "progress");
        Trip::check(ExplainScore(*t.ctx, t.tm, {}, t.rows, working), "working");
    }
    state.counters["frame_ms"] = 16;
}
BENCHMARK(BM_RescoreAfterSummaryEdit)->Unit(benchmark::kMillisecond);

// An edit of one catch, then the tab change: the catches scored (and the
// changed one written), the rows rebuilt, and the rest as above.
void BM_RescoreAfterCatchEdit(benchmark::State& state) {
    Trip& t = trip();
    System s = t.settings;
    s.IndividualCatchesApplies = 1;
    t.ctx->setSettings(s);
    Working working;
    std::vector<Species> species(t.catches.size());
    for (size_t k = 0; k < t.catches.size(); ++k) {
        species[k].SpeciesId = t.catches[k].SpeciesId;
        species[k].SpeciesName = t.catches[k].SpeciesName;
    }
    int i = 0;
    for (auto _ : state) {
        TripCatch& c = t.catches[static_cast<size_t>(i++ % static_cast<int>(t.catches.size()))];
        Trip::check(fetchRecord(*t.store, c, "byTripCatchId"), "catch");  // scored since
        c.SpeciesWeight = c.SpeciesWeight + Decimal::fromUnits(1, 3);
        Trip::check(updateRecord(*t.store, c), "catch");
        summaryFromCatches(t.rows, t.catches, species);
        Trip::check(ScoreFromCatches(*t.ctx, t.tm, t.letter).status, "points");
        Trip::check(SummaryTotals(*t.ctx, t.rows, t.letter, t.tm).status, "totals");
        Trip::check(WinnerHandicapAndProgress(*t.ctx, t.tm, t.ref).status, "progress");
        Trip::check(ExplainScore(*t.ctx, t.tm, t.catches, t.rows, working), "working");
    }
    t.ctx->setSettings(t.settings);
    state.counters["frame_ms"] = 16;
}
BENCHMARK(BM_RescoreAfterCatchEdit)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    trip();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
