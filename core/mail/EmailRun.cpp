#include "core/mail/EmailRun.h"

#include <charconv>

#include "core/data/FixedText.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"
#include "core/mail/MailLog.h"
#include "core/mail/Recipients.h"

namespace qv::mail {

namespace {

void tell(const EmailHooks& hooks, const std::string& text) {
    if (hooks.status) hooks.status(text);
}

Message emailMessage(std::string text) {
    Message m = programMessage(std::move(text));
    m.title = kEmailTitle;
    return m;
}

std::string plainName(const data::Members& m) {
    return std::string(clip(m.FirstName)) + " " + std::string(clip(m.LastName));
}

std::string plural(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

const EmailReport* emailReportNamed(std::string_view name) {
    for (const EmailReport& r : emailReports())
        if (name == r.name) return &r;
    return nullptr;
}

bool emailTestMode(std::string_view flag) {
    const std::string_view t = clip(flag);
    size_t from = 0;
    while (from < t.size() && t[from] == ' ') ++from;
    long n = 0;
    std::from_chars(t.data() + from, t.data() + t.size(), n);
    return n == 1;
}

size_t EmailOutcome::sentCount() const {
    size_t n = 0;
    for (const MemberDelivery& d : deliveries) n += d.result.sent();
    return n;
}

Message EmailOutcome::summary() const {
    const size_t members = deliveries.size() + notTried.size();
    if (members == 0) return emailMessage("No member with an e-mail address fished in this season and division: nothing was sent.");
    std::string text = "The report was e-mailed " + std::string(testMode ? "to the sender address (test mode) " : "") +
                       "for " + std::to_string(sentCount()) + " of " + plural(members, "member.", "members.");
    std::string missed;
    for (const MemberDelivery& d : deliveries)
        if (!d.result.sent()) missed += "|" + d.name + " <" + d.recipient + ">: " + d.result.reason;
    if (!missed.empty()) text += "||Not sent:" + missed;
    std::string names;
    for (const MemberDelivery& d : notTried) names += (names.empty() ? "" : ", ") + d.name;
    if (!names.empty()) text += "||Not tried: " + names + ".";
    return emailMessage(text);
}

EmailOutcome EmailReportToMembers(scoring::ScoringContext& ctx, const std::string& startFolder,
                                  const EmailReport& report, const EmailHooks& hooks) {
    EmailOutcome out;
    data::Store& store = ctx.store();
    session::Globals& g = ctx.globals();

    std::string season;
    if (data::Status s = currentSeason(store, season); s.isFailed()) {
        out.messages.push_back(s.message());
        return out;
    }
    g.SeasonId = season;

    data::System settings;
    MailServer server;
    {
        data::FileUse use(store, "System");
        data::Status s = use ? data::readSystem(store, settings) : use.status();
        if (s) s = readMailServer(store, server);
        if (!s) {
            out.messages.push_back(s.isFailed() ? s.message() : programMessage("System Settings not found."));
            return out;
        }
    }
    if (clip(settings.EmailSmtpServer).empty() || clip(settings.EmailFrom).empty() ||
        clip(settings.EmailSubject).empty()) {
        out.stage = EmailStage::NoSettings;
        out.messages.push_back(programMessage(
            "Please ensure that all fields are completed in Email Settings on the System Configuration Screen"));
        return out;
    }
    out.testMode = emailTestMode(settings.EmailTestFlag);

    if (!report.build) {
        out.messages.push_back(programMessage(std::string("The report \"") + report.button + "\" cannot be built."));
        return out;
    }
    tell(hooks, kCalculatingStatus);
    reports::ReportRun run;
    if (data::Status s = report.build(ctx, startFolder, run); !s) {
        out.messages.push_back(s.isFailed() ? s.message() : programMessage("No such record."));
        return out;
    }
    run.publish(g);
    out.messages.insert(out.messages.end(), run.messages.begin(), run.messages.end());
    if (run.dataFlag != 'Y') {
        out.stage = EmailStage::NoData;
        out.messages.push_back(programMessage("There is no corresponding data for the report - " +
                                              std::string(clip(run.windowTitle))));
        return out;
    }

    out.pdfPath = reports::dataFolder(startFolder) + report.pdfFile;
    std::optional<Message> renderError =
        hooks.render ? hooks.render(run, out.pdfPath) : std::optional(programMessage("No report engine."));
    if (renderError) {
        out.stage = EmailStage::ReportFailed;
        out.messages.push_back(*renderError);
        out.messages.push_back(programMessage("An error occurred running the report - " + run.reportFile));
        return out;
    }

    tell(hooks, kEmailingStatus);
    std::vector<data::Members> members;
    if (data::Status s = qualifyingMembers(store, g.DivisionId, g.SeasonId.str(), members); !s) {
        out.messages.push_back(s.isFailed() ? s.message() : programMessage("No such record."));
        return out;
    }
    out.stage = EmailStage::Mailed;

    Envelope e;
    e.server = clip(settings.EmailSmtpServer);
    e.from = clip(settings.EmailFrom);
    e.subject = clip(settings.EmailSubject);
    e.attach = out.pdfPath;
    e.log = mailLogPath(startFolder);
    e.club = g.OrganisationName.str();
    e.reportTitle = clip(run.windowTitle);
    for (size_t i = 0; i < members.size(); ++i) {
        const data::Members& m = members[i];
        e.to = out.testMode ? e.from : std::string(clip(m.Email));
        MemberDelivery d{m.MemberId, plainName(m), e.to, Send(e, server), i + 1, members.size()};
        out.deliveries.push_back(d);
        if (hooks.delivered) hooks.delivered(d);
        if (d.result.serverUnusable) {
            for (size_t j = i + 1; j < members.size(); ++j)
                out.notTried.push_back(MemberDelivery{members[j].MemberId, plainName(members[j]),
                                                      out.testMode ? e.from : std::string(clip(members[j].Email)),
                                                      SendResult{kOtherFailure, "not tried", false}, j + 1,
                                                      members.size()});
            out.stopped = emailMessage("The mail server " + e.server + " could not be used: " + d.result.reason +
                                       ".||Nothing more was sent.");
            break;
        }
    }
    return out;
}

}  // namespace qv::mail
