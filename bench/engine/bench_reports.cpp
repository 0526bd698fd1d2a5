// The trip report of a 60-angler trip with 12 species in the large synthetic
// club: the data files, the definition run, the page layout and the PDF,
// each timed; then pages per second for a long report.
//
// Goals: the whole trip report under 0.5 s; at least 200 pages a second.

#include <QGuiApplication>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "bench/core/data/SyntheticClub.h"
#include "core/data/SystemSettings.h"
#include "core/data/Workstation.h"
#include "core/reports/TripReport.h"
#include "engine/ReportEngine.h"

namespace fs = std::filesystem;
using namespace qv;
using Clock = std::chrono::steady_clock;

namespace {

double since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

void check(bool ok, const std::string& what) {
    if (ok) return;
    std::cerr << "failed: " << what << '\n';
    std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const fs::path folder = fs::temp_directory_path() / ("quillavon-bench-reports-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    check(data::initWorkstation(folder.string()).isOk(), "workstation");
    std::unique_ptr<data::Store> store;
    data::System settings;
    check(data::openWorkstation(folder.string(), store, &settings).isOk(), "open");
    bench::ClubSize size;
    size.speciesPerAngler = 12;
    bench::ClubCounts counts;
    auto t0 = Clock::now();
    check(bench::writeSyntheticClub(*store, size, counts).isOk(), "club");
    std::cout << "synthetic club: " << counts.records << " records, written in " << since(t0) << " s\n";

    session::Globals g;
    g.SecurityLevel = "Member";
    g.OrganisationName = "Synthetic Angling Club";
    g.TripId = 1200;
    scoring::ScoringContext ctx(*store, settings, g);
    engine::ReportEngine reports({folder.string(), engine::installedDefinitionFolders(argv[0]),
                                  {g.OrganisationName.str(), reports::kTripReportTitle, "07/12/2026"}});

    double best[4] = {1e9, 1e9, 1e9, 1e9};
    int pages = 0;
    for (int run = 0; run < 5; ++run) {
        reports::ReportRun r;
        t0 = Clock::now();
        check(reports::BuildTripReport(ctx, folder.string(), r).isOk() && r.dataFlag == 'Y', "build");
        best[0] = std::min(best[0], since(t0));
        t0 = Clock::now();
        check(reports.openReport(r.reportFile), "open report");
        best[1] = std::min(best[1], since(t0));
        t0 = Clock::now();
        pages = reports.report()->pageCount();
        best[2] = std::min(best[2], since(t0));
        t0 = Clock::now();
        check(reports.exportToDiskFile(engine::kExportPdf, (folder / "trip.pdf").string()), "pdf");
        best[3] = std::min(best[3], since(t0));
    }
    const double total = best[0] + best[1] + best[2] + best[3];
    std::cout << "trip report, 60 anglers, 12 species (best of 5):\n"
              << "  data files:         " << best[0] * 1000 << " ms\n"
              << "  definition + HTML:  " << best[1] * 1000 << " ms (layout included)\n"
              << "  pages:              " << best[2] * 1000 << " ms (" << pages << " pages)\n"
              << "  PDF:                " << best[3] * 1000 << " ms\n"
              << "  total:              " << total * 1000 << " ms (goal 500 ms)\n";

    // A long report: every trip member of the synthetic club's last season,
    // one row each, through a plain list definition.
    fs::create_directories(folder / "reports");
    std::ofstream(folder / "reports" / "rptLong.rpt")
        << R"(<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">)"
           R"(<xsl:param name="data"/><xsl:template match="/"><html><body><table width="100%">)"
           R"(<xsl:for-each select="document(concat($data, 'rptTrip.xml'))/Data/Scores">)"
           R"(<xsl:variable name="s" select="."/><xsl:for-each select="document(concat($data, 'rptTrip.xml'))/Data/Scores">)"
           R"(<tr><td><xsl:value-of select="$s/fullname"/></td><td><xsl:value-of select="fullname"/></td>)"
           R"(<td><xsl:value-of select="totaltrippoints"/></td></tr></xsl:for-each></xsl:for-each>)"
           R"(</table></body></html></xsl:template></xsl:stylesheet>)";
    t0 = Clock::now();
    check(reports.openReport("reports/rptLong.rpt"), "long report");
    const int longPages = reports.report()->pageCount();
    const double laidOut = since(t0);
    t0 = Clock::now();
    check(reports.exportToDiskFile(engine::kExportPdf, (folder / "long.pdf").string()), "long pdf");
    const double written = since(t0);
    std::cout << "long report: " << longPages << " pages, laid out in " << laidOut << " s, PDF in " << written
              << " s = " << longPages / written << " pages/s written, " << longPages / (laidOut + written)
              << " pages/s in all (goal 200)\n";
    fs::remove_all(folder);
    return 0;
}
