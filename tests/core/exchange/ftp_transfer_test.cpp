// Transfers through a real FTP server started on 127.0.0.1 for each test:
// the archive's round trip, a wrong password, and a server without TLS when
// TLS is required.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "core/exchange/Transfer.h"
#include "tests/core/exchange/ExchangeFixture.h"

namespace qvtest {
namespace {

using namespace qv::exchange;

class FtpTransfers : public ExchangeTest {
protected:
    void SetUp() override {
        ExchangeTest::SetUp();
        root = folder() / "server";
        fs::create_directories(root / "club");
        const std::string portFile = (folder() / "ftp.port").string();
        std::string certificate;
        if (tls) {
            certificate = (folder() / "server.pem").string();
            const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1 -keyout '" +
                                     certificate + "' -out '" + certificate + ".crt' 2>/dev/null && cat '" +
                                     certificate + ".crt' >> '" + certificate + "'";
            ASSERT_EQ(std::system(make.c_str()), 0) << "openssl could not make a certificate";
        }
        pid = ::fork();
        if (pid == 0) {
            ::execl(QV_PYTHON3, QV_PYTHON3, QV_FTP_SERVER, root.c_str(), "scorer", "s3cret", portFile.c_str(),
                    tls ? certificate.c_str() : static_cast<char*>(nullptr), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ASSERT_GT(pid, 0);
        for (int i = 0; i < 200 && !fs::exists(portFile); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_TRUE(fs::exists(portFile)) << "the FTP server did not start (" << QV_PYTHON3 << " with pyftpdlib)";
        port = readFile(portFile);
    }
    void TearDown() override {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
        ExchangeTest::TearDown();
    }
    TransferRequest request(TransferOption option, const char* password = "s3cret") {
        TransferRequest r;
        r.startFolder = start();
        r.clubDatabase = clubDb().string();
        r.option = option;
        r.ftp.host = "127.0.0.1:" + port;
        r.ftp.user = "scorer";
        r.ftp.password = password;
        r.ftp.serverDir = "club/";
        return r;
    }
    // An upload that insists on TLS; it must fail with a message.
    TransferOutcome uploadRequiringTls() {
        TransferRequest r = request(TransferOption::Upload);
        r.ftp.security = FtpSecurity::TlsRequired;
        TransferOutcome out;
        runExport(*store, globals, r, out);
        EXPECT_FALSE(out.done);
        EXPECT_FALSE(out.messages.empty());
        return out;
    }
    std::string log() { return readFile(folder() / "DATA" / "FTP.log"); }
    static std::string said(const TransferOutcome& out) {
        std::string s;
        for (const Message& m : out.messages) s += m.title + ": " + m.text + "\n";
        return s;
    }
    // Every record of the club, as text.
    std::string clubDump() {
        std::string all;
        for (const char* l : {"Division", "Season", "Members", "Trips", "TripMember"}) {
            std::unique_ptr<Cursor> c;
            EXPECT_TRUE(store->walk(l, "", {}, false, c).isOk());
            Record rec = store->newRecord(l);
            while (c->next(rec).isOk())
                for (size_t i = 0; i < rec.size(); ++i) all += rec.display(static_cast<int>(i)) + "|";
            all += "\n";
        }
        return all;
    }
    bool tls = false;  // the server speaks FTPS only
    fs::path root;
    std::string port;
    pid_t pid = -1;
};

TEST_F(FtpTransfers, TheArchiveGoesUpAndComesBackByteForByte) {
    const int32_t div = division();
    season("2026");
    angler(trip(div, "2026"), member(), "12.5");
    const std::string before = clubDump();

    // The second upload replaces the first on the server.
    for (int upload = 0; upload < 2; ++upload) {
        TransferOutcome sent;
        runExport(*store, globals, request(TransferOption::Upload), sent);
        ASSERT_TRUE(sent.done) << said(sent);
    }
    const std::string archive = readFile(folder() / "export" / "Quillavon.7z");
    EXPECT_EQ(readFile(root / "club" / "Quillavon.7z"), archive);
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "club"), fs::directory_iterator()), 1)
        << "nothing but the archive is left on the server";

