// email: mails one of the season's reports, as a PDF file, to every member
// who fished a trip of the current season in the division.
//
//   email progress|season|trophy-winners --division ID --user ID [--yes]
// Prints one line per member and a summary; exit 1 when any message failed
// or nothing could be sent.

#include <algorithm>
#include <cctype>

#include "cli/Cli.h"
#include "core/data/Date.h"
#include "core/mail/EmailRun.h"
#include "core/scoring/ScoringContext.h"
#include "core/session/Globals.h"
#include "engine/ReportEngine.h"

namespace qv::cli {

using namespace qv::data;

namespace {

const char* const kQuestion = " You are about to email report to members. Please ensure you are online.|| Do you wish to Continue?";

std::string reportNames() {
    std::string names;
    for (const mail::EmailReport& r : mail::emailReports()) names += (names.empty() ? "" : "|") + std::string(r.name);
    return names;
}

bool confirmed(Context& ctx) {
    ctx.out << mail::kEmailTitle << ": " << displayText(kQuestion) << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    std::transform(answer.begin(), answer.end(), answer.begin(), [](unsigned char c) { return std::tolower(c); });
    return answer == "y" || answer == "yes";
}

void printDelivery(Context& ctx, const mail::MemberDelivery& d) {
    if (d.result.sent()) {
        ctx.out << "sent: " << d.name << " <" << d.recipient << ">\n";
        return;
    }
    ctx.out << "not sent: " << d.name << " <" << d.recipient << ">: " << d.result.reason << '\n';
    // A server that cannot be used is told once, after the run.
    if (Message m; !d.result.serverUnusable && mail::sendCodeMessage(d.result.code, m)) report(ctx, m);
}

int emailCommand(Context& ctx) {
    if (ctx.args.empty()) return kUsage;
    const mail::EmailReport* chosen = mail::emailReportNamed(ctx.args[0]);
    if (!chosen) return usageError(ctx, "no report named " + ctx.args[0] + " (reports: " + reportNames() + ")");
    std::string division;
    bool yes = false;
    for (size_t i = 1; i < ctx.args.size(); ++i) {
        if (ctx.args[i] == "--yes") {
            yes = true;
        } else if (ctx.args[i] == "--division" && i + 1 < ctx.args.size()) {
            division = ctx.args[++i];
        } else {
            return usageError(ctx, "unexpected " + ctx.args[i]);
        }
    }
    char* end = nullptr;
    const long id = division.empty() ? 0 : std::strtol(division.c_str(), &end, 10);
    if (division.empty() || *end || id < 1 || id > INT32_MAX)
        return usageError(ctx, "--division needs a whole number of 1 or more");

    if (!yes && !confirmed(ctx)) {
        ctx.err << "Quillavon: Nothing was sent.\n";
        return kRefused;
    }

    session::Globals& g = session::globals();
    g.DivisionId = static_cast<int32_t>(id);
    scoring::ScoringContext sc(ctx.store(), ctx.session->settings, g);
    mail::EmailHooks hooks;
    hooks.status = [&](const std::string& text) { ctx.out << text << '\n'; };
    hooks.render = [&](const reports::ReportRun& run, const std::string& pdf) -> std::optional<Message> {
        ensureGuiApplication();
        engine::ReportEngine reports({ctx.startFolder, engine::installedDefinitionFolders(ctx.programPath),
                                      {g.OrganisationName.str(), run.windowTitle, Date::today().format("D6")}});
        if (!reports.openReport(run.reportFile) || !reports.exportToDiskFile(engine::kExportPdf, pdf))
            return reports.lastError();
        ctx.out << "report: " << pdf << " (" << reports.report()->pageCount() << " pages)\n";
        return std::nullopt;
    };
    hooks.delivered = [&](const mail::MemberDelivery& d) { printDelivery(ctx, d); };

    const mail::EmailOutcome out = mail::EmailReportToMembers(sc, ctx.startFolder, *chosen, hooks);
    for (const Message& m : out.messages) report(ctx, m);
    if (out.stage != mail::EmailStage::Mailed) return kRefused;
    if (out.stopped) report(ctx, *out.stopped);
    ctx.out << displayText(out.summary().text) << '\n';
    return out.allSent() ? kOk : kRefused;
}

}  // namespace

void registerEmailCommands() {
    commands()["email"] = {emailCommand, "email progress|season|trophy-winners --division ID --user ID [--yes]",
                           needs(session::Access::Staff)};
}

}  // namespace qv::cli
