#pragma once
// E-mailing a season's report to the members who fished: the reports that
// can be mailed, and the run that builds one for GLO:DivisionId and the
// current season, turns it into a PDF file through a callback (the core does
// not lay reports out) and sends it to each qualifying member. It shows
// nothing: the caller shows the status texts and messages it passes on.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/mail/Send.h"
#include "core/reports/ReportRun.h"
#include "core/scoring/ScoringContext.h"

namespace qv::mail {

using ReportBuilder = data::Status (*)(scoring::ScoringContext&, const std::string&, reports::ReportRun&);

struct EmailReport {
    const char* name;     // on the command line: "progress"
    const char* button;   // in the window: "Progress Scores"
    const char* pdfFile;  // written in START/DATA/: "ProgressPoints.pdf"
    ReportBuilder build;
};

const std::vector<EmailReport>& emailReports();
const EmailReport* emailReportNamed(std::string_view name);

inline constexpr const char* kCalculatingStatus = "Please wait... calculating report data";
inline constexpr const char* kEmailingStatus = "Please wait... emailing report to members";
inline constexpr const char* kEmailTitle = "Email Accounts";

// Lays the built report out into `pdfPath`; the engine's message when it cannot.
using RenderPdf = std::function<std::optional<Message>(const reports::ReportRun& run, const std::string& pdfPath)>;

struct MemberDelivery {
    int32_t memberId = 0;
    std::string name;       // as reports show it
    std::string recipient;  // where it went: the member's address, or the sender's in test mode
    SendResult result;
    size_t position = 0;  // this member's place in the run, from 1
    size_t count = 0;     // of how many
};

struct EmailHooks {
    std::function<void(const std::string&)> status;  // the status window's text
    RenderPdf render;
    std::function<void(const MemberDelivery&)> delivered;  // after each member, in order
};

enum class EmailStage {
    Mailed,        // the loop over the members ran (see the deliveries)
    NoSettings,    // the e-mail settings are incomplete; nothing was built
    NoData,        // the report found nothing; nothing was sent
    ReportFailed,  // the report could not be laid out; nothing was sent
    Failed,        // the club's data could not be read
};

struct EmailOutcome {
    EmailStage stage = EmailStage::Failed;
    bool testMode = false;
    std::string pdfPath;
    std::vector<Message> messages;  // to show before anything else, in order
    std::vector<MemberDelivery> deliveries;
    // When the server could not be used at all: the one message saying so,
    // and the members who were therefore not tried (their result unset).
    std::optional<Message> stopped;
    std::vector<MemberDelivery> notTried;

    size_t sentCount() const;
    // Nothing failed: every qualifying member got the report.
    bool allSent() const { return stage == EmailStage::Mailed && !stopped && sentCount() == deliveries.size(); }
    // How many members were mailed, and who was not and why.
    Message summary() const;
};

// Sets GLO:SeasonId to the current season and mails `report` for
// GLO:DivisionId. A failure for one member does not stop the others; a
// server that cannot be used stops the run at its first failure.
EmailOutcome EmailReportToMembers(scoring::ScoringContext& ctx, const std::string& startFolder,
                                  const EmailReport& report, const EmailHooks& hooks);

// The test flag is read as a number: 1 sends everything to the sender.
bool emailTestMode(std::string_view flag);

}  // namespace qv::mail
