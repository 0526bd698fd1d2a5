// report: builds a report's data files and renders it without windows.
//
//   report KIND [--division ID] [--season ID] [--trip ID] [--member ID]
//          [--pdf FILE] [--html FILE] --user ID
// Each report takes the criteria its row in kinds() names.

#include <QGuiApplication>

#include <cstdlib>
#include <map>
#include <memory>

#include "cli/Cli.h"
#include "core/data/Date.h"
#include "core/reports/PointsReport.h"
#include "core/reports/SeasonReport.h"
#include "core/reports/CatchRelease.h"
#include "core/reports/CatchReports.h"
#include "core/reports/Certificate.h"
#include "core/reports/TeamPoints.h"
#include "core/reports/MemberReport.h"
#include "core/reports/TripReport.h"
#include "core/reports/TrophyWinnersReport.h"
#include "core/scoring/ScoringContext.h"
#include "core/session/Globals.h"
#include "engine/ReportEngine.h"

namespace qv::cli {

using namespace qv::data;

// Fonts and painting need a GUI application, which needs no display here.
void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "quillavon-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

namespace {

// The criteria a report may take from the command line, each into its global.
enum Criterion : unsigned { kDivision = 1, kSeason = 2, kTrip = 4, kMember = 8 };

struct CriterionOption {
    Criterion criterion;
    const char* option;
};
constexpr CriterionOption kCriterionOptions[] = {
    {kDivision, "--division"}, {kSeason, "--season"}, {kTrip, "--trip"}, {kMember, "--member"}};

// One report: the criteria it needs and its builder. Every later report is a
// row here and takes its criteria the same way. A report the report window
// keeps from a "Member" needs a staff level here too.
struct ReportKind {
    unsigned needs;
    Status (*build)(scoring::ScoringContext&, const std::string&, reports::ReportRun&);
    bool forMembers = true;
};

const std::map<std::string, ReportKind>& kinds() {
    static const std::map<std::string, ReportKind> all = {
        {"trip", {kTrip, reports::BuildTripReport}},
        {"season", {kDivision | kSeason, reports::BuildSeasonReport}},
        {"progress", {kDivision | kSeason, reports::BuildProgressPointsReport}},
        {"championship", {kDivision | kSeason, reports::BuildChampionshipPointsReport}},
        {"trip-catch", {kDivision | kSeason | kTrip, reports::BuildTripCatchReport}},
        {"fly", {kDivision | kSeason, reports::BuildFlyReport}},
        {"biggest-species", {kDivision | kSeason, reports::BuildBiggestSpeciesReport}},
        {"trip-biggest-species", {kDivision | kSeason | kTrip, reports::BuildTripBiggestSpeciesReport}},
        {"line-class", {kDivision | kSeason, reports::BuildLineClassReport}},
        {"catch-release", {kDivision | kSeason, reports::BuildCatchReleaseReport}},
        {"certificate", {kDivision | kSeason | kMember, reports::BuildCertificate, false}},
        {"team-points", {kDivision | kSeason | kTrip, reports::BuildTeamPoints}},
        {"member", {kMember, reports::BuildMemberReport}},
        {"trophy-winners", {kDivision | kSeason, reports::BuildTrophyWinnersReport}},
    };
    return all;
}

std::string kindNames() {
    std::string names;
    for (const auto& [name, kind] : kinds()) names += (names.empty() ? "" : ", ") + name;
    return names;
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

const CriterionOption* criterionNamed(const std::string& option, unsigned needs) {
    for (const CriterionOption& c : kCriterionOptions)
        if ((needs & c.criterion) && option == c.option) return &c;
    return nullptr;
}

// Takes the report's criteria into the globals; an empty text when all is well.
std::string takeCriteria(const ReportKind& kind, std::map<std::string, std::string>& options,
                         session::Globals& g) {
    for (const CriterionOption& c : kCriterionOptions) {
        if (!(kind.needs & c.criterion)) continue;
        const std::string& value = options[c.option];
        if (c.criterion == kSeason) {
            if (value.empty() || value.size() > g.SeasonId.width()) return std::string(c.option) + " needs a season id";
            g.SeasonId = value;
            continue;
        }
        int32_t id = 0;
        if (!wholeNumber(value, id)) return std::string(c.option) + " needs a whole number of 1 or more";
        (c.criterion == kDivision ? g.DivisionId : c.criterion == kTrip ? g.TripId : g.MemberId) = id;
    }
    return {};
}

int reportCommand(Context& ctx) {
    if (ctx.args.empty()) return kUsage;
    auto kind = kinds().find(ctx.args[0]);
    if (kind == kinds().end()) return usageError(ctx, "no report named " + ctx.args[0] + " (reports: " + kindNames() + ")");
    std::map<std::string, std::string> options;
    for (size_t i = 1; i < ctx.args.size(); i += 2) {
        const std::string& name = ctx.args[i];
        if (i + 1 >= ctx.args.size() ||
            (!criterionNamed(name, kind->second.needs) && name != "--pdf" && name != "--html"))
            return usageError(ctx, "unexpected " + name);
        options[name] = ctx.args[i + 1];
    }
    session::Globals& g = session::globals();
    if (std::string wrong = takeCriteria(kind->second, options, g); !wrong.empty()) return usageError(ctx, wrong);

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
    commands()["report"] = {reportCommand, "report KIND [--division ID] [--season ID] [--trip ID] [--member ID] [--pdf FILE] [--html FILE] --user ID",
                            [](const std::vector<std::string>& args) {
                                auto kind = args.empty() ? kinds().end() : kinds().find(args[0]);
                                const bool staffOnly = kind != kinds().end() && !kind->second.forMembers;
                                return staffOnly ? session::Access::Staff : session::Access::AnyUser;
                            }};
}

}  // namespace qv::cli
