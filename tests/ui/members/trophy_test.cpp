// Trophies awarded on a trip and for a season: who may win them, the season
// they go to, and the positional trophy's position.

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "tests/ui/members/MemberFixture.h"

using namespace qv;
using namespace qv::ui;

namespace {

class TrophyTest : public qv::testing::MemberTest {
protected:
    void SetUp() override {
        MemberTest::SetUp();
        addSeason("2007", "Y");
        addSeason("2008");
        division_ = addDivision("Rock");
        trophy_ = addTrophy("Heaviest Snapper");
        ann_ = addMember("Ann", "Smith");
    }
    std::unique_ptr<StandardForm> tripTrophy(int32_t trip, const char* allow) {
        data::Record rec = fresh("TripTrophy");
        rec.setNumber(rec.field("TripId"), trip);
        return std::unique_ptr<StandardForm>(members::newTripTrophyForm(ctx(), rec, allow, nullptr));
    }
    static void pick(QComboBox* c, int32_t id) {
        c->setCurrentIndex(c->findData(QString::number(id)));
        emit c->activated(c->currentIndex());
    }
    int32_t division_ = 0, trophy_ = 0, ann_ = 0;
};

TEST_F(TrophyTest, OnAMembersOnlyTripATrophyGoesToAMember) {
    g_.SeasonId = "2008";
    const int32_t trip = addTrip(division_, "2008", "N");
    auto form = tripTrophy(trip, "N");
    auto* nonMember = form->findChild<QRadioButton*>("anglerNonMember");
    ASSERT_NE(nonMember, nullptr);
    EXPECT_FALSE(nonMember->isVisibleTo(form.get()));
    EXPECT_FALSE(form->findChild<QComboBox*>("nonMemberChoice")->isVisibleTo(form.get()));
    EXPECT_FALSE(form->okButton()->isEnabled()) << "OK waits for a trophy";

    pick(qobject_cast<QComboBox*>(form->fieldWidget("TrophyId")), trophy_);
    EXPECT_TRUE(form->okButton()->isEnabled());
    form->accept();
    EXPECT_EQ(lastShown(), "Please choose the member or non-member who won the trophy.");
    pick(form->findChild<QComboBox*>("memberChoice"), ann_);
    form->accept();
    ASSERT_EQ(form->result(), QDialog::Accepted);
    const auto saved = all<data::TripTrophy>();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].MemberId, ann_);
    EXPECT_EQ(saved[0].NonMemberId, 0);
    EXPECT_EQ(saved[0].SeasonId, "2008");
    EXPECT_EQ(saved[0].TripId, trip);
}

TEST_F(TrophyTest, OnATripWithVisitorsTheWinnerIsOneOrTheOther) {
    g_.SeasonId = "2008";
    const int32_t trip = addTrip(division_, "2008", "Y");
    g_.TripId = trip;
    data::NonMembers visitor;
    visitor.TripId = trip;
    visitor.FullName = "Tor, Vic";
    visitor = put(visitor);
    auto form = tripTrophy(trip, "Y");
    auto* nonMember = form->findChild<QRadioButton*>("anglerNonMember");
    EXPECT_FALSE(nonMember->isHidden());
    pick(form->findChild<QComboBox*>("memberChoice"), ann_);
    nonMember->click();
    pick(form->findChild<QComboBox*>("nonMemberChoice"), visitor.NonMemberId);
    pick(qobject_cast<QComboBox*>(form->fieldWidget("TrophyId")), trophy_);
    form->accept();
    const auto saved = all<data::TripTrophy>();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].MemberId, 0) << "choosing a non-member clears the member";
    EXPECT_EQ(saved[0].NonMemberId, visitor.NonMemberId);

    // The award, opened again, shows its winner and trophy read-only.
    whenFormOpens([](StandardForm& f) {
        auto* shown = f.findChild<QComboBox*>("nonMemberChoice");
        EXPECT_TRUE(shown->isVisible());
        EXPECT_FALSE(shown->isEnabled());
        EXPECT_EQ(shown->currentText(), "Tor, Vic");
        EXPECT_FALSE(f.findChild<QRadioButton*>("anglerNonMember")->isEnabled());
        EXPECT_FALSE(f.fieldWidget("TrophyId")->isEnabled());
    });
    members::openTripTrophyForm(ctx(), Request::Change, stored(saved[0]), "Y", nullptr);
}

TEST_F(TrophyTest, AnAwardWithoutASeasonOrTrophyIsRefused) {
    const int32_t trip = addTrip(division_, "2008", "N");
    auto form = tripTrophy(trip, "N");  // no season in context
    pick(qobject_cast<QComboBox*>(form->fieldWidget("TrophyId")), trophy_);
    pick(form->findChild<QComboBox*>("memberChoice"), ann_);
    form->accept();
    EXPECT_EQ(lastShown(), "You must enter in a Season!");
    EXPECT_EQ(count("TripTrophy"), 0);
}

