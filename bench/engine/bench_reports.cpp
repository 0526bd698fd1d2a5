// The trip report of a 60-angler trip with 12 species in the large synthetic
// club: the data files, the definition run, the page layout and the PDF,
// each timed; then pages per second for a long report.
//
// Goals: the whole trip report under 0.5 s; at least 200 pages a second.
//
//   bench_reports [--keep FOLDER]
// --keep writes the synthetic club into FOLDER once and reuses it on later
// runs (writing it takes half a minute); without it a temporary folder is
// made and removed.
//
// Each stage prints the best of its runs as wall time and, in brackets, the
// process's CPU time, which a machine shared with other work disturbs less;
// the trip report's total is the sum of those bests. "layout" is the HTML
// read into the document and cut into pages. The long report's pages per
// second are its pages over its PDF stage alone, and over layout and PDF
// together (the definition run left out of both).

#include <QGuiApplication>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "bench/core/data/BenchSupport.h"
#include "bench/core/data/SyntheticClub.h"
#include "core/reports/TripReport.h"
#include "engine/ReportEngine.h"
#include "engine/Transform.h"

namespace fs = std::filesystem;
using namespace qv;

namespace {

using bench::Best;
using bench::check;
using bench::Timing;

std::ostream& operator<<(std::ostream& out, const Best& b) {
    return out << b.wall * 1000 << " ms (cpu " << b.cpu * 1000 << " ms)";
}

constexpr int kRuns = 5;

// One report's stages, each the best of its runs.
struct Stages {
    Best transform, layout, pdf;
    int pages = 0;
};

// Runs the definition, lays out its pages and writes the PDF, timing each.
Stages timeReport(const std::string& definition, const fs::path& folder, const engine::PageHeading& heading,
                  int runs) {
    Stages s;
    for (int run = 0; run < runs; ++run) {
        engine::TransformResult html;
        {
            Timing t(s.transform);
            html = engine::transform(definition, "file://" + (folder / "DATA").string() + "/");
        }
        check(html.ok, "definition " + definition + ": " + html.error);
        std::unique_ptr<engine::PagedReport> report;
        {
            Timing t(s.layout);
            report = std::make_unique<engine::PagedReport>(html.html, heading);
            s.pages = report->pageCount();
        }
        Timing t(s.pdf);
        check(report->writePdf((folder / "bench.pdf").string()), "pdf");
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bool keep = argc == 3 && std::strcmp(argv[1], "--keep") == 0;
    bench::BenchWorkstation ws;
    bench::openBenchWorkstation("reports", keep ? argv[2] : nullptr, ws);
    const std::unique_ptr<data::Store>& store = ws.store;
    const fs::path& folder = ws.folder;
    const bool reuse = ws.reuse;
    if (!reuse) {
        bench::ClubSize size;
        size.speciesPerAngler = 12;
        bench::ClubCounts counts;
        const auto t0 = bench::Clock::now();
        check(bench::writeSyntheticClub(*store, size, counts).isOk(), "club");
        std::cout << "synthetic club: " << counts.records << " records, written in "
                  << bench::since(t0) << " s\n";
    }

    session::Globals g;
    g.SecurityLevel = "Member";
    g.OrganisationName = "Synthetic Angling Club";
    g.TripId = 1200;
    scoring::ScoringContext ctx(*store, ws.settings, g);
    const engine::PageHeading heading{g.OrganisationName.str(), reports::kTripReportTitle, "07/12/2026"};
    engine::ReportEngine reports({folder.string(), engine::installedDefinitionFolders(argv[0]), heading});

    Best build;
    std::string definition;
    for (int run = 0; run < kRuns; ++run) {
        reports::ReportRun r;
        {
            Timing t(build);
            check(reports::BuildTripReport(ctx, folder.string(), r).isOk() && r.dataFlag == 'Y', "build");
        }
        definition = reports.locate(r.reportFile);
    }
    const Stages trip = timeReport(definition, folder, heading, kRuns);
    std::cout << "trip report, 60 anglers, 12 species (best of " << kRuns << ", " << trip.pages << " pages):\n"
              << "  data files:        " << build << "\n"
              << "  definition (HTML): " << trip.transform << "\n"
              << "  layout:            " << trip.layout << "\n"
              << "  PDF:               " << trip.pdf << "\n"
              << "  total:             "
              << Best{build.wall + trip.transform.wall + trip.layout.wall + trip.pdf.wall,
                      build.cpu + trip.transform.cpu + trip.layout.cpu + trip.pdf.cpu}
              << " (goal 500 ms)\n";

    // A long report: the trip's 60 anglers crossed with themselves, 3,600
    // rows of one table through a plain list definition.
    fs::create_directories(folder / "reports");
    const fs::path longDefinition = folder / "reports" / "rptLong.rpt";
    std::ofstream(longDefinition)
        << R"(<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">)"
           R"(<xsl:param name="data"/><xsl:template match="/"><html><body><table width="100%">)"
           R"(<xsl:for-each select="document(concat($data, 'rptTrip.xml'))/Data/Scores">)"
           R"(<xsl:variable name="s" select="."/><xsl:for-each select="document(concat($data, 'rptTrip.xml'))/Data/Scores">)"
           R"(<tr><td><xsl:value-of select="$s/fullname"/></td><td><xsl:value-of select="fullname"/></td>)"
           R"(<td><xsl:value-of select="totaltrippoints"/></td></tr></xsl:for-each></xsl:for-each>)"
           R"(</table></body></html></xsl:template></xsl:stylesheet>)";
    const Stages lng = timeReport(longDefinition.string(), folder, heading, 3);
    std::cout << "long report (best of 3, " << lng.pages << " pages):\n"
              << "  definition (HTML): " << lng.transform << "\n"
              << "  layout:            " << lng.layout << "\n"
              << "  PDF:               " << lng.pdf << "\n"
              << "  pages/s, PDF only:       " << lng.pages / lng.pdf.wall << " (cpu " << lng.pages / lng.pdf.cpu
              << ") (goal 200)\n"
              << "  pages/s, layout and PDF: " << lng.pages / (lng.layout.wall + lng.pdf.wall) << " (cpu "
              << lng.pages / (lng.layout.cpu + lng.pdf.cpu) << ")\n";
    return 0;
}
