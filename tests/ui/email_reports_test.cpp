// The e-mail window and the configuration window's "Mail Server" group: the
// window asks first, mails the report to the members who fished and sums up
// what went and what did not; the group keeps the server's settings.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "core/data/NamedSettings.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/mail/EmailRun.h"
#include "core/reports/TripReport.h"
#include "core/scoring/Seasons.h"
#include "tests/SmtpServer.h"
#include "tests/ui/UiFixture.h"
#include "ui/framework/StandardForm.h"
#include "ui/maintenance/SystemConfiguration.h"
#include "ui/reports/EmailReportsWindow.h"

using namespace qv;
using qv::testing::UiTest;
using qvtest::SmtpServer;

namespace {

// A report the window can mail whatever builders the table holds: the
// result sheet of the division's trip in the season.
data::Status tripSheet(scoring::ScoringContext& ctx, const std::string& start, reports::ReportRun& run) {
    session::Globals& g = ctx.globals();
    data::FileUse use(ctx.store(), "Trips");
    scoring::detail::walkRecords<data::Trips>(ctx.store(), "byTripId", {}, [&](const data::Trips& t) {
        if (t.DivisionId == g.DivisionId && g.SeasonId == t.SeasonId) g.TripId = t.TripId;
        return true;
    });
    return reports::BuildTripReport(ctx, start, run);
}
const std::vector<mail::EmailReport> kOffered = {{"sheet", "Trip Sheet", "TripSheet.pdf", tripSheet}};

class EmailWindow : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        division = addDivision("Offshore");
        addDivision("Freshwater");
        mailFolder = folder() + "-mail";
        data::FileUse seasons(store(), "Season"), trips(store(), "Trips"), members(store(), "Members"),
            tripMembers(store(), "TripMember"), grades(store(), "Grade"), history(store(), "GradeHistory");
        data::Season s;
        s.SeasonId = "2026";
        s.Measurement = "M";
        s.Handicap = "P";
        s.ScoringApplies = "W";
        s.CurrentSeasonFlag = "Y";
        ASSERT_TRUE(data::insertRecord(store(), s).isOk());
        data::Grade gr;
        gr.GradeName = "A";
        gr.InactiveFlag = "N";
        ASSERT_TRUE(data::insertRecord(store(), gr).isOk());
        data::Trips t;
        t.DivisionId = division;
        t.SeasonId = "2026";
        t.SeasonTripNumber = 1;
        t.TripLocation = "Bay";
        ASSERT_TRUE(data::insertRecord(store(), t).isOk());
        for (const char* name : {"ann", "bob", "cat"}) {
            data::Members m;
            m.FirstName = name;
            m.LastName = "Angler";
            m.FullName = std::string(name) + " Angler";
            m.InactiveFlag = "N";
            m.Email = std::string(name) + "@club.test";
            ASSERT_TRUE(data::insertRecord(store(), m).isOk());
            data::GradeHistory h;
            h.MemberId = m.MemberId;
            h.DivisionId = division;
            h.GradeId = gr.GradeId;
            h.StartSeasonId = "2000";
            ASSERT_TRUE(data::insertRecord(store(), h).isOk());
            data::TripMember tm;
            tm.TripId = t.TripId;
            tm.MemberId = m.MemberId;
            ASSERT_TRUE(data::insertRecord(store(), tm).isOk());
        }
        g_.SecurityLevel = "Scorer";
        g_.OrganisationName = "Estuary Anglers";
        data::System sys;
        ASSERT_TRUE(data::readSystem(store(), sys).isOk());
        sys.EmailSmtpServer = "127.0.0.1";
        sys.EmailFrom = "secretary@club.test";
        sys.EmailSubject = "Results";
        sys.EmailTestFlag = "0";
        ASSERT_TRUE(data::writeSystem(store(), sys).isOk());
    }
    void TearDown() override {
        UiTest::TearDown();
        std::filesystem::remove_all(mailFolder);
    }
    void useServer(int port, mail::TlsMode tls = mail::TlsMode::None) {
        mail::MailServer s;
        s.port = port;
        s.tls = tls;
        ASSERT_TRUE(mail::writeMailServer(store(), s).isOk());
    }
    void choose(ui::EmailReportsWindow& w) {
        w.reportButton("Trip Sheet")->click();
        w.division()->setCurrentIndex(w.division()->findText("Offshore"));
    }
    int32_t division = 0;
    std::string mailFolder;
};

TEST_F(EmailWindow, TheDivisionWaitsForAReportAndEmailForBoth) {
    ui::EmailReportsWindow w(ctx(), nullptr, &kOffered);
    EXPECT_EQ(w.windowTitle(), "Email Reports for Current Season");
    EXPECT_FALSE(w.division()->isEnabled());
    EXPECT_FALSE(w.emailButton()->isEnabled());
    w.reportButton("Trip Sheet")->click();
    EXPECT_TRUE(w.division()->isEnabled());
    EXPECT_FALSE(w.emailButton()->isEnabled());
    w.division()->setCurrentIndex(w.division()->findText("Freshwater"));
    EXPECT_TRUE(w.emailButton()->isEnabled());
    EXPECT_NE(g_.DivisionId, division);
    ui::EmailReportsWindow all(ctx());
    for (const char* text : {"Progress Scores", "Season", "Trophy Winners"}) EXPECT_NE(all.reportButton(text), nullptr);
}

