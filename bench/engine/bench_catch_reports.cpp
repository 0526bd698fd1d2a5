// The catch, certificate and team points reports on the large synthetic
// club (1000 members, 30 seasons, 60 anglers a trip, individual catches and
// teams in the last season): for each report the data files, the
// definition run, the page layout and the PDF, each timed.
//
// Goal: every report under 0.5 s from its data files to its PDF.

#include <QGuiApplication>

#include <cstdlib>
#include <iomanip>
#include <iostream>

#include "bench/core/data/BenchSupport.h"
#include "bench/core/data/SyntheticClub.h"
#include "bench/engine/ReportStages.h"
#include "core/data/Typed.h"
#include "core/reports/CatchRelease.h"
#include "core/reports/CatchReports.h"
#include "core/reports/Certificate.h"
#include "core/reports/TeamPoints.h"
#include "engine/ReportEngine.h"

using namespace qv;
using bench::check;
using bench::since;

namespace {

using Builder = data::Status (*)(scoring::ScoringContext&, const std::string&, reports::ReportRun&);
struct Bench {
    const char* name;
    Builder build;
};
const Bench kReports[] = {
    {"trip catch details", reports::BuildTripCatchReport},
    {"caught by fly", reports::BuildFlyReport},
    {"biggest species", reports::BuildBiggestSpeciesReport},
    {"trip biggest species", reports::BuildTripBiggestSpeciesReport},
    {"points by line class", reports::BuildLineClassReport},
    {"catch and release", reports::BuildCatchReleaseReport},
    {"certificate", reports::BuildCertificate},
    {"trip team points", reports::BuildTeamPoints},
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // QUILLAVON_BENCH_KEEP=FOLDER keeps the club in FOLDER and uses it again
    // on the next run, for trying definitions without writing it each time.
    bench::BenchWorkstation ws;
    bench::openBenchWorkstation("catch", std::getenv("QUILLAVON_BENCH_KEEP"), ws);
    const std::unique_ptr<data::Store>& store = ws.store;
    data::System& settings = ws.settings;
    const std::filesystem::path& folder = ws.folder;
    const bool reuse = ws.reuse;
    settings.ReportTeamPointsApply = 1;
    bench::ClubSize size;
    size.catchesPerAngler = 4;
    size.teamsPerTrip = 4;
    bench::ClubCounts counts;
    const auto t0 = bench::Clock::now();
    if (!reuse) {
        check(bench::writeSyntheticClub(*store, size, counts).isOk(), "club");
        std::cout << "synthetic club: " << counts.records << " records (" << counts.tripCatches
                  << " catches in the last season), written in " << since(t0) << " s\n";
    }

    // Division 1 of the last season, its last trip, and a member who fished it.
    session::Globals g;
    g.SecurityLevel = "Administrator";
    g.OrganisationName = "Synthetic Angling Club";
    g.DivisionId = 1;
    g.SeasonId = std::to_string(2000 + size.seasons - 1);
    g.TripId = size.seasons * size.divisions * size.tripsPerSeasonAndDivision -
               (size.divisions - 1) * size.tripsPerSeasonAndDivision;
    {
        data::FileUse use(*store, "TripMember");
        data::Record r = store->newRecord("TripMember");
        std::unique_ptr<data::Cursor> cursor;
        check(store->walk("TripMember", "byTripId", {data::FieldValue{g.TripId, {}}}, false, cursor).isOk() &&
                  cursor->next(r).isOk(),
              "a member of the trip");
        g.MemberId = static_cast<int32_t>(r.number(2));
    }
    scoring::ScoringContext ctx(*store, settings, g);

    std::cout << "each report, best of 3, wall clock (processor time) in ms:\n"
              << "  report                  data files    definition        layout        PDF           total\n";
    const char* only = std::getenv("QUILLAVON_BENCH_ONLY");  // one report by name
    for (const Bench& b : kReports) {
        if (only && std::string(only) != b.name) continue;
        bench::Best build;
        bench::EngineStages stages;
        for (int run = 0; run < 3; ++run) {
            reports::ReportRun r;
            {
                bench::Timing t(build);
                check(b.build(ctx, folder.string(), r).isOk() && r.dataFlag == 'Y', std::string("build ") + b.name);
            }
            const engine::EngineSetup setup{folder.string(), engine::installedDefinitionFolders(argv[0]),
                                               {g.OrganisationName.str(), r.windowTitle, "07/12/2026"}};
            bench::timeEngineStages(setup, r, folder / "catch.pdf", stages);
        }
        const bench::Best best[] = {build, stages.definition, stages.layout, stages.pdf};
        const int pages = stages.pageCount;
        double totalWall = 0, totalCpu = 0;
        std::cout << std::fixed << std::setprecision(0) << "  " << std::left << std::setw(22) << b.name << std::right;
        for (int k = 0; k < 4; ++k) {
            totalWall += best[k].wall;
            totalCpu += best[k].cpu;
            std::cout << std::setw(7) << best[k].wall * 1000 << " (" << std::setw(5) << best[k].cpu * 1000 << ")";
        }
        std::cout << std::setw(7) << totalWall * 1000 << " (" << std::setw(5) << totalCpu * 1000 << ")  " << pages
                  << (pages == 1 ? " page" : " pages") << (totalCpu < 0.5 ? "" : ", over the 500 ms goal") << '\n';
    }
    return 0;
}
