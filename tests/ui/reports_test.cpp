// The report window: which reports each level may start, the criteria each
// report needs, and the no-data case that keeps the window open.

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

#include "core/data/ClubRecords.h"
#include "core/data/TripRecords.h"
#include "core/data/WorkstationRecords.h"
#include "core/data/Typed.h"
#include "tests/ui/UiFixture.h"
#include "ui/reports/ReportsWindow.h"

using namespace qv;
using qv::testing::UiTest;

namespace {

class Reports : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        division = addDivision("Offshore");
        data::FileUse seasons(store(), "Season"), trips(store(), "Trips");
        data::Season s;
        s.SeasonId = "2026";
        s.Measurement = "M";
        s.Handicap = "P";
        s.ScoringApplies = "W";
        ASSERT_TRUE(data::insertRecord(store(), s).isOk());
        data::Trips t;
        t.DivisionId = division;
        t.SeasonId = "2026";
        t.SeasonTripNumber = 4;
        t.TripLocation = "Bay";
        ASSERT_TRUE(data::insertRecord(store(), t).isOk());
        g_.SecurityLevel = "Scorer";
    }
    static void pick(QComboBox* box, const QString& text) {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
    }
    int32_t division = 0;
};

TEST_F(Reports, TripDetailsWaitsForItsTrip) {
    ui::ReportsWindow w(ctx());
    w.reportButton("Trip Details")->click();
    EXPECT_FALSE(w.criterion("M&ember:")->isEnabled());
    EXPECT_TRUE(w.criterion("&Trip:")->isEnabled());
    pick(w.criterion("&Division:"), "Offshore");
    pick(w.criterion("&Season:"), "2026");
    EXPECT_FALSE(w.createButton()->isEnabled()) << "no trip chosen yet";
    ASSERT_EQ(w.criterion("&Trip:")->count(), 1);
    w.criterion("&Trip:")->setCurrentIndex(0);
    EXPECT_TRUE(w.createButton()->isEnabled());
    EXPECT_EQ(g_.TripId, 1);
    // A new season empties the trip list again.
    pick(w.criterion("&Season:"), "2026");
    w.criterion("&Division:")->setCurrentIndex(-1);
    EXPECT_FALSE(w.createButton()->isEnabled());
}

TEST_F(Reports, AMemberCannotStartTheRestrictedOnes) {
    g_.SecurityLevel = "Member";
    ui::ReportsWindow w(ctx());
    EXPECT_FALSE(w.reportButton("Certificate")->isEnabled());
    EXPECT_FALSE(w.reportButton("Member History CSV")->isEnabled());
    EXPECT_FALSE(w.reportButton("Export All Data")->isEnabled());
    EXPECT_TRUE(w.reportButton("Trip Details")->isEnabled());
}

TEST_F(Reports, CatchReportsOnlyWhereCatchesAreRecorded) {
    {
        ui::ReportsWindow w(ctx());
        EXPECT_FALSE(w.tabs()->isTabVisible(1));
    }
    ctx().settings.IndividualCatchesApplies = 1;
    ui::ReportsWindow w(ctx());
    EXPECT_TRUE(w.tabs()->isTabVisible(1));
}

TEST_F(Reports, ATripWithoutAnglersSaysSoAndTheWindowStays) {
    ui::ReportsWindow w(ctx());
    w.show();
    w.reportButton("Trip Details")->click();
    pick(w.criterion("&Division:"), "Offshore");
    pick(w.criterion("&Season:"), "2026");
    w.criterion("&Trip:")->setCurrentIndex(0);
    w.createReport();
    ASSERT_FALSE(shownTexts().empty());
    EXPECT_EQ(shownTexts().back(), "There is no corresponding data for the report - Trip Report");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.result(), 0);
}

