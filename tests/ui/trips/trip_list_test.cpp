// The trip list: which trips it lists for the season and division chosen,
// the scorer's fixed season, and what "Score Trip >>" leaves for the
// windows it opens.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "core/scoring/Recalculation.h"
#include "tests/ui/trips/TripFixture.h"
#include "ui/framework/RecordTableModel.h"
#include "ui/trips/TripWindows.h"

using namespace qv;
using namespace qv::data;
using namespace qv::ui;
using qv::testing::TripTest;

namespace {

class TripListTest : public TripTest {
protected:
    void SetUp() override {
        TripTest::SetUp();
        harbour_ = addDivision("Harbour");
        lake_ = addDivision("Lake");
        addSeason("2024", "Y");
        addSeason("2025");
        // Entered out of number order, so that the orders differ.
        h25b_ = addTrip(harbour_, "2025", 2);
        h25a_ = addTrip(harbour_, "2025", 1);
        l25_ = addTrip(lake_, "2025", 1);
        h24_ = addTrip(harbour_, "2024", 7);
        l24_ = addTrip(lake_, "2024", 3);
    }
    // The trip ids the list shows, top to bottom.
    static std::vector<int32_t> listed(trips::TripList& list) {
        list.model()->fetchAll();
        std::vector<int32_t> out;
        for (int i = 0; i < list.model()->rowCount(); ++i) {
            const Record& r = list.model()->record(i);
            out.push_back(static_cast<int32_t>(r.number(r.field("TripId"))));
        }
        return out;
    }
    static void choose(QComboBox* box, const QString& text) {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    int32_t harbour_ = 0, lake_ = 0;
    int32_t h25a_ = 0, h25b_ = 0, l25_ = 0, h24_ = 0, l24_ = 0;
};

}  // namespace

TEST_F(TripListTest, OpensOnTheLatestSeasonOverAllDivisions) {
    g_.SecurityLevel = "Administrator";
    g_.DivisionId = lake_;
    trips::TripList list(ctx());
    EXPECT_EQ(g_.SeasonId.str(), "2025");
    EXPECT_EQ(g_.DivisionId, 0) << "the list starts with no division chosen";
    EXPECT_EQ(list.seasonChoice()->currentText(), "2025");
    EXPECT_EQ(list.seasonChoice()->itemText(0), "") << "a blank first entry";
    EXPECT_EQ(list.divisionChoice()->itemText(0), "");
    EXPECT_EQ(list.divisionChoice()->itemText(1), "Harbour");
    EXPECT_EQ(listed(list), (std::vector<int32_t>{h25b_, h25a_, l25_}));
    EXPECT_FALSE(list.recalculateButton()->isVisibleTo(&list));
    EXPECT_EQ(list.warning(), nullptr);
}

TEST_F(TripListTest, EachCombinationOfChoicesHasItsOrderAndRange) {
    g_.SecurityLevel = "Administrator";
    trips::TripList list(ctx());
    choose(list.divisionChoice(), "Harbour");
    EXPECT_EQ(listed(list), (std::vector<int32_t>{h25b_, h25a_})) << "season and division: that division's trips";

    choose(list.seasonChoice(), "");
    EXPECT_EQ(g_.SeasonId.str(), "");
    EXPECT_EQ(g_.DivisionId, harbour_) << "choosing a season keeps the chosen division";
    EXPECT_EQ(listed(list), (std::vector<int32_t>{h25b_, h25a_, h24_})) << "division only: every season";

    choose(list.divisionChoice(), "");
    // Neither: every trip by season, division, then trip number.
    EXPECT_EQ(listed(list), (std::vector<int32_t>{h24_, l24_, h25a_, h25b_, l25_}));

    choose(list.seasonChoice(), "2024");
    EXPECT_EQ(listed(list), (std::vector<int32_t>{h24_, l24_}));
}

TEST_F(TripListTest, ScorerWorksInTheCurrentSeasonAndIsWarnedOfALaterOne) {
    settings([](System& s) { s.ScorePreviousSeason = 1; });
    beScorer();
    trips::TripList list(ctx());
    EXPECT_EQ(list.scorerSeasonId(), "2024");
    EXPECT_EQ(g_.SeasonId.str(), "2024");
    EXPECT_EQ(list.scorerSeason()->text(), "2024");
    EXPECT_FALSE(list.seasonChoice()->isVisibleTo(&list)) << "a scorer cannot choose the season";
    EXPECT_TRUE(list.recalculateButton()->isVisibleTo(&list));
    ASSERT_NE(list.warning(), nullptr);
    EXPECT_EQ(list.warning()->title(), "Warning");
    EXPECT_EQ(list.warning()->findChild<QLabel*>("latestSeason")->text(), "2025");
    EXPECT_EQ(listed(list), (std::vector<int32_t>{h24_, l24_}));

    // A division keeps the scorer in the scorer's season.
    choose(list.divisionChoice(), "Lake");
    EXPECT_EQ(g_.SeasonId.str(), "2024");
    EXPECT_EQ(listed(list), (std::vector<int32_t>{l24_}));
}

TEST_F(TripListTest, ScorerWithoutTheSettingWorksInTheLatestSeasonUnwarned) {
    beScorer();
    trips::TripList list(ctx());
    EXPECT_EQ(list.scorerSeasonId(), "2025");
    EXPECT_EQ(list.warning(), nullptr);
    EXPECT_EQ(listed(list), (std::vector<int32_t>{h25b_, h25a_, l25_}));
}

TEST_F(TripListTest, OtherUsersKeepTheirChosenSeasonWhenTheSettingIsOn) {
    settings([](System& s) { s.ScorePreviousSeason = 1; });
    g_.SecurityLevel = "Administrator";
    trips::TripList list(ctx());
    choose(list.seasonChoice(), "2024");
    choose(list.divisionChoice(), "Harbour");
    EXPECT_EQ(g_.SeasonId.str(), "2024") << "only a scorer has a fixed season";
    EXPECT_EQ(listed(list), (std::vector<int32_t>{h24_}));
}

TEST_F(TripListTest, ScoreTripOpensTheTripAndComingBackListsBySeasonOnly) {
    {
        FileUse use(store(), "Trips");
        Trips t = read<Trips>(l25_, "byTripId");
        t.AllowNonMembers = "Y";
        t.InterClubTripDesc = "v Northport";
        ASSERT_TRUE(updateRecord(store(), t).isOk());
    }
    g_.SecurityLevel = "Administrator";
    trips::TripList list(ctx());
    choose(list.divisionChoice(), "Lake");
    session::Globals seen;
    std::string allow;
    list.openTripMembers = [&](AppContext& c, QWidget*) {
        seen = c.globals;
        allow = trips::tripValues().allowNonMembers;
        c.globals.DivisionId = 0;  // as the anglers' list does when it closes
    };
    list.scoreButton()->click();
    EXPECT_EQ(seen.TripId, l25_);
    EXPECT_EQ(seen.DivisionId, lake_);
    EXPECT_EQ(seen.SeasonId.str(), "2025");
    EXPECT_EQ(seen.TripSumNumber.str(), "1");
    EXPECT_EQ(seen.TripSumTripLocation.str(), "Reef 1");
    EXPECT_EQ(seen.TripSumInterClubDesc.str(), "v Northport");
    EXPECT_EQ(seen.TripSumTripDate, *Date::fromCivil(2025, 3, 2));
    EXPECT_EQ(allow, "Y");
    // Back in the list: every division of the season, the choice showing it.
    EXPECT_EQ(list.divisionChoice()->currentText(), "");
    EXPECT_EQ(listed(list), (std::vector<int32_t>{h25b_, h25a_, l25_}));
    ASSERT_NE(list.selected(), nullptr);
    EXPECT_EQ(list.selected()->number(0), l25_) << "the scored trip stays highlighted";
    list.reject();
    EXPECT_EQ(g_.TripId, 0) << "closing the list forgets the trip";
}

TEST_F(TripListTest, ScoringGathersTheEarlierWinnersOnlyForAScorer) {
    const int32_t gradeA = addGrade("A", 1);
    const int32_t ann = addMember("Ann", "Smith");
    grade(ann, gradeA, harbour_, "2020");
    addTripMember(h25b_, ann, "40.00");
    g_.SecurityLevel = "Administrator";
    {
        trips::TripList list(ctx());
        list.openTripMembers = [](AppContext&, QWidget*) {};
        list.selectRecno(record("Trips", h25a_, "byTripId").stamp.recno);
        list.scoreButton()->click();
        EXPECT_EQ(g_.TripId, h25a_);
    }
    beScorer();
    trips::TripList list(ctx());
    list.openTripMembers = [](AppContext&, QWidget*) {};
    list.selectRecno(record("Trips", h25a_, "byTripId").stamp.recno);
    list.scoreButton()->click();
    EXPECT_EQ(scoring_->priorTripWinners.tripId, h25a_);
    ASSERT_EQ(scoring_->priorTripWinners.rows.size(), 1u) << "the trip entered before it";
    EXPECT_EQ(scoring_->priorTripWinners.rows[0].MemberId, ann);
}

TEST_F(TripListTest, RecalculateRewritesTheSeasonsProgressPoints) {
    const int32_t ann = addMember("Ann", "Smith");
    addTripMember(h25b_, ann, "40.00");
    const int32_t later = addTripMember(h25a_, ann, "10.00");
    beScorer();
    trips::TripList list(ctx());
    list.recalculateButton()->click();
    EXPECT_EQ(read<TripMember>(later, "byTripMemberId").ProgressPoints, *Decimal::parse("50.00"));
    EXPECT_TRUE(messages_.shown().empty());
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
