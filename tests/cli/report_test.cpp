// The trip report from the command line on the demo club: the three data
// files against checked-in copies, and the PDF's text.

#include "tests/PdfText.h"
#include "tests/cli/GoldenFiles.h"

using namespace qvcli;
using qvtest::pdfText;

namespace {

using Report = DemoWorkstation;

TEST_F(Report, TheDemoTripsResultSheet) {
    const fs::path pdf = folder() / "trip5.pdf";
    Outcome r = as("member", "report trip --trip 5 --pdf '" + pdf.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("data: " + (data() / "rptTrip.xml").string()), std::string::npos) << r.out;
    for (const char* name : {"rptTrip.xml", "rptTripTrophy.xml", "rptTripWinners.xml"})
        EXPECT_EQ(undated(slurp(data() / name)), golden(name)) << name;

    const std::string text = pdfText(pdf);
    for (const char* what : {"Riverbend Angling Club", "Result Sheet: Trip 5", "Alistair Birkett (V)",
                             "245.41", "Grade Winners", "Zara Holcombe (L)", "1597.73",
                             "Offshore Best Fish Medal", "Page 1 of "})
        EXPECT_NE(text.find(what), std::string::npos) << what;
}

TEST_F(Report, ATripWithoutAnglersHasNoReportButItsFiles) {
    ASSERT_EQ(as("admin", "add Trips DivisionId=1 SeasonId=2026 SeasonTripNumber=99").exitCode, 0);
    Outcome r = as("member", "report trip --trip 54 --pdf '" + (folder() / "none.pdf").string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("There is no corresponding data for the report - Trip Report"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(folder() / "none.pdf"));
    EXPECT_NE(slurp(data() / "rptTripTrophy.xml").find("<Row>"), std::string::npos);
}

TEST_F(Report, AMissingDefinitionIsTheEnginesMessage) {
    fs::create_directories(folder() / "reports");
    std::ofstream(folder() / "reports" / "rptTrip06.rpt") << "not a stylesheet";
    Outcome r = as("member", "report trip --trip 5 --pdf '" + (folder() / "x.pdf").string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("REPORT ENGINE ERROR - 502"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("An error occurred running the report - reports/rptTrip06.rpt"), std::string::npos);
}

}  // namespace
