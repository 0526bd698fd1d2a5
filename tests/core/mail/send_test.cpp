// One message per call over a real SMTP server: what arrives, what each
// failure is called, and what the mail log keeps.

#include "core/mail/MailLog.h"
#include "core/mail/Send.h"
#include "tests/core/mail/MailFixture.h"

namespace qvtest {
namespace {

using mail::Envelope;
using mail::MailServer;
using mail::TlsMode;

class SendTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        dir = fs::temp_directory_path() / ("quillavon-send-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        fs::remove_all(dir);
        fs::create_directories(dir);
        pdf = (dir / "Report.pdf").string();
        std::ofstream(pdf, std::ios::binary) << kTinyPdf;
        e.server = "127.0.0.1";
        e.from = "secretary@club.test";
        e.to = "member@club.test";
        e.attach = pdf;
        e.subject = "Progress table";
        e.log = (dir / "Mail.log").string();
        e.club = "Riverside Anglers";
        e.reportTitle = "Progress Points Report";
        plain.tls = TlsMode::None;
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string log() const {
        std::ifstream in(e.log);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path dir;
    std::string pdf;
    Envelope e;
    MailServer plain;
};

TEST_F(SendTest, AMessageArrivesWithItsHeadersBodyAndThePdfAttached) {
    SmtpServer server(dir / "mail");
    ASSERT_TRUE(server.running());
    plain.port = server.port();
    const mail::SendResult r = mail::Send(e, plain);
    ASSERT_TRUE(r.sent()) << r.reason;
    const auto got = server.received();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0]["envelope-from"], "secretary@club.test");
    EXPECT_EQ(got[0]["envelope-to"], "member@club.test");
    EXPECT_EQ(got[0]["from"], "Riverside Anglers <secretary@club.test>");
    EXPECT_EQ(got[0]["to"], "member@club.test");
    EXPECT_EQ(got[0]["subject"], "Progress table");
    EXPECT_EQ(got[0]["attachment"], "Report.pdf application/pdf");
    EXPECT_EQ(got[0].attachment, kTinyPdf);
    EXPECT_NE(got[0]["body"].find("Progress Points Report of Riverside Anglers"), std::string::npos);
    EXPECT_EQ(got[0]["tls"], "no");
    EXPECT_EQ(got[0]["date-headers"], "1");
    EXPECT_EQ(got[0]["mime-version"], "1.0");
}

TEST_F(SendTest, HeaderTextsCannotAddHeadersAndNonAsciiSubjectsSurviveTheTrip) {
    SmtpServer server(dir / "mail");
    plain.port = server.port();
    e.subject = "Tabla de puntos — Año 2024\r\nBcc: everyone@club.test";
    e.club = "Pescadores \"Río\"";
    ASSERT_TRUE(mail::Send(e, plain).sent());
    const auto got = server.received();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0]["subject"], "Tabla de puntos — Año 2024  Bcc: everyone@club.test");
    EXPECT_EQ(got[0]["from"], "\"Pescadores \\\"Río\\\"\" <secretary@club.test>");
    EXPECT_EQ(got[0]["envelope-to"], "member@club.test");

    // An address that would carry a second command is refused before any connection.
    e.to = "member@club.test>\r\nRCPT TO:<everyone@club.test";
    const mail::SendResult r = mail::Send(e, plain);
    EXPECT_EQ(r.code, mail::kRecipientRefused);
    EXPECT_FALSE(r.serverUnusable);
    EXPECT_EQ(server.received().size(), 1u);
}

TEST_F(SendTest, EachFailureHasItsCodeAndTheLogKeepsOneLinePerMessage) {
    SmtpServer server(dir / "mail", refusing({"nobody@club.test"}));
    plain.port = server.port();
    e.to = "nobody@club.test";
    mail::SendResult r = mail::Send(e, plain);
    EXPECT_EQ(r.code, mail::kRecipientRefused) << r.reason;
    EXPECT_FALSE(r.serverUnusable);

    e.to = "member@club.test";
    e.attach = (dir / "missing.pdf").string();
    r = mail::Send(e, plain);
    EXPECT_EQ(r.code, mail::kAttachmentUnreadable);

    e.attach = pdf;
    MailServer nowhere = plain;
    nowhere.port = closedPort();
    r = mail::Send(e, nowhere);
    EXPECT_EQ(r.code, mail::kConnectionDenied);
    EXPECT_TRUE(r.serverUnusable);

    e.server = "mail.club.test/evil?x";
    r = mail::Send(e, plain);
    EXPECT_EQ(r.code, mail::kConnectionDenied);
    EXPECT_TRUE(server.received().empty());

    const std::string text = log();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_NE(text.find("nobody@club.test  1 "), std::string::npos);
    EXPECT_NE(text.find("member@club.test  3 "), std::string::npos);

    Message m;
    ASSERT_TRUE(mail::sendCodeMessage(1, m));
    EXPECT_EQ(m.title, "Email Accounts");
    EXPECT_EQ(m.text, "Server does not like To: address.||Mail server error accepting message data.");
    EXPECT_FALSE(mail::sendCodeMessage(mail::kSecurityFailed, m));
}

TEST_F(SendTest, RequiredTlsIsNeverGivenUpForPlainText) {
    SmtpServer server(dir / "mail");
    MailServer required;
    required.port = server.port();
    required.tls = TlsMode::StartTls;
    const mail::SendResult r = mail::Send(e, required);
    EXPECT_EQ(r.code, mail::kSecurityFailed);
    EXPECT_TRUE(r.serverUnusable);
    EXPECT_NE(r.reason.find("STARTTLS"), std::string::npos) << r.reason;
    EXPECT_TRUE(server.received().empty());
}

TEST_F(SendTest, StartTlsWithLoginAgainstASelfSignedServerThatTheSettingsTrust) {
    const fs::path cert = dir / "cert.pem", key = dir / "key.pem";
    ASSERT_TRUE(makeSelfSignedCertificate(cert, key));
    SmtpServer server(dir / "mail", startTls(cert.string(), key.string(), "club:s3cret pass"));
    ASSERT_TRUE(server.running());
    MailServer tls;
    tls.port = server.port();
    tls.tls = TlsMode::StartTls;
    tls.user = "club";
    tls.password = "s3cret pass";

    // Without the certificate trusted, verification refuses the server.
    mail::SendResult r = mail::Send(e, tls);
    EXPECT_EQ(r.code, mail::kSecurityFailed) << r.reason;
    EXPECT_TRUE(server.received().empty());

    tls.trustFile = cert.string();
    tls.password = "wrong";
    r = mail::Send(e, tls);
    EXPECT_EQ(r.code, mail::kLoginRefused) << r.reason;
    EXPECT_TRUE(r.serverUnusable);

    tls.password = "s3cret pass";
    r = mail::Send(e, tls);
    ASSERT_TRUE(r.sent()) << r.reason;
    const auto got = server.received();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0]["tls"], "yes");
    EXPECT_EQ(got[0]["login"], "club");
    EXPECT_EQ(got[0].attachment, kTinyPdf);
    EXPECT_EQ(log().find("s3cret"), std::string::npos);
    EXPECT_EQ(log().find("wrong"), std::string::npos);
}

}  // namespace
}  // namespace qvtest
