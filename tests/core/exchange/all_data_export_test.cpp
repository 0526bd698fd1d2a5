// The export of all data: the files' frame, the texts that stand for codes,
// the look-ups, and that everything the club holds is in the files.

#include "core/exchange/AllDataExport.h"
#include "tests/core/exchange/ExchangeFixture.h"

namespace qvtest {
namespace {

using qv::exchange::AllDataExport;
using qv::exchange::ExportAllData;

class ExportAll : public ExchangeTest {
protected:
    AllDataExport run(std::vector<std::string>* statuses = nullptr) {
        AllDataExport out;
        Status s = ExportAllData(*store, start(), out, [&](std::string_view t) {
            if (statuses) statuses->emplace_back(t);
        });
        EXPECT_TRUE(s.isOk()) << describe(s);
        return out;
    }
    std::string file(const char* name) { return readFile(folder() / "exportdata" / name); }
    // The file without its dated banner line.
    std::string body(const char* name) {
        const std::string text = file(name);
        return text.substr(text.find("\r\n") + 2);
    }
};

TEST_F(ExportAll, MakesItsFolderAndWritesTheFilesInOrderWithTheirFrame) {
    ASSERT_FALSE(fs::exists(folder() / "exportdata"));
    std::vector<std::string> statuses;
    AllDataExport out = run(&statuses);
    EXPECT_TRUE(out.messages.empty());
    std::vector<std::string> names;
    for (const std::string& f : out.files) names.push_back(fs::path(f).filename());
    EXPECT_EQ(names, (std::vector<std::string>{"Division.xml", "Season.xml", "Species.xml", "Grade.xml",
                                               "Trophy.xml", "Trips.xml", "Members.xml", "SeasonTrophies.xml",
                                               "TripTrophies.xml", "GradeHistory.xml", "TripMember.xml",
                                               "TripScore.xml", "TripCatch.xml", "Teams.xml", "NonMembers.xml"}));
    EXPECT_EQ(statuses.front(), "Collecting Division Data");
    EXPECT_EQ(statuses[13], "Collecting Trip Members Catch Data");

    // An empty file: the banner, then the root's start and end tags, one blank in.
    const std::string empty = file("Teams.xml");
    EXPECT_EQ(empty.rfind("<!--", 0), 0u) << "no declaration line";
    EXPECT_EQ(body("Teams.xml"), " <Data>\r\n </Data>\r\n");
}

TEST_F(ExportAll, RowsMatchTheWritersFrameAndTurnFlagsIntoWords) {
    Division d;
    d.DivisionName = "Senior";
    d.InactiveFlag = "N";
    put(d);
    Members m;
    m.FirstName = "Ann";
    m.LastName = "O'Neil & <Co>";
    m.InactiveFlag = "X";  // anything but "N" is inactive
    m.LadiesFlag = "Y";
    m.VeteranFlag = "N";
    put(m);
    run();
    EXPECT_EQ(body("Division.xml"),
              " <Data>\r\n  <Row>\r\n  <divisionname>Senior</divisionname>\r\n"
              "  <inactivedivision>NO</inactivedivision>\r\n  <divisionid>1</divisionid>\r\n"
              "  <besttripsnumber>0</besttripsnumber>\r\n  </Row>\r\n </Data>\r\n");
    const std::string members = file("Members.xml");
    EXPECT_NE(members.find("<lastname>O&apos;Neil &amp; &lt;Co&gt;</lastname>"), std::string::npos) << members;
    EXPECT_NE(members.find("<inactivemember>YES</inactivemember>"), std::string::npos);
    EXPECT_NE(members.find("<ladiesflag>YES</ladiesflag>"), std::string::npos);
    EXPECT_NE(members.find("<veteranflag>NO</veteranflag>"), std::string::npos);
    EXPECT_NE(members.find("<memberid>1</memberid>"), std::string::npos);
}

TEST_F(ExportAll, EverySeasonTravelsAndEveryScoringChoiceHasItsText) {
    season("0", "L", "N");    // sorts before "1"
    season("2026", "N");      // no choice made yet
    season("2027", "B");
    run();
    const std::string seasons = file("Season.xml");
    EXPECT_EQ(occurrences(seasons, "<Row>"), 3);
    EXPECT_NE(seasons.find("<seasonid>0</seasonid>"), std::string::npos);
    EXPECT_NE(seasons.find("<scoringapplies>Length</scoringapplies>"), std::string::npos);
    EXPECT_NE(seasons.find("<scoringapplies>N</scoringapplies>"), std::string::npos);
    EXPECT_NE(seasons.find("<scoringapplies>Both</scoringapplies>"), std::string::npos);
    EXPECT_NE(seasons.find("<handicap>Number</handicap>"), std::string::npos);
    EXPECT_NE(seasons.find("<measurement>Metric</measurement>"), std::string::npos);
}

TEST_F(ExportAll, TripMembersCarryTheirTripSeasonUnitAndNames) {
    const int32_t div = division();
    Season imperial;
    imperial.SeasonId = "2026";
    imperial.SeasonDesc = "Winter";
    imperial.Measurement = "I";
    imperial.ScoringApplies = "L";
    imperial.Handicap = "P";
    put(imperial);
    season("2027", "W");
    const int32_t t1 = trip(div, "2026", Date::fromCivil(2026, 12, 6)->dayNumber());
    const int32_t t2 = trip(div, "2027");
    const int32_t gradeA = grade("A");
    angler(t1, member("Ann", "Smith"), "10.5");
    const int32_t visitor = nonMember(t1, gradeA);
    angler(t1, 0, "3", 0, 0, visitor);
    angler(t2, 1, "1");
    run();
    const std::string tm = file("TripMember.xml");
    EXPECT_NE(tm.find("<tripdate>06/12/2026</tripdate>"), std::string::npos);
    EXPECT_NE(tm.find("<seasondesc>Winter</seasondesc>"), std::string::npos);
    EXPECT_EQ(occurrences(tm, "<measurement>ins</measurement>"), 2);
    EXPECT_EQ(occurrences(tm, "<measurement>kgs</measurement>"), 1);
    EXPECT_NE(tm.find("<firstname>Visitor</firstname>"), std::string::npos);
    EXPECT_NE(tm.find("<totaltrippoints>10.50</totaltrippoints>"), std::string::npos);
    EXPECT_NE(file("Trips.xml").find("<tripdate>06/12/2026</tripdate>"), std::string::npos);
}

TEST_F(ExportAll, AVisitorsTripTrophyCarriesTheVisitorsName) {
    const int32_t div = division();
    season("2026");
    const int32_t t = trip(div, "2026");
    const int32_t visitor = nonMember(t, grade("A"));
    TripTrophy won;
    won.NonMemberId = visitor;
    won.TrophyId = trophy("Best Fish");
    won.SeasonId = "2026";
    won.TripId = t;
    put(won);
    run();
    const std::string text = file("TripTrophies.xml");
    EXPECT_NE(text.find("<firstname>Visitor</firstname>"), std::string::npos) << text;
    EXPECT_NE(text.find("<trophyname>Best Fish</trophyname>"), std::string::npos);
    EXPECT_NE(text.find("<nonmemberid>" + std::to_string(visitor) + "</nonmemberid>"), std::string::npos);
}

TEST_F(ExportAll, LongNamesAreNotCut) {
    Division d;
    d.DivisionName = std::string(60, 'D');  // wider than the division column of some files
    d.InactiveFlag = "N";
    const int32_t div = put(d).DivisionId;
    speciesIn(div, std::string(90, 'S').c_str(), 1);
    run();
    EXPECT_NE(file("Division.xml").find(std::string(60, 'D') + "</divisionname>"), std::string::npos);
    EXPECT_NE(file("Species.xml").find(std::string(90, 'S') + "</speciesname>"), std::string::npos);
}

TEST_F(ExportAll, AFileThatCannotBeMadeIsToldAndTheOthersAreStillWritten) {
    fs::create_directories(folder() / "exportdata" / "Season.xml");  // a folder where the file goes
    AllDataExport out = run();
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].title, "Error!");
    EXPECT_EQ(out.messages[0].text.rfind("Error Occurred Creating XML File.||Error: ", 0), 0u);
    EXPECT_EQ(out.files.size(), 14u);
    EXPECT_TRUE(fs::is_regular_file(folder() / "exportdata" / "Teams.xml"));
}

}  // namespace
}  // namespace qvtest
