// The member report's data files: grade history, fishing history with the
// season totals, and the awards with their texts and ids.

#include <algorithm>

#include "core/reports/MemberReport.h"
#include "core/reports/WholePartSum.h"
#include "tests/core/reports/ReportFiles.h"
#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {
namespace {

using qv::reports::ReportRun;

class MemberReport : public ClubTest {
protected:
    void SetUp() override {
        ClubTest::SetUp();
        for (const char* l : {"TripTrophy", "Trophy", "SeasonTrophy", "TempMemberReport"})
            uses.push_back(std::make_unique<FileUse>(*store, l));
        fs::create_directories(folder() / "DATA");
        div = division();
        season("2005");
        gradeA = grade("A");
        gradeB = grade("B");
        ann = member("Ann", "Smith");
        globals.MemberId = ann;
        globals.OrganisationName = "Test Club";
    }
    void TearDown() override {
        uses.clear();
        ClubTest::TearDown();
    }
    // A trip member with its totals.
    int32_t fished(int32_t tripId, int32_t memberId, const char* points, int32_t fish = 0, const char* weight = "0") {
        TripMember tm;
        tm.TripId = tripId;
        tm.MemberId = memberId;
        tm.TotalTripPoints = dec(points);
        tm.ProgressPoints = dec(points);
        tm.TotalNumberFish = fish;
        tm.TotalWeightFish = dec(weight);
        return put(tm).TripMemberId;
    }
    int32_t trophy(const char* name, const char* description) {
        Trophy t;
        t.TrophyName = name;
        t.Description = description;
        t.InactiveFlag = "N";
        return put(t).TrophyId;
    }
    ReportRun build(const qv::reports::MemberReportStages& stages = {}) {
        ReportRun run;
        Status s = qv::reports::BuildMemberReport(*ctx, folder().string(), run, stages);
        EXPECT_TRUE(s.isOk()) << describe(s);
        return run;
    }
    std::string file(const char* name) { return readFile(folder() / "DATA" / name); }
    // The award texts, in file order.
    std::vector<std::string> awardTexts() {
        const std::string xml = file("rptMemberTrophyHistory.xml");
        std::vector<std::string> out;
        const auto columns = elements(xml, "columnname"), data = elements(xml, "data");
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i] == "Trophy / Award") out.push_back(data[i]);
        return out;
    }
    int32_t div = 0, gradeA = 0, gradeB = 0, ann = 0;
    std::vector<std::unique_ptr<FileUse>> uses;
};

TEST_F(MemberReport, GradeHistoryWithoutTripsStillMakesAReport) {
    history(ann, div, gradeA, "2005", "2005");
    ReportRun run = build();
    EXPECT_EQ(run.dataFlag, 'Y');
    EXPECT_EQ(run.reportFile, "reports/rptMember.rpt");
    EXPECT_EQ(globals.WindowTitle.str(), "Member Report");
    const std::string heading = file("rptMember.xml");
    EXPECT_EQ(elements(heading, "fullname"), std::vector<std::string>{"Ann Smith"});
    EXPECT_EQ(elements(heading, "gradehistory")[0], "Y");
    EXPECT_EQ(elements(heading, "fishhistory")[0], "N");
    EXPECT_EQ(elements(heading, "trophyhistory")[0], "N");

    // Root and row names swapped in the grade and award files; three columns a record.
    const std::string grades = file("rptMemberGradeHistory.xml");
    EXPECT_LT(grades.find("<Row>"), grades.find("<Data>")) << grades;
    EXPECT_EQ(grades.find("</Row>"), grades.rfind("</Row>")) << "one root";
    EXPECT_EQ(elements(grades, "columnname"), (std::vector<std::string>{"Grade", "Start Season", "End Season"}));
    EXPECT_EQ(elements(grades, "data")[0], "A");
    EXPECT_NE(file("rptMemberTrophyHistory.xml").find("<Row"), std::string::npos);
    // The fish history alone has no declaration.
    EXPECT_EQ(file("rptMemberFishHistory.xml").rfind("<?xml", 0), std::string::npos);
    EXPECT_EQ(file("rptMemberGradeHistory.xml").rfind("<?xml", 0), 0u);
}

TEST_F(MemberReport, NothingAtAllIsNoData) {
    ReportRun run = build();
    EXPECT_EQ(run.dataFlag, 'N');
    EXPECT_EQ(run.dataFiles.size(), 4u);
}

