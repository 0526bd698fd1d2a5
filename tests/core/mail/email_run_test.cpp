// The e-mail run: the current season's report goes to each qualifying
// member once, in test mode to the sender, and nothing goes when the
// settings, the data or the server are missing; a failure never passes as
// success.

#include "tests/core/mail/MailFixture.h"

namespace qvtest {
namespace {

using mail::EmailStage;

class EmailRunTest : public MailTest {
protected:
    void SetUp() override {
        MailTest::SetUp();
        const int32_t t1 = trip(div, "2024"), t2 = trip(div, "2024");
        ann = memberWith("Ann", "ann@club.test");
        bob = memberWith("Bob", "bob@club.test");
        cat = memberWith("Cat", "cat@club.test");
        const int32_t inactive = memberWith("Ida", "ida@club.test", "Y");
        const int32_t noAddress = memberWith("Ned", "");
        const int32_t earlier = memberWith("Old", "old@club.test");
        angler(trip(div, "2023"), earlier, "1");
        for (int32_t t : {t1, t2})
            for (int32_t m : {ann, bob, inactive, noAddress}) angler(t, m, "4");
        angler(t2, cat, "2");
    }
    int32_t ann = 0, bob = 0, cat = 0;
};

std::vector<std::string> recipients(const std::vector<ReceivedMail>& mails) {
    std::vector<std::string> out;
    for (const ReceivedMail& m : mails) out.push_back(m["envelope-to"]);
    return out;
}

TEST_F(EmailRunTest, EachQualifyingMemberGetsOneMessageWithTheReport) {
    SmtpServer server(folder() / "mail");
    setServer(server.port());
    globals.SeasonId = "2023";  // the run takes the current season whatever was chosen before
    const mail::EmailOutcome out = run();
    EXPECT_EQ(globals.SeasonId.str(), "2024");
    ASSERT_EQ(out.stage, EmailStage::Mailed);
    EXPECT_TRUE(out.allSent());
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(statuses, (std::vector<std::string>{mail::kCalculatingStatus, mail::kEmailingStatus}));
    EXPECT_EQ(out.pdfPath, (folder() / "DATA" / "TestReport.pdf").string());

    const auto mails = server.received();
    EXPECT_EQ(recipients(mails), (std::vector<std::string>{"ann@club.test", "bob@club.test", "cat@club.test"}));
    for (const ReceivedMail& m : mails) {
        EXPECT_EQ(m["subject"], "Progress table");
        EXPECT_EQ(m["attachment"], "TestReport.pdf application/pdf");
        EXPECT_EQ(m.attachment.substr(0, 5), "%PDF-");
        EXPECT_NE(m["body"].find("Test Report of Riverside Anglers"), std::string::npos);
    }
    ASSERT_EQ(delivered.size(), 3u);
    EXPECT_EQ(delivered[1].name, "Bob Angler");
    EXPECT_EQ(logLines().size(), 3u);
    EXPECT_EQ(out.summary().text, "The report was e-mailed for 3 of 3 members.");

    run();  // a second run adds its own lines
    EXPECT_EQ(logLines().size(), 6u);
}

TEST_F(EmailRunTest, TestModeSendsEveryMessageToTheSender) {
    SmtpServer server(folder() / "mail");
    setServer(server.port());
    setEmail("127.0.0.1", "secretary@club.test", "Progress table", "1");
    const mail::EmailOutcome out = run();
    EXPECT_TRUE(out.testMode);
    EXPECT_EQ(recipients(server.received()), std::vector<std::string>(3, "secretary@club.test"));
    EXPECT_EQ(delivered[2].name, "Cat Angler");
    EXPECT_NE(out.summary().text.find("test mode"), std::string::npos);
}

TEST_F(EmailRunTest, NothingIsBuiltOrSentWithoutSettingsOrData) {
    SmtpServer server(folder() / "mail");
    setServer(server.port());
    setEmail("127.0.0.1", "", "Progress table");
    mail::EmailOutcome out = run();
    EXPECT_EQ(out.stage, EmailStage::NoSettings);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].text,
              "Please ensure that all fields are completed in Email Settings on the System Configuration Screen");
    EXPECT_TRUE(statuses.empty());

