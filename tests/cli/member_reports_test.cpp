// The member and trophy winners reports from the command line on the demo
// club: every data file against checked-in copies, and the PDF's text.

#include "tests/PdfText.h"
#include "tests/cli/GoldenFiles.h"

using namespace qvcli;
using qvtest::pdfText;

namespace {

using MemberReports = DemoWorkstation;

const char* const kMemberFiles[] = {"rptMember.xml", "rptMemberGradeHistory.xml", "rptMemberTrophyHistory.xml",
                                    "rptMemberFishHistory.xml"};
const char* const kTrophyFiles[] = {"rptTrophyWinnersSeason.xml", "rptTrophyWinnersTrips.xml",
                                    "rptTrophyWinnersTrophy.xml", "rptTrophyWinners.xml"};

TEST_F(MemberReports, AMembersWholeHistoryAndTheSameFilesASecondTime) {
    const fs::path pdf = folder() / "member1.pdf";
    for (int run = 0; run < 2; ++run) {
        Outcome r = as("member", "report member --member 1 --pdf '" + pdf.string() + "'");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        for (const char* name : kMemberFiles) {
            EXPECT_NE(r.out.find("data: " + (data() / name).string()), std::string::npos) << name;
            EXPECT_EQ(undated(slurp(data() / name)), golden(name))
                << name << " on run " << run + 1;
        }
    }
    const std::string text = pdfText(pdf);
    for (const char* what : {"Member History: Aroha Kettering", "Grade History", "Trophies & Awards",
                             "B Grade Trip Winner for Trip 3 (14/04/2024)", "Fishing History",
                             "Season 2025 — Freshwater Shore", "Season total", "Total Length (ins)", "Page 1 of "})
        EXPECT_NE(text.find(what), std::string::npos) << what;
}

TEST_F(MemberReports, AMemberWithGradesButNoTripsStillHasAReport) {
    ASSERT_EQ(as("admin", "add Members FirstName=New LastName=Angler InactiveFlag=N").exitCode, 0);
    ASSERT_EQ(as("admin", "add GradeHistory MemberId=41 DivisionId=1 GradeId=2 StartSeasonId=2026").exitCode, 0);
    const fs::path pdf = folder() / "new.pdf";
    Outcome r = as("member", "report member --member 41 --pdf '" + pdf.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    const std::string heading = slurp(data() / "rptMember.xml");
    EXPECT_NE(heading.find("<gradehistory>Y</gradehistory>"), std::string::npos) << heading;
    EXPECT_NE(heading.find("<fishhistory>N</fishhistory>"), std::string::npos);
    EXPECT_NE(heading.find("<trophyhistory>N</trophyhistory>"), std::string::npos);
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("No trips fished."), std::string::npos) << text;
    EXPECT_NE(text.find("B Grade"), std::string::npos);
}

TEST_F(MemberReports, TheSeasonsPrizeGivingSheet) {
    const fs::path pdf = folder() / "winners.pdf";
    Outcome r = as("member", "report trophy-winners --division 1 --season 2025 --pdf '" + pdf.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    size_t at = 0;
    for (const char* name : kTrophyFiles) {
        const size_t next = r.out.find("data: " + (data() / name).string());
        EXPECT_TRUE(next != std::string::npos && next >= at) << name << " is written in its turn";
        at = next == std::string::npos ? at : next;
        EXPECT_EQ(undated(slurp(data() / name)), golden(name)) << name;
    }
    const std::string text = pdfText(pdf);
    for (const char* what : {"Trophy Winners", "Offshore Boat — Season 2025", "Offshore Championship Shield",
                             "Rangi Whitcombe", "C Grade Ladies", "Trip Winners", "Trip 1", "Visitors' Plate"})
        EXPECT_NE(text.find(what), std::string::npos) << what;
}

TEST_F(MemberReports, CriteriaAndTheNoDataCase) {
    EXPECT_EQ(as("member", "report member").exitCode, 2);
    EXPECT_EQ(as("member", "report member --member 1 --division 1").exitCode, 2);
    EXPECT_EQ(as("member", "report trophy-winners --division 1").exitCode, 2);
    ASSERT_EQ(as("admin", "add Season SeasonId=2030 SeasonDesc=\"Season 2030\"").exitCode, 0);
    Outcome r = as("member", "report trophy-winners --division 2 --season 2030");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("There is no corresponding data for the report - Trophy Winners Report"), std::string::npos)
        << r.err;
    EXPECT_NE(slurp(data() / "rptTrophyWinners.xml").find("<seasondesc>Season 2030</seasondesc>"), std::string::npos);
}

}  // namespace