TEST_F(EmailWindow, AnsweringNoSendsNothingAndYesMailsEachMemberThenSumsUp) {
    SmtpServer server(mailFolder);
    ASSERT_TRUE(server.running());
    useServer(server.port());
    ui::EmailReportsWindow w(ctx(), nullptr, &kOffered);
    choose(w);
    messages_.answer(ui::Answer::No);
    w.emailButton()->click();
    EXPECT_EQ(shownTexts().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].message.title, "Email Accounts");
    EXPECT_TRUE(server.received().empty());

    messages_.clear();
    messages_.answer(ui::Answer::Yes);
    w.emailButton()->click();
    EXPECT_EQ(server.received().size(), 3u);
    ASSERT_EQ(shownTexts().size(), 2u);
    EXPECT_EQ(shownTexts()[1], "The report was e-mailed for 3 of 3 members.");
    EXPECT_EQ(g_.SeasonId.str(), "2026");
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(server.received()[0].attachment.substr(0, 5), "%PDF-");
}

TEST_F(EmailWindow, ARefusedMemberIsToldAtOnceAndAnUnusableServerOnlyOnce) {
    {
        SmtpServer server(mailFolder, qvtest::refusing({"bob@club.test"}));
        useServer(server.port());
        ui::EmailReportsWindow w(ctx(), nullptr, &kOffered);
        choose(w);
        messages_.answer(ui::Answer::Yes);
        w.emailButton()->click();
        const auto texts = shownTexts();
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[1], "Server does not like To: address.||Mail server error accepting message data.");
        EXPECT_NE(texts[2].find("2 of 3 members.||Not sent:|bob Angler <bob@club.test>"), std::string::npos) << texts[2];
    }
    messages_.clear();
    useServer(qvtest::closedPort());
    ui::EmailReportsWindow w(ctx(), nullptr, &kOffered);
    choose(w);
    messages_.answer(ui::Answer::Yes);
    w.emailButton()->click();
    const auto texts = shownTexts();
    ASSERT_EQ(texts.size(), 2u);  // the question, then one message for the whole run
    EXPECT_NE(texts[1].find("could not be used"), std::string::npos) << texts[1];
    EXPECT_NE(texts[1].find("0 of 3 members"), std::string::npos) << texts[1];
}

TEST_F(EmailWindow, IncompleteSettingsKeepTheWindowOpen) {
    data::System sys;
    ASSERT_TRUE(data::readSystem(store(), sys).isOk());
    sys.EmailSubject = "";
    ASSERT_TRUE(data::writeSystem(store(), sys).isOk());
    ui::EmailReportsWindow w(ctx(), nullptr, &kOffered);
    w.show();
    choose(w);
    messages_.answer(ui::Answer::Yes);
    w.emailButton()->click();
    ASSERT_EQ(shownTexts().size(), 2u);
    EXPECT_EQ(shownTexts()[1],
              "Please ensure that all fields are completed in Email Settings on the System Configuration Screen");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(EmailWindow, TheMailServerGroupKeepsItsSettingsAndMasksThePassword) {
    mail::MailServer stored;
    stored.trustFile = "/etc/club-ca.pem";
    ASSERT_TRUE(mail::writeMailServer(store(), stored).isOk());
    {
        std::unique_ptr<QWidget> w(maintenance::openSystemConfiguration(ctx(), nullptr));
        auto* form = qobject_cast<ui::StandardForm*>(w.get());
        ASSERT_NE(form, nullptr);
        form->show();
        auto* password = form->findChild<QLineEdit*>("MailPassword");
        ASSERT_NE(password, nullptr);
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        auto* tls = form->findChild<QComboBox*>("MailTls");
        tls->setCurrentIndex(tls->findText("TLS from the start"));
        form->findChild<QSpinBox*>("MailPort")->setValue(2465);
        form->findChild<QLineEdit*>("MailUser")->setText("club");
        password->setText("s3cret");
        form->accept();
    }
    mail::MailServer back;
    ASSERT_TRUE(mail::readMailServer(store(), back).isOk());
    EXPECT_EQ(back.tls, mail::TlsMode::Implicit);
    EXPECT_EQ(back.port, 2465);
    EXPECT_EQ(back.user, "club");
    EXPECT_EQ(back.password, "s3cret");
    EXPECT_EQ(back.trustFile, "/etc/club-ca.pem") << "what the window does not show is kept";

    std::unique_ptr<QWidget> w(maintenance::openSystemConfiguration(ctx(), nullptr));
    auto* form = qobject_cast<ui::StandardForm*>(w.get());
    form->findChild<QLineEdit*>("MailPassword")->setText("changed");
    form->reject();
    ASSERT_TRUE(mail::readMailServer(store(), back).isOk());
    EXPECT_EQ(back.password, "s3cret");
}

}  // namespace