    // A current season without trips for the division: the no-data message.
    setEmail("127.0.0.1", "secretary@club.test", "Progress table");
    season("2025", "W", "P", "Y");
    out = run();
    EXPECT_EQ(out.stage, EmailStage::NoData);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].text, "There is no corresponding data for the report - Test Report");
    EXPECT_EQ(renders, 0);
    EXPECT_TRUE(server.received().empty());
    EXPECT_TRUE(logLines().empty());
    EXPECT_FALSE(out.allSent());
}

TEST_F(EmailRunTest, AReportThatCannotBeLaidOutSendsNothing) {
    SmtpServer server(folder() / "mail");
    setServer(server.port());
    mail::EmailHooks hooks;
    hooks.render = [](const reports::ReportRun&, const std::string&) -> std::optional<Message> {
        return programMessage("no definition");
    };
    const mail::EmailOutcome out = mail::EmailReportToMembers(*ctx, folder().string(), kTestReport, hooks);
    EXPECT_EQ(out.stage, EmailStage::ReportFailed);
    ASSERT_EQ(out.messages.size(), 2u);
    EXPECT_EQ(out.messages[1].text, "An error occurred running the report - reports/rptTest.rpt");
    EXPECT_TRUE(server.received().empty());
}

TEST_F(EmailRunTest, ARefusedRecipientIsReportedAndTheOthersStillGetTheirs) {
    SmtpServer server(folder() / "mail", refusing({"bob@club.test"}));
    setServer(server.port());
    const mail::EmailOutcome out = run();
    EXPECT_EQ(recipients(server.received()), (std::vector<std::string>{"ann@club.test", "cat@club.test"}));
    ASSERT_EQ(delivered.size(), 3u);
    EXPECT_EQ(delivered[1].result.code, mail::kRecipientRefused);
    EXPECT_FALSE(out.allSent());
    EXPECT_FALSE(out.stopped);
    const std::string summary = out.summary().text;
    EXPECT_EQ(summary.rfind("The report was e-mailed for 2 of 3 members.||Not sent:|Bob Angler <bob@club.test>: ", 0), 0u)
        << summary;
    EXPECT_EQ(logLines().size(), 3u);
}

TEST_F(EmailRunTest, AServerThatCannotBeUsedStopsTheRunWithOneMessage) {
    SmtpServer server(folder() / "mail");  // offers no TLS
    setServer(server.port(), mail::TlsMode::StartTls);
    mail::EmailOutcome out = run();
    EXPECT_TRUE(server.received().empty());
    ASSERT_TRUE(out.stopped);
    EXPECT_NE(out.stopped->text.find("STARTTLS"), std::string::npos) << out.stopped->text;
    EXPECT_EQ(out.deliveries.size(), 1u);
    EXPECT_EQ(out.notTried.size(), 2u);
    EXPECT_FALSE(out.allSent());
    EXPECT_NE(out.summary().text.find("0 of 3 members"), std::string::npos);
    EXPECT_NE(out.summary().text.find("||Not tried: Bob Angler, Cat Angler."), std::string::npos)
        << out.summary().text;
    EXPECT_EQ(out.notTried[1].recipient, "cat@club.test");

    setServer(closedPort());
    out = run();
    ASSERT_TRUE(out.stopped);
    EXPECT_EQ(out.deliveries.size(), 1u);
    EXPECT_EQ(out.deliveries[0].result.code, mail::kConnectionDenied);
    EXPECT_EQ(logLines().size(), 2u);  // one line per message tried
}

}  // namespace
}  // namespace qvtest