    member("Late", "Arrival");
    ASSERT_NE(clubDump(), before);
    TransferOutcome fetched;
    runImport(*store, globals, request(TransferOption::Download), fetched);
    ASSERT_TRUE(fetched.done) << said(fetched);
    EXPECT_EQ(readFile(folder() / "import" / "Quillavon.7z"), archive);
    EXPECT_EQ(clubDump(), before);

    // Both connections, step by step.
    const std::string text = log();
    size_t at = 0;
    for (const char* line : {"FTP Connection Started Successfully as scorer on 127.0.0.1:", " FTP initialised\r\n",
                             " FTP Connection, UserId and Password Verified. Connection Idle.\r\n",
                             " FTP Upload Selected to 127.0.0.1:", " Quillavon data uploaded via FTP successfully\r\n",
                             " FTP Connection Ended Successfully ===\r\n", "=== ", " FTP Download from 127.0.0.1:",
                             " Quillavon data downloaded via FTP successfully\r\n", " FTP Connection Ended Successfully ==="}) {
        at = text.find(line, at);
        ASSERT_NE(at, std::string::npos) << line << "\n" << text;
    }
    EXPECT_EQ(text.rfind("=== ", 0), 0u);
    EXPECT_NE(text.find("\r\n===" ), std::string::npos) << "the end line has no blank after ===";
}

TEST_F(FtpTransfers, AWrongPasswordAbortsTheImportBeforeAnythingIsUnpacked) {
    division();
    const auto before = dataFolderBytes();
    TransferOutcome out;
    runImport(*store, globals, request(TransferOption::Download, "wrong"), out);
    EXPECT_FALSE(out.done);
    ASSERT_EQ(out.messages.size(), 2u) << said(out);
    EXPECT_EQ(out.messages[0].title, "FTP Error");
    EXPECT_EQ(out.messages[0].text, "Server rejects Userid/Password");
    EXPECT_EQ(out.messages[1].text, "Import of data aborted as FTP download failed. ");
    EXPECT_NE(log().find(" FTP login failed with errorcode 1009\r\n"), std::string::npos) << log();
    EXPECT_EQ(log().find("Ended Successfully"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder() / "import" / "Quillavon.7z"));
    auto after = dataFolderBytes();
    after.erase("FTP.log");
    EXPECT_TRUE(after == before);
    EXPECT_TRUE(globals.TransferStatus.empty());
}

TEST_F(FtpTransfers, RequiredTlsIsNeverDroppedForAPlainServer) {
    const TransferOutcome out = uploadRequiringTls();
    ASSERT_FALSE(out.messages.empty());
    EXPECT_EQ(out.messages[0].title, "FTP Error");
    EXPECT_NE(out.messages[0].text.find("TLS"), std::string::npos);
    EXPECT_NE(log().find(" FTP login failed with errorcode 4001"), std::string::npos) << log();
    EXPECT_FALSE(fs::exists(root / "club" / "Quillavon.7z"));
}

TEST_F(FtpTransfers, AMissingServerFileLeavesTheLastImportArchiveAlone) {
    fs::create_directories(folder() / "import");
    std::ofstream(folder() / "import" / "Quillavon.7z") << "previous";
    TransferOutcome out;
    runImport(*store, globals, request(TransferOption::Download), out);
    EXPECT_FALSE(out.done);
    EXPECT_NE(said(out).find("FTP Error: Server cannot open file"), std::string::npos) << said(out);
    EXPECT_EQ(readFile(folder() / "import" / "Quillavon.7z"), "previous");
    EXPECT_NE(log().find(" FTP receive data file failed with errorcode 1010"), std::string::npos) << log();
}

// A server that speaks only TLS, with a certificate no one vouches for.
class FtpsTransfers : public FtpTransfers {
protected:
    FtpsTransfers() { tls = true; }
};

TEST_F(FtpsTransfers, AnUntrustedCertificateIsRefusedAndNothingIsSent) {
    const TransferOutcome out = uploadRequiringTls();
    ASSERT_FALSE(out.messages.empty());
    EXPECT_EQ(out.messages[0].text, "The secure (TLS) connection to the server failed");
    EXPECT_NE(log().find(" FTP login failed with errorcode 4002"), std::string::npos) << log();
    EXPECT_TRUE(fs::is_empty(root / "club"));
}

}  // namespace
}  // namespace qvtest
