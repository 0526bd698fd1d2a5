// The season, progressive and championship points reports from the command
// line on the demo club's imperial season: the data files against
// checked-in copies, and the PDFs' text.

#include "tests/PdfText.h"
#include "tests/cli/GoldenFiles.h"

using namespace qvcli;
using qvtest::pdfText;

namespace {

using SeasonReports = DemoWorkstation;

struct Case {
    const char* kind;
    const char* golden;  // the checked-in copy of the data file
    std::vector<const char*> inPdf;
};

TEST_F(SeasonReports, TheDemoSeasonsReportsAndTheirDataFiles) {
    const Case cases[] = {
        {"season", "rptSeason.xml",
         {"Season Report", "Offshore Boat", "Season 2025", "Total Length (ins)", "Rangi Whitcombe", "A Grade",
          "Lengths are wholes and twelfths"}},
        {"progress", "rptProgressPts.xml",
         {"Progressive Points", "Trip 8", "The Season Race", "Total", "Page 2 of "}},
        {"championship", "rptChampionshipPts.xml", {"Championship Points", "Trip 1", "Una Fairbrother (L) (V)"}},
    };
    for (const Case& c : cases) {
        const fs::path pdf = folder() / (std::string(c.kind) + ".pdf");
        Outcome r = as("member", std::string("report ") + c.kind + " --division 1 --season 2025 --pdf '" +
                                     pdf.string() + "'");
        ASSERT_EQ(r.exitCode, 0) << c.kind << ": " << r.err;
        const fs::path written = data() / (std::string(c.kind) == "season" ? "rptSeason.xml" : "rptProgressPts.xml");
        EXPECT_NE(r.out.find("data: " + written.string()), std::string::npos) << r.out;
        EXPECT_EQ(undated(slurp(written)), golden(c.golden)) << c.kind;
        const std::string text = pdfText(pdf);
        for (const char* what : c.inPdf) EXPECT_NE(text.find(what), std::string::npos) << c.kind << ": " << what;
    }
}

TEST_F(SeasonReports, ASeasonWithoutTripsHasNoReport) {
    ASSERT_EQ(as("admin", "add Season SeasonId=2030 SeasonDesc=Empty").exitCode, 0);
    for (const char* kind : {"season", "progress", "championship"}) {
        Outcome r = as("member", std::string("report ") + kind + " --division 1 --season 2030");
        EXPECT_EQ(r.exitCode, 1) << kind;
        EXPECT_NE(r.err.find("There is no corresponding data for the report - "), std::string::npos) << r.err;
    }
    EXPECT_EQ(as("member", "report season --division 1").exitCode, 2) << "the season is needed";
}

}  // namespace