TEST_F(MemberReport, TripRowsSkipSpeciesNotCaughtAndSeasonTotalsFollowThem) {
    history(ann, div, gradeA, "2005");
    const int32_t snapper = speciesIn(div, "Snapper", 2), eel = speciesIn(div, "Eel", 1);
    const int32_t t1 = trip(div, "2005", 80000), t2 = trip(div, "2005", 80007);
    const int32_t a = fished(t1, ann, "10.50", 3, "2.25");
    caught(a, snapper, 3);
    caught(a, eel, 0);
    const int32_t b = fished(t2, ann, "4.00", 1, "1.00");
    caught(b, snapper, 1);
    build();
    const std::string xml = file("rptMemberFishHistory.xml");
    const auto names = elements(xml, "columnname");
    EXPECT_EQ(std::count(names.begin(), names.end(), "Eel"), 0) << "no row for a species not caught";
    const auto rows = elements(xml, "row"), data = elements(xml, "data");
    const auto positions = elements(xml, "reportposition");
    ASSERT_EQ(rows.size(), 12u);  // two trips of four rows, then four totals
    EXPECT_EQ(rows[0], "1 - " + Date(80000).format("D6") + " -") << "no location";
    EXPECT_EQ(names[2], "Total Weight (kgs)");
    for (size_t i = 8; i < 12; ++i) EXPECT_EQ(rows[i], "Total");
    EXPECT_EQ(std::vector<std::string>(positions.begin() + 8, positions.end()),
              (std::vector<std::string>{"2", "9997", "9998", "9999"}));
    EXPECT_EQ(std::vector<std::string>(data.begin() + 8, data.end()),
              (std::vector<std::string>{"4.00", "4.00", "3.25", "14.50"}));
    EXPECT_EQ(elements(xml, "tripnumber")[8], "9999");
}

TEST_F(MemberReport, ImperialSeasonTotalsCarryOuncesAndInches) {
    Season s;
    s.SeasonId = "2006";
    s.SeasonDesc = "Winter 2006";
    s.Measurement = "I";
    s.ScoringApplies = "W";
    put(s);
    s.SeasonId = "2007";
    s.ScoringApplies = "L";
    put(s);
    for (const char* season : {"2006", "2007"}) {
        fished(trip(div, season), ann, "1.00", 1, "2.10");
        fished(trip(div, season), ann, "1.00", 1, "1.09");
    }
    build();
    const std::string xml = file("rptMemberFishHistory.xml");
    const auto names = elements(xml, "columnname"), data = elements(xml, "data"), rows = elements(xml, "row");
    std::vector<std::string> totals;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i] == "Total" && names[i].rfind("Total ", 0) == 0 && names[i].find('(') != std::string::npos)
            totals.push_back(names[i] + " " + data[i]);
    // Ounces carry at 16 (10 + 9 = 1 lb 3 oz), inches at 12 (1 ft 7 in).
    EXPECT_EQ(totals, (std::vector<std::string>{"Total Weight (lbs) 4.03", "Total Length (ins) 4.07"}));
    EXPECT_EQ(elements(xml, "measurement")[0], "I");
}

TEST_F(MemberReport, WholePartSums) {
    using qv::reports::wholePartSum;
    EXPECT_EQ(wholePartSum({dec("0.15"), dec("0.02")}, 16).toString(), "1.01");
    EXPECT_EQ(wholePartSum({dec("3.1"), dec("2")}, 16).toString(), "5.10") << "3.1 counts ten ounces";
    EXPECT_EQ(wholePartSum({dec("0.11"), dec("0.11")}, 12).toString(), "1.10");
    EXPECT_EQ(wholePartSum({}, 16).toString(), "0.00");
}

TEST_F(MemberReport, ATripWinIsWordedWithGradeTripAndDate) {
    history(ann, div, gradeA, "2005");
    const int32_t bob = member("Bob", "Jones");
    history(bob, div, gradeA, "2005");
    trip(div, "2005");
    trip(div, "2005");
    const int32_t third = trip(div, "2005", 80021);
    fished(third, ann, "30.00");
    fished(third, bob, "20.00");
    build();
    const auto texts = awardTexts();
    const std::string win = "A Trip Winner for Trip 3 (" + Date(80021).format("D6") + ")";
    EXPECT_NE(std::find(texts.begin(), texts.end(), win), texts.end()) << testing::PrintToString(texts);
    // The season placing comes first, and every award is a division row then its text.
    EXPECT_EQ(texts[0], "A First Place");
    const std::string xml = file("rptMemberTrophyHistory.xml");
    EXPECT_EQ(elements(xml, "columnname")[0], "Division");
    EXPECT_EQ(elements(xml, "data")[0], "Division");
    EXPECT_EQ(elements(xml, "awardid")[0], "200511");
    EXPECT_EQ(elements(xml, "awardid")[1], "200511");
}

