// The catch, certificate and team points reports from the command line on
// the demo club: their data files against checked-in copies, and the text
// of the PDFs they make.

#include "tests/PdfText.h"
#include "tests/cli/GoldenFiles.h"

using namespace qvcli;
using qvtest::pdfText;

namespace {

using CatchReport = DemoWorkstation;

struct Case {
    const char* args;     // the report and its criteria
    const char* written;  // the data file it writes
    const char* golden;   // the checked-in copy it must equal
    std::vector<const char*> printed;
};

TEST_F(CatchReport, TheCatchListsOfTheDemoClub) {
    // One trip with visitors, and the whole of an offshore season: the
    // kinds of one scope write the same rows, each into its own file.
    const Case cases[] = {
        {"trip-catch --division 1 --season 2025 --trip 18", "rptTripCatch.xml", "rptTripCatch.xml",
         {"Catch Details: Trip 2", "v Port Ellery AC", "Released / Kept", "Witness"}},
        {"trip-biggest-species --division 1 --season 2025 --trip 18", "rptBiggestSpecies.xml", "rptTripCatch.xml",
         {"Biggest Fish of Each Species: Trip 2", "the longest fish of each species"}},
        {"biggest-species --division 1 --season 2025", "rptBiggestSpecies.xml", "rptBiggestSpecies.xml",
         {"Biggest Fish of Each Species", "Offshore Boat", "Season 2025", "Kingfish"}},
        {"fly --division 1 --season 2025", "rptFly.xml", "rptBiggestSpecies.xml",
         {"Fish Caught on the Fly", "No fish were recorded as caught on the fly this season."}},
        {"line-class --division 1 --season 2025", "rptLineClass.xml", "rptBiggestSpecies.xml",
         {"Highest Points by Line Class", "Line class 6.00", "Line class 24.00"}},
    };
    for (const Case& c : cases) {
        const fs::path pdf = folder() / "catch.pdf";
        Outcome r = as("member", std::string("report ") + c.args + " --pdf '" + pdf.string() + "'");
        ASSERT_EQ(r.exitCode, 0) << c.args << r.err;
        EXPECT_NE(r.out.find("data: " + (data() / c.written).string()), std::string::npos) << r.out;
        EXPECT_EQ(undated(slurp(data() / c.written)), golden(c.golden)) << c.args;
        const std::string text = pdfText(pdf);
        EXPECT_NE(text.find("Riverbend Angling Club"), std::string::npos) << c.args;
        for (const char* what : c.printed) EXPECT_NE(text.find(what), std::string::npos) << c.args << ": " << what;
    }
    // Visitors fish trip 18: the trip's lists name them, the season's do not.
    EXPECT_NE(golden("rptTripCatch.xml").find("*</fullname>"), std::string::npos);
    EXPECT_EQ(golden("rptBiggestSpecies.xml").find("*</fullname>"), std::string::npos);
}

TEST_F(CatchReport, CatchAndReleaseTeamPointsAndTheCertificate) {
    const Case cases[] = {
        {"catch-release --division 2 --season 2024", "rptCatchRelease.xml", "rptCatchRelease.xml",
         {"Champion Catch and Release", "Fish Released", "Fish Kept", "Brown Trout"}},
        {"team-points --division 1 --season 2025 --trip 18", "rptTeamPoints.xml", "rptTeamPoints.xml",
         {"Team Points: Trip 2", "Standings", "Net Gains"}},
        {"certificate --division 2 --season 2024 --member 3", "rptCertificate.xml", "rptCertificate.xml",
         {"Certificate of Angling", "Callum Pettigrew", "Freshwater Shore", "Rainbow Trout"}},
    };
    for (const Case& c : cases) {
        const fs::path pdf = folder() / "report.pdf";
        Outcome r = as("admin", std::string("report ") + c.args + " --pdf '" + pdf.string() + "'");
        ASSERT_EQ(r.exitCode, 0) << c.args << r.err;
        EXPECT_EQ(undated(slurp(data() / c.written)), golden(c.golden)) << c.args;
        const std::string text = pdfText(pdf);
        for (const char* what : c.printed) EXPECT_NE(text.find(what), std::string::npos) << c.args << ": " << what;
    }
    EXPECT_EQ(undated(slurp(data() / "rptCertificateFishHistory.xml")), golden("rptCertificateFishHistory.xml"));
    // The certificate is a page to frame: no page heading or page numbers.
    EXPECT_EQ(pdfText(folder() / "report.pdf").find("Page 1 of"), std::string::npos);
}

TEST_F(CatchReport, TheCertificateIsNotForMembersAndNeedsATrip) {
    Outcome r = as("member", "report certificate --division 2 --season 2024 --member 2");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(fs::exists(data() / "rptCertificate.xml"));

    // A new member has fished no trip yet.
    Outcome added = as("admin", "add Members FirstName=Nora LastName=Newcombe");
    ASSERT_EQ(added.exitCode, 0) << added.err;
    ASSERT_NE(added.out.find("MemberId=41 "), std::string::npos) << added.out;
    r = as("admin", "report certificate --division 2 --season 2024 --member 41 --pdf '" +
                        (folder() / "none.pdf").string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("There is no corresponding data for the report - Certificate"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(folder() / "none.pdf"));
    EXPECT_TRUE(fs::exists(data() / "rptCertificate.xml"));
    EXPECT_TRUE(fs::exists(data() / "rptCertificateFishHistory.xml"));
}

TEST_F(CatchReport, EachReportTakesItsOwnCriteria) {
    EXPECT_EQ(as("member", "report fly --division 1 --season 2025 --trip 18").exitCode, 2);
    Outcome r = as("member", "report trip-catch --division 1 --season 2025");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--trip needs a whole number"), std::string::npos) << r.err;
}

}  // namespace
