// The trophy winners report's data files: season trophies and placings with
// their places, trip winners, and the trip and season trophies.

#include "core/reports/TrophyWinnersReport.h"
#include "tests/core/reports/ReportFiles.h"
#include "tests/core/reports/SeasonFixture.h"

namespace qvtest {
namespace {

using qv::reports::ReportRun;
using Texts = std::vector<std::string>;

class TrophyWinners : public SeasonReportTest {
protected:
    void SetUp() override {
        SeasonReportTest::SetUp();
        for (const char* l : {"TripTrophy", "Trophy", "SeasonTrophy"})
            uses.push_back(std::make_unique<FileUse>(*store, l));
        // Grades only, unless a test asks for the classes.
        editSettings([](System& s) {
            s.ReportLadiesAsGrade = s.ReportLadiesAsSubGrade = s.NonLadiesFlag = 0;
            s.ReportVeteranAsGrade = s.ReportVeteranAsSubGrade = s.NonVeteranFlag = 0;
        });
    }
    void TearDown() override {
        uses.clear();
        ClubTest::TearDown();
    }
    int32_t graded(const char* first, const char* last, const char* lady = "N") {
        const int32_t m = member(first, last, lady);
        history(m, div, gradeA, "2005");
        return m;
    }
    void scored(int32_t tripId, int32_t memberId, const char* points, int32_t nonMemberId = 0) {
        TripMember tm;
        tm.TripId = tripId;
        tm.MemberId = memberId;
        tm.NonMemberId = nonMemberId;
        tm.TotalTripPoints = dec(points);
        tm.ProgressPoints = dec(points);
        put(tm);
    }
    int32_t trophy(const char* name, const char* description = "") {
        Trophy t;
        t.TrophyName = name;
        t.Description = description;
        t.InactiveFlag = "N";
        return put(t).TrophyId;
    }
    void seasonTrophy(int32_t trophyId, int32_t memberId, const char* position) {
        SeasonTrophy st;
        st.DivisionId = div;
        st.SeasonId = "2005";
        st.TrophyId = trophyId;
        st.MemberId = memberId;
        st.PositionalTrophy = *position ? "Y" : "N";
        st.Position = position;
        put(st);
    }
    ReportRun build() {
        ReportRun run;
        Status s = qv::reports::BuildTrophyWinnersReport(*ctx, folder().string(), run);
        EXPECT_TRUE(s.isOk()) << describe(s);
        return run;
    }
    std::string file(const char* name) { return readFile(folder() / "DATA" / name); }
    std::vector<std::unique_ptr<FileUse>> uses;
};

TEST_F(TrophyWinners, NothingWonIsNoDataButEveryFileIsWrittenInOrder) {
    ReportRun run = build();
    EXPECT_EQ(run.dataFlag, 'N');
    EXPECT_EQ(globals.WindowTitle.str(), "Trophy Winners Report");
    EXPECT_EQ(run.reportFile, "reports/rptTrophyWinners.rpt");
    ASSERT_EQ(run.dataFiles.size(), 4u);
    EXPECT_NE(run.dataFiles[0].find("rptTrophyWinnersSeason.xml"), std::string::npos);
    EXPECT_NE(run.dataFiles[3].find("rptTrophyWinners.xml"), std::string::npos);
    const std::string head = file("rptTrophyWinners.xml");
    EXPECT_EQ(elements(head, "seasonwinners"), Texts{"N"});
    EXPECT_EQ(elements(head, "divisionname"), Texts{"Division"});
}

TEST_F(TrophyWinners, TiedPlacingsShareTheirSlot) {
    const int32_t t = trip(div, "2005");
    scored(t, graded("Ann", "Smith"), "50.00");
    scored(t, graded("Bob", "Jones"), "50.00");
    scored(t, graded("Cy", "Brown"), "40.00");
    build();
    const std::string xml = file("rptTrophyWinnersSeason.xml");
    EXPECT_EQ(elements(xml, "gradename"), Texts{"A"});
    EXPECT_EQ(elements(xml, "first"), Texts{"Ann Smith / Bob Jones"});
    EXPECT_EQ(elements(xml, "second"), Texts{"Cy Brown"});
    EXPECT_EQ(elements(xml, "third"), Texts{""});
    // Both are the trip's winners too, each on a row of its own.
    const std::string trips = file("rptTrophyWinnersTrips.xml");
    EXPECT_EQ(elements(trips, "tripnumber"), (Texts{"Trip 1", "Trip 1"}));
    EXPECT_EQ(elements(trips, "data"), (Texts{"Ann Smith", "Bob Jones"}));
    EXPECT_EQ(elements(trips, "columnname"), (Texts{"A", "A"}));
}

TEST_F(TrophyWinners, ClassGroupsAreLabelledAfterTheirGrade) {
    editSettings([](System& s) {
        s.ReportLadiesAsSubGrade = 1;
        s.ReportLadiesAsGrade = 1;
    });
    scored(trip(div, "2005"), graded("Ann", "Smith", "Y"), "50.00");
    build();
    EXPECT_EQ(elements(file("rptTrophyWinnersSeason.xml"), "gradename"), (Texts{"A", "Ladies", "A Ladies"}));
}

TEST_F(TrophyWinners, PositionalTrophiesComeFirstAndKeepEveryWinner) {
    const int32_t shield = trophy("Shield"), cup = trophy("Cup");
    const int32_t ann = member("Ann", "Smith"), bob = member("Bob", "Jones"), cy = member("Cy", "Brown");
    seasonTrophy(shield, ann, "1");
    seasonTrophy(shield, bob, "3");
    seasonTrophy(cup, cy, "1");
    seasonTrophy(cup, bob, "1");  // a shared first place
    build();
    const std::string xml = file("rptTrophyWinnersSeason.xml");
    EXPECT_EQ(elements(xml, "gradename"), (Texts{"Shield", "Cup"}));
    EXPECT_EQ(elements(xml, "first"), (Texts{"Ann Smith", "Cy Brown / Bob Jones"}));
    EXPECT_EQ(elements(xml, "second"), (Texts{"", ""})) << "no second place was given";
    EXPECT_EQ(elements(xml, "third"), (Texts{"Bob Jones", ""}));
}

TEST_F(TrophyWinners, TripTrophiesThenSeasonTrophiesEachCounted) {
    const int32_t medal = trophy("Medal", "Best fish"), plate = trophy("Plate", "Best visitor"),
                  bowl = trophy("Bowl", "Leading lady");
    const int32_t ann = member("Ann", "Smith");
    const int32_t t = trip(div, "2005");
    const int32_t visitor = nonMember(t, gradeA);
    for (auto [trophyId, memberId, nonMemberId] : {std::tuple{medal, ann, 0}, {plate, 0, visitor}}) {
        TripTrophy tt;
        tt.TrophyId = trophyId;
        tt.MemberId = memberId;
        tt.NonMemberId = nonMemberId;
        tt.SeasonId = "2005";
        tt.TripId = t;
        put(tt);
    }
    seasonTrophy(bowl, ann, "");
    ReportRun run = build();
    EXPECT_EQ(run.dataFlag, 'Y');
    const std::string xml = file("rptTrophyWinnersTrophy.xml");
    EXPECT_EQ(elements(xml, "trophytype"), (Texts{"T01", "T01", "T02", "T02", "S01", "S01"}));
    EXPECT_EQ(elements(xml, "columnname")[0], "Description");
    EXPECT_EQ(elements(xml, "data"),
              (Texts{"Best fish", "Ann Smith", "Best visitor", "Visitor *", "Leading lady", "Ann Smith"}));
    EXPECT_EQ(elements(file("rptTrophyWinners.xml"), "trophywinners"), Texts{"Y"});
    EXPECT_EQ(elements(file("rptTrophyWinnersSeason.xml"), "gradename"), Texts{}) << "no positional trophy";
}

TEST_F(TrophyWinners, OnlyThisDivisionAndSeason) {
    const int32_t other = division();
    season("2006");
    const int32_t ann = graded("Ann", "Smith");
    scored(trip(other, "2005"), ann, "10.00");
    scored(trip(div, "2006"), ann, "10.00");
    seasonTrophy(trophy("Shield"), ann, "1");
    globals.SeasonId = "2006";
    build();
    EXPECT_EQ(elements(file("rptTrophyWinnersSeason.xml"), "gradename"), Texts{"A"}) << "the 2005 shield is not listed";
    EXPECT_EQ(elements(file("rptTrophyWinnersTrips.xml"), "trip").size(), 1u);
}

}  // namespace
}  // namespace qvtest
