// `quillavon-cli email` on the demo club against a real SMTP server: the
// report reaches exactly the members who fished, once each, as a PDF; every
// failure shows in the output and the exit code.

#include "tests/PdfText.h"
#include "tests/SmtpServer.h"
#include "tests/cli/CliRunner.h"

using namespace qvcli;
using qvtest::ReceivedMail;
using qvtest::SmtpServer;

namespace {

class Email : public DemoWorkstation {
protected:
    void SetUp() override {
        DemoWorkstation::SetUp();
        mailFolder = folder().string() + "-mail";
        ASSERT_EQ(as("admin", "change System EmailSmtpServer=127.0.0.1 EmailFrom=secretary@club.test "
                              "EmailSubject=\"Progress table\" EmailTestFlag=0").exitCode, 0);
    }
    void TearDown() override {
        fs::remove_all(mailFolder);
        DemoWorkstation::TearDown();
    }
    void mailServer(int port, const char* tls, const std::string& trust = "") {
        sql(data() / "WORKSTATION.DB",
            "INSERT OR REPLACE INTO _StationSettings (Name, Value) VALUES ('MailPort', '" + std::to_string(port) +
                "'), ('MailTls', '" + tls + "'), ('MailTrustFile', '" + trust + "')");
    }
    // The addresses that must get the report, straight from the club database.
    std::vector<std::string> fishedInCurrentSeason(int division) {
        std::vector<std::string> out;
        sqlite3* h = nullptr;
        sqlite3_open(clubDb().c_str(), &h);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(h,
                           "SELECT m.Email FROM Members m WHERE m.InactiveFlag = 'N' AND trim(m.Email) <> '' AND "
                           "EXISTS (SELECT 1 FROM TripMember tm JOIN Trips t ON t.TripId = tm.TripId "
                           "JOIN Season s ON s.SeasonId = t.SeasonId WHERE tm.MemberId = m.MemberId AND "
                           "t.DivisionId = ?1 AND s.CurrentSeasonFlag = 'Y') ORDER BY m.MemberId",
                           -1, &s, nullptr);
        sqlite3_bind_int(s, 1, division);
        while (sqlite3_step(s) == SQLITE_ROW) out.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        sqlite3_finalize(s);
        sqlite3_close(h);
        return out;
    }
    static std::vector<std::string> recipients(const std::vector<ReceivedMail>& mails) {
        std::vector<std::string> out;
        for (const ReceivedMail& m : mails) out.push_back(m["envelope-to"]);
        return out;
    }
    static int lines(const std::string& text, const std::string& start) {
        int n = 0;
        std::istringstream in(text);
        for (std::string l; std::getline(in, l);) n += l.rfind(start, 0) == 0;
        return n;
    }

    std::string mailFolder;
};

TEST_F(Email, EveryMemberWhoFishedTheSeasonGetsTheReportOnce) {
    SmtpServer server(mailFolder);
    ASSERT_TRUE(server.running());
    mailServer(server.port(), "none");
    const std::vector<std::string> expected = fishedInCurrentSeason(1);
    ASSERT_GT(expected.size(), 5u);

    Outcome r = as("admin", "email progress --division 1 --yes");
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    const auto mails = server.received();
    EXPECT_EQ(recipients(mails), expected);
    EXPECT_EQ(lines(r.out, "sent: "), static_cast<int>(expected.size()));
    EXPECT_NE(r.out.find("The report was e-mailed for " + std::to_string(expected.size()) + " of " +
                         std::to_string(expected.size()) + " members."),
              std::string::npos)
        << r.out;
    EXPECT_TRUE(fs::exists(data() / "ProgressPoints.pdf"));
    const fs::path attached = folder().string() + "-attached.pdf";
    std::ofstream(attached, std::ios::binary) << mails.front().attachment;
    EXPECT_NE(qvtest::pdfText(attached).find("Riverbend Angling Club"), std::string::npos);
    fs::remove(attached);
    EXPECT_EQ(lines(slurp(folder() / "Mail.log"), "20"), static_cast<int>(expected.size()));

    // Test mode: the same number of messages, all to the sender.
    ASSERT_EQ(as("admin", "change System EmailTestFlag=1").exitCode, 0);
    r = as("admin", "email season --division 1 --yes");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto all = server.received();
    ASSERT_EQ(all.size(), 2 * expected.size());
    for (size_t i = expected.size(); i < all.size(); ++i) {
        EXPECT_EQ(all[i]["envelope-to"], "secretary@club.test");
        EXPECT_EQ(all[i]["attachment"], "SeasonReport.pdf application/pdf");
    }
}

TEST_F(Email, ARefusedMemberIsReportedTheOthersGetTheirsAndTheExitSaysSo) {
    const std::vector<std::string> expected = fishedInCurrentSeason(2);
    ASSERT_GT(expected.size(), 2u);
    SmtpServer server(mailFolder, qvtest::refusing({expected[1]}));
    mailServer(server.port(), "none");
    Outcome r = as("scorer", "email season --division 2 --yes");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(server.received().size(), expected.size() - 1);
    EXPECT_EQ(lines(r.out, "not sent: "), 1);
    EXPECT_NE(r.err.find("Email Accounts: Server does not like To: address."), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("Not sent:"), std::string::npos) << r.out;
}

TEST_F(Email, NothingGoesWithoutConsentDataOrTheRequiredSecurity) {
    SmtpServer server(mailFolder);
    mailServer(server.port(), "none");
    // The question is answered on standard input; anything but yes sends nothing.
    Outcome r = cli("QUILLAVON_PASSWORD=admin1", "email progress --division 1 --user admin", "n\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("Please ensure you are online."), std::string::npos);
    // A "Member" may not mail the club.
    EXPECT_EQ(as("member", "email progress --division 1 --yes").exitCode, 1);

    // A current season without trips: the no-data message.
    ASSERT_EQ(as("admin", "add Season SeasonId=2099 SeasonDesc=Next CurrentSeasonFlag=Y").exitCode, 0);
    r = as("admin", "email progress --division 1 --yes");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("There is no corresponding data for the report - "), std::string::npos) << r.err;
    ASSERT_EQ(as("admin", "delete Season SeasonId=2099").exitCode, 0);

    // STARTTLS required of a server that does not offer it: refused, and said once.
    mailServer(server.port(), "starttls");
    r = as("admin", "email progress --division 1 --yes");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(lines(r.out, "not sent: "), 1);
    EXPECT_NE(r.err.find("STARTTLS"), std::string::npos) << r.err;
    EXPECT_TRUE(server.received().empty());
}

TEST_F(Email, StartTlsToAServerWithACertificateTheWorkstationTrusts) {
    const fs::path cert = folder().string() + "-cert.pem", key = folder().string() + "-key.pem";
    ASSERT_TRUE(qvtest::makeSelfSignedCertificate(cert, key));
    SmtpServer server(mailFolder, qvtest::startTls(cert.string(), key.string()));
    mailServer(server.port(), "starttls", cert.string());
    Outcome r = as("admin", "email progress --division 2 --yes");
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    const auto mails = server.received();
    EXPECT_EQ(mails.size(), fishedInCurrentSeason(2).size());
    for (const ReceivedMail& m : mails) EXPECT_EQ(m["tls"], "yes");
    fs::remove(cert);
    fs::remove(key);
}

}  // namespace