TEST_F(MemberReport, OneSeasonInTwoDivisionsGivesBothPlacings) {
    const int32_t other = division();
    editSettings([](System& s) {
        s.ReportLadiesAsSubGrade = 1;
        s.NonLadiesFlag = 1;
    });
    history(ann, div, gradeA, "2005");
    history(ann, other, gradeB, "2005");
    fished(trip(div, "2005"), ann, "10.00");
    fished(trip(other, "2005"), ann, "10.00");
    build();
    const auto texts = awardTexts();
    for (const char* placing : {"A First Place", "A (Men) First Place", "B First Place", "B (Men) First Place"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), placing), texts.end()) << placing;
}

TEST_F(MemberReport, SeasonAndTripTrophiesNameTheirDivision) {
    const int32_t other = division();
    const int32_t shield = trophy("Shield", "Season champion");
    const int32_t medal = trophy("Medal", "Best fish");
    SeasonTrophy st;
    st.DivisionId = div;
    st.SeasonId = "2005";
    st.TrophyId = shield;
    st.MemberId = ann;
    st.PositionalTrophy = "Y";
    st.Position = "2";
    put(st);
    st.TrophyId = medal;
    st.PositionalTrophy = "N";
    st.Position = "";
    put(st);
    TripTrophy tt;
    tt.MemberId = ann;
    tt.TrophyId = medal;
    tt.SeasonId = "2005";
    tt.TripId = trip(other, "2005");
    put(tt);
    build();
    EXPECT_EQ(awardTexts(), (std::vector<std::string>{"Second Place Shield Season champion", "Medal Best fish",
                                                      "Medal Best fish"}));
    const auto ids = elements(file("rptMemberTrophyHistory.xml"), "awardid");
    EXPECT_EQ(ids[4], "2005" + std::to_string(other) + "3") << "the trip trophy counts under its trip's division";
}

TEST_F(MemberReport, AwardIdsNameOneAwardEach) {
    qv::reports::AwardIds ids;
    EXPECT_EQ(ids.next("2005", 11, 2), 2005112);
    const int32_t mended = ids.next("2005", 1, 12);  // reads like division 11 count 2
    EXPECT_NE(mended, 2005112);
    EXPECT_EQ(ids.next("2005", 1, 13), 2005113) << "later awards keep their own ids";
    EXPECT_NE(ids.next("2147483647", 1, 14), mended) << "too long for a long, and mended apart";
    EXPECT_EQ(ids.next("20", 1, 15), 20115);
}

TEST_F(MemberReport, ASecondRunGivesTheSameFiles) {
    history(ann, div, gradeA, "2005");
    const int32_t snapper = speciesIn(div, "Snapper", 1);
    caught(fished(trip(div, "2005"), ann, "10.00", 1, "1.00"), snapper, 1);
    fished(trip(div, "2005"), ann, "12.00");
    build();
    std::vector<std::string> first;
    const char* names[] = {"rptMember.xml", "rptMemberGradeHistory.xml", "rptMemberTrophyHistory.xml",
                           "rptMemberFishHistory.xml"};
    for (const char* n : names) first.push_back(undated(file(n)));
    build();
    for (size_t i = 0; i < first.size(); ++i) EXPECT_EQ(undated(file(names[i])), first[i]) << names[i];
    // The work file holds the one run's two trips.
    int rows = 0;
    Record r = store->newRecord("TempMemberReport");
    for (Cursor c = store->walk("TempMemberReport", ""); c.next(r).isOk();) ++rows;
    EXPECT_EQ(rows, 2);
}

TEST_F(MemberReport, StagesAreToldInOrder) {
    std::vector<std::string> told;
    build([&](qv::reports::MemberReportStage s) { told.push_back(qv::reports::memberReportStageText(s)); });
    EXPECT_EQ(told, (std::vector<std::string>{"Collecting member grade history data",
                                              "Collecting member trip and fishing history data",
                                              "Checking member trophies and awards for seasons",
                                              "Checking if member won any trips", "Creating Member History Report"}));
}

}  // namespace
}  // namespace qvtest