TEST_F(TrophyTest, UntickingPositionalBlanksThePosition) {
    StandardForm form(ctx(), members::seasonTrophyForm(), Request::Insert, fresh("SeasonTrophy"));
    EXPECT_EQ(form.findChild<QLabel*>("modeText")->text(), "Record will be Added");
    EXPECT_FALSE(form.fieldWidget("Position")->isEnabled());
    pick(qobject_cast<QComboBox*>(form.fieldWidget("SeasonId")), 0);
    form.setFieldValue("SeasonId", "2008");
    pick(qobject_cast<QComboBox*>(form.fieldWidget("DivisionId")), division_);
    pick(qobject_cast<QComboBox*>(form.fieldWidget("MemberId")), ann_);
    pick(qobject_cast<QComboBox*>(form.fieldWidget("TrophyId")), trophy_);
    auto* positional = qobject_cast<QAbstractButton*>(form.fieldWidget("PositionalTrophy"));
    positional->click();
    EXPECT_TRUE(form.fieldWidget("Position")->isEnabled());
    form.setFieldValue("Position", "1");
    positional->click();
    EXPECT_FALSE(form.fieldWidget("Position")->isEnabled());
    form.accept();
    const auto saved = all<data::SeasonTrophy>();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].PositionalTrophy, "N");
    EXPECT_EQ(saved[0].Position, "");
    EXPECT_EQ(saved[0].SeasonId, "2008");

    // A stored award keeps its division, member and trophy.
    StandardForm change(ctx(), members::seasonTrophyForm(), Request::Change, stored(saved[0]));
    EXPECT_FALSE(change.fieldWidget("DivisionId")->isEnabled());
    EXPECT_FALSE(change.fieldWidget("MemberId")->isEnabled());
    EXPECT_FALSE(change.fieldWidget("TrophyId")->isEnabled());
    EXPECT_TRUE(change.fieldWidget("SeasonId")->isEnabled());
}

TEST_F(TrophyTest, AScorerAlwaysWorksOnTheLatestSeason) {
    // The club scores its previous season, flagged current; season trophies
    // still go to the latest.
    data::System sys;
    ASSERT_TRUE(data::readSystem(store(), sys).isOk());
    sys.ScorePreviousSeason = 1;
    ASSERT_TRUE(data::writeSystem(store(), sys).isOk());
    beScorer();
    g_.SeasonId = "2007";
    members::SeasonTrophyList list(ctx());
    EXPECT_EQ(g_.SeasonId.str(), "2008");
    EXPECT_TRUE(list.seasonChoice()->isHidden());
    EXPECT_EQ(list.scorerSeason()->text(), "2008");
    list.chooseDivision(list.divisionChoice()->findData(division_));
    EXPECT_EQ(g_.DivisionId, division_);
    EXPECT_EQ(g_.SeasonId.str(), "2008");

    whenFormOpens([this](StandardForm& f) {
        EXPECT_FALSE(f.fieldWidget("SeasonId")->isEnabled());
        EXPECT_EQ(f.fieldValue("SeasonId"), "2008");
        pick(qobject_cast<QComboBox*>(f.fieldWidget("DivisionId")), division_);
        pick(qobject_cast<QComboBox*>(f.fieldWidget("MemberId")), ann_);
        pick(qobject_cast<QComboBox*>(f.fieldWidget("TrophyId")), trophy_);
        f.accept();
    });
    list.insertRecord();
    const auto saved = all<data::SeasonTrophy>();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].SeasonId, "2008");
    EXPECT_EQ(list.model()->rowCount(), 1);
}

TEST_F(TrophyTest, TheListShowsTheChosenDivisionsSeasonByTrophyName) {
    const int32_t other = addDivision("Beach");
    const int32_t cup = addTrophy("Club Cup");
    const int32_t bob = addMember("Bob", "Jones");
    for (auto [div, season, trophy, member] :
         {std::tuple{division_, "2008", trophy_, ann_}, std::tuple{division_, "2008", cup, ann_},
          std::tuple{other, "2008", cup, bob}, std::tuple{division_, "2007", cup, ann_}}) {
        data::SeasonTrophy t;
        t.DivisionId = div;
        t.SeasonId = season;
        t.TrophyId = trophy;
        t.MemberId = member;
        t.PositionalTrophy = "N";
        put(t);
    }
    members::SeasonTrophyList list(ctx());
    EXPECT_EQ(list.windowTitle(), "Season Trophies & Awards");
    EXPECT_EQ(g_.SeasonId.str(), "2008");
    EXPECT_EQ(g_.DivisionId, 0);
    EXPECT_EQ(list.model()->rowCount(), 0);
    list.chooseDivision(list.divisionChoice()->findData(division_));
    ASSERT_EQ(list.model()->rowCount(), 2);
    EXPECT_EQ(list.model()->data(list.model()->index(0, 2), Qt::DisplayRole).toString(), "Club Cup");
    EXPECT_EQ(list.model()->data(list.model()->index(1, 2), Qt::DisplayRole).toString(), "Heaviest Snapper");
    EXPECT_EQ(list.model()->data(list.model()->index(0, 3), Qt::DisplayRole).toString(), "Smith");
    list.chooseSeason(list.seasonChoice()->findData("2007"));
    EXPECT_EQ(list.model()->rowCount(), 1);
}

}  // namespace
