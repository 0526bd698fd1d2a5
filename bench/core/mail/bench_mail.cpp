// E-mailing a report in the large synthetic club: choosing the members who
// fished the current season in a division, then sending messages with a
// 200 kB PDF attached to a local SMTP server, plain and with STARTTLS.
//
// Goal: the choice of members under 0.2 s. The sending figures are those of
// the tests' server on the same machine, whose own parsing of each message
// takes most of the time; a real server answers faster.

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "bench/core/data/SyntheticClub.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"
#include "core/data/Workstation.h"
#include "core/mail/Recipients.h"
#include "core/mail/Send.h"
#include "tests/SmtpServer.h"

namespace fs = std::filesystem;
using namespace qv;
using Clock = std::chrono::steady_clock;

namespace {

double since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

void check(bool ok, const std::string& what) {
    if (ok) return;
    std::cerr << "failed: " << what << '\n';
    std::exit(1);
}

// Sends `count` messages and prints how many went each second.
void sendMany(const char* what, const mail::Envelope& e, const mail::MailServer& server, int count) {
    const auto t0 = Clock::now();
    for (int i = 0; i < count; ++i) check(mail::Send(e, server).sent(), what);
    const double s = since(t0);
    std::cout << what << ": " << count << " messages in " << s << " s, " << count / s << " a second\n";
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / ("quillavon-bench-mail-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    check(data::initWorkstation(folder.string()).isOk(), "workstation");
    std::unique_ptr<data::Store> store;
    check(data::openWorkstation(folder.string(), store, nullptr).isOk(), "open");
    bench::ClubSize size;
    bench::ClubCounts counts;
    check(bench::writeSyntheticClub(*store, size, counts).isOk(), "club");
    {
        data::FileUse use(*store, "Members");
        check(store->inTransaction(data::Location::Club, [&]() -> data::Status {
            for (int32_t id = 1; id <= size.members; ++id) {
                data::Members m;
                m.MemberId = id;
                if (data::Status s = data::fetchRecord(*store, m, "byMemberId"); !s) return s;
                m.Email = "member" + std::to_string(id) + "@club.test";
                if (data::Status s = data::updateRecord(*store, m); !s) return s;
            }
            return data::Status::ok();
        }).isOk(), "addresses");
    }
    std::cout << "synthetic club: " << counts.records << " records, " << counts.tripMembers << " trip members\n";

    std::string season;
    check(mail::currentSeason(*store, season).isOk(), "season");
    std::vector<data::Members> members;
    auto t0 = Clock::now();
    check(mail::qualifyingMembers(*store, 1, season, members).isOk(), "members");
    std::cout << "members who fished season " << season << " in division 1: " << members.size() << " of "
              << size.members << ", chosen in " << since(t0) << " s\n";

    const fs::path pdf = folder / "Report.pdf";
    {
        std::ofstream out(pdf, std::ios::binary);
        out << "%PDF-1.4\n";
        for (int i = 0; i < 200 * 1024 / 64; ++i) out << std::string(63, static_cast<char>('a' + i % 26)) << '\n';
    }
    mail::Envelope e;
    e.server = "127.0.0.1";
    e.from = "secretary@club.test";
    e.to = "member@club.test";
    e.attach = pdf.string();
    e.subject = "Progress table";
    e.log = (folder / "Mail.log").string();
    {
        qvtest::SmtpServer server(folder / "plain");
        check(server.running(), "smtp server");
        mail::MailServer plain;
        plain.port = server.port();
        plain.tls = mail::TlsMode::None;
        sendMany("plain SMTP, 200 kB attached", e, plain, 100);
        const fs::path small = folder / "Small.pdf";
        std::ofstream(small, std::ios::binary) << "%PDF-1.4\n%%EOF\n";
        mail::Envelope light = e;
        light.attach = small.string();
        sendMany("plain SMTP, 16 bytes attached", light, plain, 100);
    }
    {
        const fs::path cert = folder / "cert.pem", key = folder / "key.pem";
        check(qvtest::makeSelfSignedCertificate(cert, key), "certificate");
        qvtest::SmtpServer server(folder / "tls", qvtest::startTls(cert.string(), key.string()));
        mail::MailServer tls;
        tls.port = server.port();
        tls.tls = mail::TlsMode::StartTls;
        tls.trustFile = cert.string();
        sendMany("STARTTLS, 200 kB attached", e, tls, 100);
    }
    store.reset();
    fs::remove_all(folder);
    return 0;
}
