// report: builds a report's data files and renders it without windows.
//
//   report trip --trip ID [--pdf FILE] [--html FILE] --user ID

#include <QGuiApplication>

#include <cstdlib>
#include <map>
#include <memory>

#include "cli/Cli.h"
#include "core/data/Date.h"
#include "core/reports/TripReport.h"
#include "core/scoring/ScoringContext.h"
#include "core/session/Globals.h"
#include "engine/ReportEngine.h"

namespace qv::cli {

using namespace qv::data;

namespace {

// Fonts and painting need a GUI application, which needs no display here.
void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "quillavon-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// One report's criteria, taken from the options into the globals.
struct ReportKind {
    const char* option;  // "--trip"
    Status (*build)(scoring::ScoringContext&, const std::string&, reports::ReportRun&);
};

const std::map<std::string, ReportKind>& kinds() {
    static const std::map<std::string, ReportKind> all = {
        {"trip", {"--trip", reports::BuildTripReport}},
    };
    return all;
}

bool wholeNumber(const std::string& s, int32_t& out) {
    try {
        size_t used = 0;
        const long n = std::stol(s, &used);
        if (used != s.size() || n < 1 || n > INT32_MAX) return false;
        out = static_cast<int32_t>(n);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

int reportCommand(Context& ctx) {
    if (ctx.args.empty()) return kUsage;
    auto kind = kinds().find(ctx.args[0]);
    if (kind == kinds().end()) return usageError(ctx, "no report named " + ctx.args[0] + " (reports: trip)");
    std::map<std::string, std::string> options;
    for (size_t i = 1; i < ctx.args.size(); i += 2) {
        const std::string& name = ctx.args[i];
        if (i + 1 >= ctx.args.size() || (name != kind->second.option && name != "--pdf" && name != "--html"))
            return usageError(ctx, "unexpected " + name);
        options[name] = ctx.args[i + 1];
    }
    session::Globals& g = session::globals();
    int32_t id = 0;
    if (!wholeNumber(options[kind->second.option], id))
        return usageError(ctx, std::string(kind->second.option) + " needs a whole number of 1 or more");
    g.TripId = id;

    scoring::ScoringContext sc(ctx.store(), ctx.session->settings, g);
    reports::ReportRun run;
    if (Status s = kind->second.build(sc, ctx.startFolder, run); !s) return report(ctx, s);
    for (const Message& m : run.messages) report(ctx, m);
    for (const std::string& f : run.dataFiles) ctx.out << "data: " << f << '\n';
    if (run.dataFlag != 'Y') {
        ctx.err << "Quillavon: There is no corresponding data for the report - " << run.windowTitle << '\n';
        return kRefused;
    }
    if (options["--pdf"].empty() && options["--html"].empty()) return kOk;

    ensureGuiApplication();
    engine::EngineSetup setup{ctx.startFolder, engine::installedDefinitionFolders(ctx.programPath),
                              {g.OrganisationName.str(), run.windowTitle, Date::today().format("D6")}};
    engine::ReportEngine reports(setup);
    if (!reports.openReport(run.reportFile)) {
        report(ctx, *reports.lastError());
        ctx.err << "Quillavon: An error occurred running the report - " << run.reportFile << '\n';
        return kRefused;
    }
    for (const auto& [option, code] : {std::pair{"--pdf", engine::kExportPdf}, {"--html", engine::kExportHtmlFirst}}) {
        const std::string& file = options[option];
        if (file.empty()) continue;
        if (!reports.exportToDiskFile(code, file)) return report(ctx, *reports.lastError());
        ctx.out << "report: " << file << " (" << reports.report()->pageCount() << " pages)\n";
    }
    return kOk;
}

}  // namespace

void registerReportCommands() {
    commands()["report"] = {reportCommand, "report trip --trip ID [--pdf FILE] [--html FILE] --user ID",
                            needs(session::Access::AnyUser)};
}

}  // namespace qv::cli