TEST_F(Reports, CatchReportsAskForTheirCriteria) {
    ctx().settings.IndividualCatchesApplies = 1;
    ui::ReportsWindow w(ctx());
    w.show();
    const struct {
        const char* button;
        bool trip, member;
    } wants[] = {{"Catch and Release", false, false}, {"Trip Catch Details", true, false},
                 {"Points by Line Class", false, false}, {"Trip Team Points", true, false},
                 {"Biggest Species", false, false}, {"Trip Biggest Species", true, false},
                 {"Caught by Fly", false, false}, {"Certificate", false, true}};
    for (const auto& want : wants) {
        w.reportButton(want.button)->click();
        EXPECT_TRUE(w.reportButton(want.button)->isChecked()) << want.button;
        EXPECT_TRUE(w.criterion("&Division:")->isEnabled()) << want.button;
        EXPECT_TRUE(w.criterion("&Season:")->isEnabled()) << want.button;
        EXPECT_EQ(w.criterion("&Trip:")->isEnabled(), want.trip) << want.button;
        EXPECT_EQ(w.criterion("M&ember:")->isEnabled(), want.member) << want.button;
    }
    // No catches in the season: the fly report says so and the window stays.
    w.reportButton("Caught by Fly")->click();
    pick(w.criterion("&Division:"), "Offshore");
    pick(w.criterion("&Season:"), "2026");
    ASSERT_TRUE(w.createButton()->isEnabled());
    w.createReport();
    ASSERT_FALSE(shownTexts().empty());
    EXPECT_EQ(shownTexts().back(), "There is no corresponding data for the report - Fly Report");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(Reports, MemberEmptiesItsWorkFileAndNeedsOnlyAMember) {
    data::FileUse work(store(), "TempMemberReport"), members(store(), "Members");
    data::TempMemberReport left;
    left.DivisionId = division;
    left.SeasonId = "2026";
    left.TripId = 1;
    ASSERT_TRUE(data::insertRecord(store(), left).isOk());
    data::Members m;
    m.FirstName = "Ann";
    m.LastName = "Smith";
    m.FullName = "Ann Smith";
    m.InactiveFlag = "N";
    ASSERT_TRUE(data::insertRecord(store(), m).isOk());

    data::Record r = store().newRecord("TempMemberReport");
    ASSERT_TRUE(store().walk("TempMemberReport", "").next(r).isOk());
    ui::ReportsWindow w(ctx());
    w.show();
    w.reportButton("Member")->click();
    EXPECT_EQ(w.chosen(), "Member");
    EXPECT_TRUE(store().walk("TempMemberReport", "").next(r).isNotFound()) << "the work file is emptied";
    EXPECT_TRUE(w.criterion("M&ember:")->isEnabled());
    EXPECT_FALSE(w.criterion("&Division:")->isEnabled());
    EXPECT_FALSE(w.createButton()->isEnabled());
    pick(w.criterion("M&ember:"), "Ann Smith");
    EXPECT_TRUE(w.createButton()->isEnabled());
    // A member without history, trips or awards has no report.
    w.createReport();
    ASSERT_FALSE(shownTexts().empty());
    EXPECT_EQ(shownTexts().back(), "There is no corresponding data for the report - Member Report");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(Reports, TrophyWinnersNeedsADivisionAndASeason) {
    ui::ReportsWindow w(ctx());
    w.show();
    w.reportButton("Trophy Winners")->click();
    EXPECT_FALSE(w.criterion("&Trip:")->isEnabled());
    pick(w.criterion("&Division:"), "Offshore");
    EXPECT_FALSE(w.createButton()->isEnabled());
    pick(w.criterion("&Season:"), "2026");
    ASSERT_TRUE(w.createButton()->isEnabled());
    // Its one trip has no anglers, and nothing else was won.
    w.createReport();
    EXPECT_EQ(shownTexts().back(), "There is no corresponding data for the report - Trophy Winners Report");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(Reports, TheSeasonReportsNeedADivisionAndASeason) {
    ui::ReportsWindow w(ctx());
    w.show();
    const std::pair<const char*, const char*> reports[] = {{"Season", "Season Report"},
                                                           {"Progress Scores", "Progressive Points Report"},
                                                           {"Championship Scores", "Championship Points Report"}};
    for (const auto& [button, title] : reports) {
        w.reportButton(button)->click();
        EXPECT_TRUE(w.reportButton(button)->isChecked()) << button;
        EXPECT_FALSE(w.criterion("&Trip:")->isEnabled()) << button;
        EXPECT_FALSE(w.criterion("M&ember:")->isEnabled()) << button;
        pick(w.criterion("&Division:"), "Offshore");
        pick(w.criterion("&Season:"), "2026");
        EXPECT_TRUE(w.createButton()->isEnabled()) << button;
        // The one trip has no anglers: nothing to report, and the window stays.
        w.createReport();
        ASSERT_FALSE(shownTexts().empty());
        EXPECT_EQ(shownTexts().back(), std::string("There is no corresponding data for the report - ") + title);
        EXPECT_TRUE(w.isVisible());
    }
}

}  // namespace
