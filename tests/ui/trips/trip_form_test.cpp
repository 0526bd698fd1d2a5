// The trip form: the unique trip number, the divisions it offers, the
// scorer's season, the non-member parts and view mode.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QApplication>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "tests/ui/KeyboardWalk.h"
#include "tests/ui/trips/TripFixture.h"
#include "ui/members/MemberWindows.h"
#include "ui/trips/TripWindows.h"

using namespace qv;
using namespace qv::data;
using namespace qv::ui;
using qv::testing::TripTest;

namespace {

class TripFormTest : public TripTest {
protected:
    void SetUp() override {
        TripTest::SetUp();
        harbour_ = addDivision("Harbour");
        lake_ = addDivision("Lake");
        addSeason("2025", "Y");
        first_ = addTrip(harbour_, "2025", 5);
    }
    static void type(StandardForm& form, const char* field, const QString& text) {
        auto* e = qobject_cast<QLineEdit*>(form.fieldWidget(field));
        e->setText(text);
        e->setModified(true);
        emit e->editingFinished();
    }
    static void choose(StandardForm& form, const char* field, const QString& text) {
        auto* c = qobject_cast<QComboBox*>(form.fieldWidget(field));
        c->setCurrentIndex(c->findText(text));
    }
    Record newTrip() {
        Record r = fresh("Trips");
        return r;
    }
    int32_t harbour_ = 0, lake_ = 0, first_ = 0;
};

}  // namespace

TEST_F(TripFormTest, ATripNumberUsedInTheDivisionAndSeasonIsRefusedAtOnce) {
    g_.SecurityLevel = "Administrator";
    StandardForm form(ctx(), trips::tripForm(), Request::Insert, newTrip());
    qv::testing::showActive(&form);
    choose(form, "DivisionId", "Harbour");
    choose(form, "SeasonId", "2025");
    type(form, "SeasonTripNumber", "5");
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].message.title, "Duplicate Key Error");
    EXPECT_EQ(messages_.shown()[0].message.text,
              "Adding this record creates a duplicate entry for the key: Trip Number already entered for division and "
              "season");
    EXPECT_EQ(QApplication::focusWidget(), form.fieldWidget("SeasonTripNumber"));

    // OK refuses it as well, and nothing is written.
    form.accept();
    EXPECT_EQ(messages_.shown().size(), 2u);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(count("Trips"), 1);

    // The same number in another division is another trip.
    choose(form, "DivisionId", "Lake");
    form.accept();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(count("Trips"), 2);
}

TEST_F(TripFormTest, AChangedTripKeepsItsOwnNumber) {
    g_.SecurityLevel = "Administrator";
    StandardForm form(ctx(), trips::tripForm(), Request::Change, record("Trips", first_, "byTripId"));
    form.show();
    type(form, "SeasonTripNumber", "5");
    type(form, "TripLocation", "North Mole");
    form.accept();
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_EQ(read<Trips>(first_, "byTripId").TripLocation, "North Mole");
}

TEST_F(TripFormTest, NewTripsChooseAnActiveDivisionAndKeepItAfterwards) {
    addDivision("Old Dam", "Y");
    g_.SecurityLevel = "Administrator";
    StandardForm insert(ctx(), trips::tripForm(), Request::Insert, newTrip());
    auto* division = qobject_cast<QComboBox*>(insert.fieldWidget("DivisionId"));
    EXPECT_EQ(division->findText("Old Dam"), -1);
    EXPECT_GE(division->findText("Lake"), 0);
    EXPECT_TRUE(division->isEnabled());
    // Without a division the trip is not stored.
    type(insert, "SeasonTripNumber", "9");
    insert.accept();
    EXPECT_EQ(shownTexts().back(), "Please choose the division of the trip.");
    EXPECT_EQ(count("Trips"), 1);

    StandardForm change(ctx(), trips::tripForm(), Request::Change, record("Trips", first_, "byTripId"));
    EXPECT_FALSE(change.fieldWidget("DivisionId")->isEnabled());
    EXPECT_EQ(qobject_cast<QComboBox*>(change.fieldWidget("DivisionId"))->currentText(), "Harbour");
}

TEST_F(TripFormTest, AScorersTripsBelongToTheScorersSeason) {
    addSeason("2026");
    beScorer();
    g_.SeasonId = "2025";
    StandardForm form(ctx(), trips::tripForm(), Request::Insert, newTrip());
    form.show();
    EXPECT_FALSE(form.fieldWidget("SeasonId")->isEnabled());
    EXPECT_EQ(form.fieldValue("SeasonId"), "2025");
    choose(form, "DivisionId", "Lake");
    type(form, "SeasonTripNumber", "1");
    form.accept();
    ASSERT_FALSE(form.isVisible()) << ::testing::PrintToString(shownTexts());
    EXPECT_EQ(read<Trips>(first_ + 1, "byTripId").SeasonId, "2025");
}

TEST_F(TripFormTest, NonMemberPartsFollowTheAllowBox) {
    g_.SecurityLevel = "Administrator";
    StandardForm form(ctx(), trips::tripForm(), Request::Change, record("Trips", first_, "byTripId"));
    form.show();
    auto* add = form.findChild<QPushButton*>("AllowNonMembers_button");
    auto* trophies = form.findChild<QTableView*>("trophyList");
    ASSERT_NE(add, nullptr);
    ASSERT_NE(trophies, nullptr);
    EXPECT_FALSE(add->isVisible());
    EXPECT_TRUE(trophies->isColumnHidden(1)) << "no NonMember column on a members-only trip";
    auto* allow = qobject_cast<QCheckBox*>(form.fieldWidget("AllowNonMembers"));
    allow->click();
    EXPECT_TRUE(add->isVisible());
    EXPECT_FALSE(trophies->isColumnHidden(1));
    // "Add Non-Members" opens the member list on this trip's non-members.
    members::registerMemberWindows();
    int tab = -1;
    int32_t trip = 0;
    QTimer::singleShot(0, [&] {
        if (auto* list = qobject_cast<members::MemberList*>(QApplication::activeModalWidget())) {
            tab = list->tabs()->currentIndex();
            trip = g_.TripId;
            list->reject();
        }
    });
    add->click();
    EXPECT_EQ(tab, 1) << "the Non-Members tab";
    EXPECT_EQ(trip, first_) << "non-members are made for this trip";
    EXPECT_FALSE(members::memberValues().openedForTrip);
    form.accept();
    EXPECT_EQ(read<Trips>(first_, "byTripId").AllowNonMembers, "Y");
    EXPECT_EQ(g_.TripId, 0) << "leaving the form clears the trip";
}

TEST_F(TripFormTest, ViewModeDisablesEveryEntryAndButton) {
    g_.SecurityLevel = "Administrator";
    StandardForm form(ctx(), trips::tripForm(), Request::View, record("Trips", first_, "byTripId"));
    for (const char* f : {"DivisionId", "SeasonId", "SeasonTripNumber", "TripDate", "TripLocation",
                          "InterClubTripDesc", "AllowNonMembers"})
        EXPECT_FALSE(form.fieldWidget(f)->isEnabled()) << f;
    for (const char* b : {"TripDate_button", "trophyInsert", "trophyChange", "trophyDelete"})
        EXPECT_FALSE(form.findChild<QPushButton*>(b)->isEnabled()) << b;
    EXPECT_TRUE(form.okButton()->isEnabled());
}
