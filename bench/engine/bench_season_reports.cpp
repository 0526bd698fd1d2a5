// The season, progressive and championship points reports of one division
// and season in the large synthetic club: the data file, the definition
// run (HTML), the layout (with the season race charts drawn) and the PDF,
// each timed.
//
// Goal: each report under 0.5 s in all.

#include <QGuiApplication>

#include <cstdlib>
#include <iomanip>
#include <iostream>

#include "bench/core/data/BenchSupport.h"
#include "bench/core/data/SyntheticClub.h"
#include "bench/engine/ReportStages.h"
#include "core/reports/PointsReport.h"
#include "core/reports/SeasonReport.h"
#include "engine/ReportEngine.h"

using namespace qv;
using bench::check;
using bench::since;

namespace {

using Builder = data::Status (*)(scoring::ScoringContext&, const std::string&, reports::ReportRun&);
struct Report {
    const char* name;
    Builder build;
};
const Report kReports[] = {
    {"season", reports::BuildSeasonReport},
    {"progress", reports::BuildProgressPointsReport},
    {"championship", reports::BuildChampionshipPointsReport},
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // QUILLAVON_BENCH_KEEP=FOLDER keeps the club in FOLDER and uses it again
    // on the next run.
    bench::BenchWorkstation ws;
    bench::openBenchWorkstation("season", std::getenv("QUILLAVON_BENCH_KEEP"), ws);
    data::Store& store = *ws.store;
    bench::ClubSize size;
    bench::ClubCounts counts;
    const auto t0 = bench::Clock::now();
    if (!ws.reuse) {
        check(bench::writeSyntheticClub(store, size, counts).isOk(), "club");
        std::cout << "synthetic club: " << counts.records << " records, written in " << since(t0) << " s\n";
    }

    // The last season's second division: 25 trips of 60 anglers from 1000 members.
    session::Globals g;
    g.SecurityLevel = "Member";
    g.OrganisationName = "Synthetic Angling Club";
    g.DivisionId = 2;
    g.SeasonId = std::to_string(2000 + size.seasons - 1);
    scoring::ScoringContext ctx(store, ws.settings, g);

    std::cout << std::fixed << std::setprecision(1);
    for (const Report& report : kReports) {
        bench::Best build;
        bench::EngineStages stages;
        for (int run = 0; run < 3; ++run) {
            reports::ReportRun r;
            {
                bench::Timing t(build);
                check(report.build(ctx, ws.folder.string(), r).isOk() && r.dataFlag == 'Y', "build");
            }
            const engine::EngineSetup setup{ws.folder.string(), engine::installedDefinitionFolders(argv[0]),
                                         {g.OrganisationName.str(), r.windowTitle, "07/12/2026"}};
            bench::timeEngineStages(setup, r, ws.folder / (std::string(report.name) + ".pdf"), stages);
        }
        const bench::Best best[] = {build, stages.definition, stages.layout, stages.pdf};
        const char* names[] = {"data file:        ", "definition (HTML):", "layout:           ", "PDF:              "};
        double total = 0, totalCpu = 0;
        std::cout << report.name << " report, division " << g.DivisionId << ", season " << g.SeasonId.str()
                  << " (best of 3; elapsed, processor):\n";
        for (int i = 0; i < 4; ++i) {
            total += best[i].wall;
            totalCpu += best[i].cpu;
            std::cout << "  " << names[i] << "  " << best[i].wall * 1000 << " ms, " << best[i].cpu * 1000 << " ms"
                      << (i == 2 ? " (" + std::to_string(stages.pageCount) + " pages)" : "")
                      << "\n";
        }
        std::cout << "  total:              " << total * 1000 << " ms, " << totalCpu * 1000 << " ms (goal 500 ms)\n";
    }
    return 0;
}
