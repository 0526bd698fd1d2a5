#pragma once
// A club with one division and two seasons, its e-mail settings, and a
// report for the e-mail run that needs no layout: its builder finds data
// when the division has trips in the season, and its "PDF" is a small real
// one written by the render callback.

#include <fstream>
#include <sstream>

#include "core/data/SystemSettings.h"
#include "core/mail/EmailRun.h"
#include "core/mail/MailServer.h"
#include "tests/SmtpServer.h"
#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {

inline const char* const kTinyPdf =
    "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type/Pages/Kids[]/Count 0>>endobj\n"
    "trailer<</Root 1 0 R>>\n%%EOF\n";

inline data::Status buildTestReport(scoring::ScoringContext& ctx, const std::string&, reports::ReportRun& run) {
    run.reportFile = "reports/rptTest.rpt";
    run.windowTitle = "Test Report";
    run.dataFlag = 'N';
    const session::Globals& g = ctx.globals();
    return scoring::detail::walkRecords<Trips>(ctx.store(), "byTripId", {}, [&](const Trips& t) {
        if (t.DivisionId == g.DivisionId && sameSeason(t.SeasonId, g.SeasonId.str())) run.dataFlag = 'Y';
        return true;
    });
}

inline const mail::EmailReport kTestReport{"test", "Test", "TestReport.pdf", buildTestReport};

class MailTest : public ClubTest {
protected:
    void SetUp() override {
        ClubTest::SetUp();
        fs::create_directories(folder() / "DATA");
        div = division();
        season("2023");
        season("2024", "W", "P", "Y");
        globals.DivisionId = div;
        globals.OrganisationName = "Riverside Anglers";
        setEmail("127.0.0.1", "secretary@club.test", "Progress table");
    }

    void setEmail(const char* server, const char* from, const char* subject, const char* test = "0") {
        System sys;
        ASSERT_TRUE(readSystem(*store, sys).isOk());
        sys.EmailSmtpServer = server;
        sys.EmailFrom = from;
        sys.EmailSubject = subject;
        sys.EmailTestFlag = test;
        ASSERT_TRUE(writeSystem(*store, sys).isOk());
    }
    void setServer(int port, mail::TlsMode tls = mail::TlsMode::None, std::string trust = "",
                   std::string user = "", std::string password = "") {
        mail::MailServer s;
        s.port = port;
        s.tls = tls;
        s.trustFile = std::move(trust);
        s.user = std::move(user);
        s.password = std::move(password);
        ASSERT_TRUE(mail::writeMailServer(*store, s).isOk());
    }
    int32_t memberWith(const char* first, const char* email, const char* inactive = "N") {
        Members m;
        m.FirstName = first;
        m.LastName = "Angler";
        m.FullName = std::string(first) + " Angler";
        m.InactiveFlag = inactive;
        m.Email = email;
        return put(m).MemberId;
    }

    mail::EmailOutcome run(const mail::EmailReport& report = kTestReport) {
        mail::EmailHooks hooks;
        hooks.status = [this](const std::string& s) { statuses.push_back(s); };
        hooks.render = [this](const reports::ReportRun&, const std::string& pdf) -> std::optional<Message> {
            ++renders;
            std::ofstream(pdf, std::ios::binary) << kTinyPdf;
            return std::nullopt;
        };
        hooks.delivered = [this](const mail::MemberDelivery& d) { delivered.push_back(d); };
        return mail::EmailReportToMembers(*ctx, folder().string(), report, hooks);
    }

    std::vector<std::string> logLines() const {
        std::ifstream in(folder() / "Mail.log");
        std::vector<std::string> lines;
        for (std::string l; std::getline(in, l);) lines.push_back(l);
        return lines;
    }

    int32_t div = 0;
    std::vector<std::string> statuses;
    std::vector<mail::MemberDelivery> delivered;
    int renders = 0;
};

}  // namespace qvtest
