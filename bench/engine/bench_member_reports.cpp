// The member report and the trophy winners report on the large synthetic
// club, each stage timed: the builder's own stages, the definition run, the
// page layout and the PDF.
//
// Goals: the trophy winners report of one division and season under 0.5 s;
// the member report of a member with 30 seasons of history under 1 s.

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <vector>

#include "bench/core/data/BenchSupport.h"
#include "bench/core/data/SyntheticClub.h"
#include "core/data/ClubRecords.h"
#include "core/data/Definitions.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/reports/MemberReport.h"
#include "core/reports/TrophyWinnersReport.h"
#include "engine/ReportEngine.h"

namespace fs = std::filesystem;
using namespace qv;
using bench::check;
using bench::Clock;
using bench::since;

namespace {

constexpr int32_t kMember = 1;

// What the synthetic club lacks for these reports: trophies, season and trip
// trophies, and a member whose grade changes season by season.
data::Status addAwards(data::Store& store, const bench::ClubSize& size) {
    for (const char* l : {"Trophy", "SeasonTrophy", "TripTrophy", "GradeHistory", "Trips", "TripMember"})
        if (data::Status s = store.open(l); !s) return s;
    return store.inTransaction(data::Location::Club, [&]() -> data::Status {
        // The synthetic club leaves progress points at 0, which ties every
        // member of a grade for first place; give each its trip points.
        store.database(*data::Catalog::instance().file("TripMember"))
            .exec(R"(UPDATE "TripMember" SET "ProgressPoints" = "TotalTripPoints")");
        std::vector<int32_t> trophies;
        for (const char* name : {"Championship Shield", "Best Fish Medal", "Ladies' Rose Bowl", "Veterans' Salver"}) {
            data::Trophy t;
            t.TrophyName = name;
            t.Description = std::string(name) + " of the season";
            t.InactiveFlag = "N";
            if (data::Status s = data::insertRecord(store, t); !s) return s;
            trophies.push_back(t.TrophyId);
        }
        for (int y = 0; y < size.seasons; ++y) {
            const std::string season = std::to_string(2000 + y);
            for (int d = 1; d <= size.divisions; ++d) {
                data::SeasonTrophy st;
                st.DivisionId = d;
                st.SeasonId = season;
                for (int p = 1; p <= 3; ++p) {
                    st.SeasonTrophyId = 0;  // numbered anew
                    st.TrophyId = trophies[0];
                    // Distinct winners of one trophy in a season, across divisions too.
                    st.MemberId = p == 1 && d == 1 ? kMember : 2 + (d - 1) * 3 + (p - 1) + (y % 50) * 9;
                    st.PositionalTrophy = "Y";
                    st.Position = std::to_string(p);
                    if (data::Status s = data::insertRecord(store, st); !s) return s;
                }
                for (size_t k = 2; k < trophies.size(); ++k) {
                    st.SeasonTrophyId = 0;
                    st.TrophyId = trophies[k];
                    st.MemberId = 500 + d + (y % 50) * 3;
                    st.PositionalTrophy = "N";
                    st.Position = "";
                    if (data::Status s = data::insertRecord(store, st); !s) return s;
                }
            }
            // A season's grade for the member in the first division.
            data::GradeHistory h;
            h.MemberId = kMember;
            h.DivisionId = 1;
            h.GradeId = 1 + y % 5;
            h.StartSeasonId = season;
            h.EndSeasonId = season;
            if (data::Status s = data::insertRecord(store, h); !s) return s;
        }
        // One best-fish medal per trip, to one of its anglers.
        std::unique_ptr<data::Cursor> trips;
        if (data::Status s = store.walk("Trips", "byTripId", {}, false, trips); !s) return s;
        std::vector<data::Trips> all;
        for (data::Record r = store.newRecord("Trips"); trips->next(r).isOk();) {
            data::Trips t;
            t.fromRecord(r);
            all.push_back(t);
        }
        trips.reset();
        for (const data::Trips& t : all) {
            data::TripMember tm;
            tm.TripId = t.TripId;
            if (data::Status s = data::fetchRecord(store, tm, "byTripId"); !s) return s;
            data::TripTrophy tt;
            tt.MemberId = tm.MemberId;
            tt.TrophyId = trophies[1];
            tt.SeasonId = t.SeasonId;
            tt.TripId = t.TripId;
            data::Status s = data::insertRecord(store, tt);
            if (s.isFailed() && s.message().number == 0) return s;  // one medal a season per member
        }
        return data::Status::ok();
    });
}

struct Timings {
    std::vector<std::pair<std::string, double>> stages;
    void add(const std::string& name, double seconds) {
        for (auto& [n, best] : stages)
            if (n == name) {
                best = std::min(best, seconds);
                return;
            }
        stages.push_back({name, seconds});
    }
    void print(const std::string& title, double goal) const {
        double total = 0;
        std::cout << title << " (best of 3):\n";
        for (const auto& [name, seconds] : stages) {
            std::cout << "  " << std::left << std::setw(52) << name << std::right << std::setw(9) << std::fixed
                      << std::setprecision(1) << seconds * 1000 << " ms\n";
            total += seconds;
        }
        std::cout << "  " << std::left << std::setw(52) << "total" << std::right << std::setw(9) << total * 1000
                  << " ms (goal " << goal * 1000 << " ms)\n";
    }
};

// Runs a built report through the engine, each step timed.
void render(engine::ReportEngine& reports, const reports::ReportRun& run, const fs::path& pdf, Timings& t,
            int& pages) {
    auto t0 = Clock::now();
    check(reports.openReport(run.reportFile), "open " + run.reportFile);
    t.add("definition + HTML + layout", since(t0));
    t0 = Clock::now();
    pages = reports.report()->pageCount();
    t.add("pages", since(t0));
    t0 = Clock::now();
    check(reports.exportToDiskFile(engine::kExportPdf, pdf.string()), "pdf");
    t.add("PDF", since(t0));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    bench::BenchWorkstation ws;
    bench::openBenchWorkstation("member", nullptr, ws);
    const std::unique_ptr<data::Store>& store = ws.store;
    const fs::path& folder = ws.folder;
    bench::ClubSize size;
    bench::ClubCounts counts;
    auto t0 = Clock::now();
    check(bench::writeSyntheticClub(*store, size, counts).isOk(), "club");
    if (data::Status s = addAwards(*store, size); !s)
        check(false, "awards: " + (s.isFailed() ? s.message().title + ": " + s.message().text : "not found"));
    std::cout << "synthetic club: " << counts.records << " records and the awards, written in " << since(t0)
              << " s\n";

    session::Globals g;
    g.SecurityLevel = "Member";
    g.OrganisationName = "Synthetic Angling Club";
    scoring::ScoringContext ctx(*store, ws.settings, g);
    const std::vector<std::string> folders = engine::installedDefinitionFolders(argv[0]);

    // The member report of a member who fished every season of the club.
    g.MemberId = kMember;
    Timings member;
    int pages = 0;
    size_t fishRows = 0;
    engine::ReportEngine memberEngine({folder.string(), folders, {g.OrganisationName.str(), "Member Report", "07/12/2026"}});
    for (int run = 0; run < 3; ++run) {
        reports::ReportRun r;
        auto stageStart = Clock::now();
        reports::MemberReportStage current = reports::MemberReportStage::GradeHistory;
        bool started = false;
        const auto stages = [&](reports::MemberReportStage s) {
            if (started) member.add(reports::memberReportStageText(current), since(stageStart));
            started = true;
            current = s;
            stageStart = Clock::now();
        };
        check(reports::BuildMemberReport(ctx, folder.string(), r, stages).isOk() && r.dataFlag == 'Y', "member");
        member.add(reports::memberReportStageText(current), since(stageStart));
        render(memberEngine, r, folder / "member.pdf", member, pages);
        fishRows = fs::file_size(folder / "DATA" / "rptMemberFishHistory.xml");
    }
    // QUILLAVON_BENCH_OUT=FOLDER keeps the member report's PDF and HTML there, to look at.
    if (const char* out = std::getenv("QUILLAVON_BENCH_OUT")) {
        check(memberEngine.exportToDiskFile(engine::kExportPdf, (fs::path(out) / "member.pdf").string()) &&
                  memberEngine.exportToDiskFile(engine::kExportHtmlFirst, (fs::path(out) / "member.html").string()),
              "keep");
    }
    member.print("member report, 30 seasons in 3 divisions, " + std::to_string(pages) + " pages, fish history " +
                     std::to_string(fishRows / 1024) + " KiB",
                 1.0);

    // The trophy winners of one division and season.
    g.DivisionId = 2;
    g.SeasonId = "2029";
    Timings winners;
    engine::ReportEngine winnersEngine(
        {folder.string(), folders, {g.OrganisationName.str(), reports::kTrophyWinnersTitle, "07/12/2026"}});
    for (int run = 0; run < 3; ++run) {
        reports::ReportRun r;
        t0 = Clock::now();
        check(reports::BuildTrophyWinnersReport(ctx, folder.string(), r).isOk() && r.dataFlag == 'Y', "winners");
        winners.add("data files", since(t0));
        render(winnersEngine, r, folder / "winners.pdf", winners, pages);
    }
    winners.print("trophy winners report, 25 trips of 60 anglers, " + std::to_string(pages) + " pages", 0.5);
    return 0;
}
