// The trip report's data files: the species columns, the score rows, the
// grade winners and the trophies, as the result sheet reads them.

#include <regex>

#include "core/reports/TripReport.h"
#include "tests/core/reports/ReportFiles.h"
#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {
namespace {

using qv::reports::ReportRun;

class TripReport : public ClubTest {
protected:
    void SetUp() override {
        ClubTest::SetUp();
        for (const char* l : {"TripTrophy", "Trophy"}) uses.push_back(std::make_unique<FileUse>(*store, l));
        fs::create_directories(folder() / "DATA");
        div = division();
        season("2005", "W", "P");
        gradeA = grade("A");
        gradeB = grade("B");
        t = trip(div, "2005");
        globals.TripId = t;
        globals.OrganisationName = "Test Club";
    }
    void TearDown() override {
        uses.clear();  // before the store goes
        ClubTest::TearDown();
    }
    int32_t addSpecies(int n) {
        int32_t first = 0;
        for (int i = 1; i <= n; ++i) {
            Species sp;
            sp.DivisionId = div;
            sp.SpeciesName = "Fish" + std::to_string(i);
            sp.ReportPosition = static_cast<int16_t>(100 - i);  // reversed: the sheet sorts by position
            sp.InactiveFlag = "N";
            const int32_t id = put(sp).SpeciesId;
            if (!first) first = id;
        }
        return first;
    }
    void catchOf(int32_t tripMemberId, int32_t speciesId, int32_t count, const char* heaviest,
                 const char* multiple = "0") {
        TripScore row;
        row.TripMemberId = tripMemberId;
        row.SpeciesId = speciesId;
        row.SpeciesNumberCaught = count;
        row.HeaviestWeight = dec(heaviest);
        row.HeaviestMultiple = dec(multiple);
        put(row);
    }
    int32_t graded(const char* first, const char* last, int32_t gradeId) {
        int32_t m = member(first, last);
        history(m, div, gradeId, "2000");
        return m;
    }
    ReportRun build() {
        ReportRun run;
        Status s = qv::reports::BuildTripReport(*ctx, folder().string(), run);
        EXPECT_TRUE(s.isOk()) << describe(s);
        return run;
    }
    std::string file(const char* name) { return readFile(folder() / "DATA" / name); }
    int32_t div = 0, gradeA = 0, gradeB = 0, t = 0;
    std::vector<std::unique_ptr<FileUse>> uses;
};

TEST_F(TripReport, TheDefinitionFollowsTheSpeciesCaught) {
    EXPECT_EQ(qv::reports::tripReportFile(0), "reports/rptTrip05.rpt");
    EXPECT_EQ(qv::reports::tripReportFile(5), "reports/rptTrip05.rpt");
    EXPECT_EQ(qv::reports::tripReportFile(7), "reports/rptTrip07.rpt");
    EXPECT_EQ(qv::reports::tripReportFile(14), "reports/rptTrip10.rpt");
    const int32_t first = addSpecies(8);
    const int32_t ann = angler(t, graded("Ann", "Smith", gradeA), "10.00").TripMemberId;
    for (int i = 0; i < 7; ++i) catchOf(ann, first + i, 1, "1.000");
    catchOf(ann, first + 7, 0, "0");  // the form's row for a species not caught
    ReportRun run = build();
    EXPECT_EQ(run.reportFile, "reports/rptTrip07.rpt");
    EXPECT_EQ(run.dataFlag, 'Y');
    EXPECT_EQ(globals.ReportFile.str(), "reports/rptTrip07.rpt");
    EXPECT_EQ(globals.WindowTitle.str(), "Trip Report");
}

TEST_F(TripReport, ColumnsGoByReportPositionAndTheTenthCombinesTheRest) {
    const int32_t first = addSpecies(12);
    const int32_t ann = angler(t, graded("Ann", "Smith", gradeA), "10.00").TripMemberId;
    const int32_t bob = angler(t, graded("Bob", "Jones", gradeA), "5.00").TripMemberId;
    for (int i = 0; i < 12; ++i) catchOf(ann, first + i, 1, "1.000", "0.500");
    catchOf(bob, first, 2, "2.500");  // Fish1 has the highest position: the last column
    build();
    const std::string scores = file("rptTrip.xml");
    // Fish12 has the lowest report position, so it comes first; 10..12 of the
    // sorted list are Fish3, Fish2 and Fish1.
    EXPECT_NE(scores.find("<speciesname1>Fish12</speciesname1>"), std::string::npos);
    EXPECT_NE(scores.find("<speciesname10>Combined</speciesname10>"), std::string::npos);
    EXPECT_NE(scores.find("<speciesnumbercaught10>3</speciesnumbercaught10>"), std::string::npos);
    EXPECT_NE(scores.find("<heaviestweight10>3.000</heaviestweight10>"), std::string::npos);
    EXPECT_NE(scores.find("<heaviestmultiple10>1.500</heaviestmultiple10>"), std::string::npos);
    // Bob caught only Fish1: his other columns read 0, his combined column 2.
    EXPECT_NE(scores.find("<speciesnumbercaught1>0</speciesnumbercaught1>"), std::string::npos);
    EXPECT_NE(scores.find("<heaviestweight10>2.500</heaviestweight10>"), std::string::npos);
}

TEST_F(TripReport, NamesNotesAndNetPoints) {
    const int32_t first = addSpecies(2);
    Members m;
    m.FirstName = "Ann";
    m.LastName = "Smith";
    m.LadiesFlag = "Y";
    m.VeteranFlag = "N";
    m.InactiveFlag = "N";
    const int32_t annId = put(m).MemberId;
    history(annId, div, gradeA, "2000");
    TripMember ann = angler(t, annId, "50.00", 2, 10);
    catchOf(ann.TripMemberId, first, 1, "1.250", "0.750");
    const int32_t visitor = nonMember(t, gradeB);
    angler(t, 0, "20.00", 0, 0, visitor);
    build();
    const std::string scores = file("rptTrip.xml");
    EXPECT_NE(scores.find("<fullname>Ann Smith (L)</fullname>"), std::string::npos) << scores;
    EXPECT_EQ(occurrences(scores, "*</fullname>"), 1) << "the visitor's name carries an asterisk";
    // Season "P": (50 - 2) less 10 % = 43.20.
    EXPECT_NE(scores.find("<calculatedpoints>43.20</calculatedpoints>"), std::string::npos);
    EXPECT_NE(scores.find("<miscdetails>Penalty 2 points; Fish1 1.250 kgs; 3 Fish1 0.750 kgs;</miscdetails>"),
              std::string::npos)
        << scores;
    EXPECT_NE(file("rptTripWinners.xml").find("*</fullname>"), std::string::npos);
}

TEST_F(TripReport, TiedWinnersAndNoTrophies) {
    addSpecies(1);
    angler(t, graded("Ann", "Smith", gradeA), "30.00");
    angler(t, graded("Bob", "Jones", gradeA), "30.00");
    angler(t, graded("Cy", "Brown", gradeA), "20.00");
    angler(t, graded("Di", "Green", gradeB), "5.00");
    build();
    const std::string winners = file("rptTripWinners.xml");
    EXPECT_EQ(occurrences(winners, "<Scores>"), 3) << winners;
    EXPECT_NE(winners.find("Ann Smith"), std::string::npos);
    EXPECT_NE(winners.find("Bob Jones"), std::string::npos);
    EXPECT_EQ(winners.find("Cy Brown"), std::string::npos);
    const std::string trophies = file("rptTripTrophy.xml");
    EXPECT_EQ(occurrences(trophies, "<Row>"), 1) << "one empty row when none were awarded";
    EXPECT_TRUE(std::regex_search(trophies, std::regex("<fullname(/>|></fullname>)"))) << trophies;
    EXPECT_NE(file("rptTrip.xml").find("<trophy>N</trophy>"), std::string::npos);
}

TEST_F(TripReport, NoAnglersMeansNoDataButEveryFileIsWritten) {
    ReportRun run = build();
    EXPECT_EQ(run.dataFlag, 'N');
    EXPECT_EQ(globals.ReportDataFlag.str(), "N");
    ASSERT_EQ(run.dataFiles.size(), 3u);
    EXPECT_NE(file("rptTrip.xml").find("<!--Quillavon XML for RptTrip report-->"), std::string::npos);
    EXPECT_EQ(occurrences(file("rptTripTrophy.xml"), "<Row>"), 1);
}

TEST_F(TripReport, AFileThatCannotBeMadeIsReportedAndTheOthersStillWritten) {
    fs::create_directories(folder() / "DATA" / "rptTrip.xml");  // a folder in the file's place
    ReportRun run = build();
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0].title, "Error!");
    EXPECT_EQ(run.messages[0].text.rfind("Error Occurred Creating XML File.||Error: ", 0), 0u);
    EXPECT_EQ(run.dataFiles.size(), 2u);
}

}  // namespace
}  // namespace qvtest
