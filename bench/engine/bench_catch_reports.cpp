// The catch, certificate and team points reports on the large synthetic
// club (1000 members, 30 seasons, 60 anglers a trip, individual catches and
// teams in the last season): for each report the data files, the
// definition run, the page layout and the PDF, each timed.
//
// Goal: every report under 0.5 s from its data files to its PDF.

#include <QGuiApplication>

#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>

#include "bench/core/data/SyntheticClub.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"
#include "core/data/Workstation.h"
#include "core/reports/CatchRelease.h"
#include "core/reports/CatchReports.h"
#include "core/reports/Certificate.h"
#include "core/reports/TeamPoints.h"
#include "engine/ReportEngine.h"

namespace fs = std::filesystem;
using namespace qv;
using Clock = std::chrono::steady_clock;

namespace {

double since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// The process's processor time in seconds: on a busy machine the wall clock
// also counts the time others had the processor.
double cpuNow() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void check(bool ok, const std::string& what) {
    if (ok) return;
    std::cerr << "failed: " << what << '\n';
    std::exit(1);
}

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
    const char* keep = std::getenv("QUILLAVON_BENCH_KEEP");
    const fs::path folder = keep ? fs::path(keep)
                                 : fs::temp_directory_path() / ("quillavon-bench-catch-" + std::to_string(::getpid()));
    const bool reuse = keep && fs::exists(folder / "DATA");
    if (!reuse) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        check(data::initWorkstation(folder.string()).isOk(), "workstation");
    }
    std::unique_ptr<data::Store> store;
    data::System settings;
    check(data::openWorkstation(folder.string(), store, &settings).isOk(), "open");
    settings.ReportTeamPointsApply = 1;
    bench::ClubSize size;
    size.catchesPerAngler = 4;
    size.teamsPerTrip = 4;
    bench::ClubCounts counts;
    auto t0 = Clock::now();
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
              << "  report                  data files    definition+HTML   pages         PDF           total\n";
    const char* only = std::getenv("QUILLAVON_BENCH_ONLY");  // one report by name
    for (const Bench& b : kReports) {
        if (only && std::string(only) != b.name) continue;
        double wall[4] = {1e9, 1e9, 1e9, 1e9}, cpu[4] = {1e9, 1e9, 1e9, 1e9};
        int pages = 0;
        for (int run = 0; run < 3; ++run) {
            reports::ReportRun r;
            std::unique_ptr<engine::ReportEngine> reports;
            auto stage = [&](int k, auto&& work) {
                const auto t = Clock::now();
                const double c = cpuNow();
                work();
                wall[k] = std::min(wall[k], since(t));
                cpu[k] = std::min(cpu[k], cpuNow() - c);
            };
            stage(0, [&] {
                check(b.build(ctx, folder.string(), r).isOk() && r.dataFlag == 'Y', std::string("build ") + b.name);
            });
            reports = std::make_unique<engine::ReportEngine>(engine::EngineSetup{
                folder.string(), engine::installedDefinitionFolders(argv[0]),
                {g.OrganisationName.str(), r.windowTitle, "07/12/2026"}});
            stage(1, [&] { check(reports->openReport(r.reportFile), std::string("open ") + r.reportFile); });
            stage(2, [&] { pages = reports->report()->pageCount(); });
            stage(3, [&] {
                check(reports->exportToDiskFile(engine::kExportPdf, (folder / "catch.pdf").string()), "pdf");
            });
        }
        double totalWall = 0, totalCpu = 0;
        std::cout << std::fixed << std::setprecision(0) << "  " << std::left << std::setw(22) << b.name << std::right;
        for (int k = 0; k < 4; ++k) {
            totalWall += wall[k];
            totalCpu += cpu[k];
            std::cout << std::setw(7) << wall[k] * 1000 << " (" << std::setw(5) << cpu[k] * 1000 << ")";
        }
        std::cout << std::setw(7) << totalWall * 1000 << " (" << std::setw(5) << totalCpu * 1000 << ")  " << pages
                  << (pages == 1 ? " page" : " pages") << (totalCpu < 0.5 ? "" : ", over the 500 ms goal") << '\n';
    }
    if (!keep) fs::remove_all(folder);
    return 0;
}
