// The anglers of a trip and its teams.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

#include "tests/ui/trips/TripFixture.h"
#include "ui/framework/RecordTableModel.h"
#include "ui/trips/TripScoringForm.h"
#include "ui/trips/TripWindows.h"

using namespace qv;
using namespace qv::data;
using namespace qv::ui;
using qv::testing::TripTest;

namespace {

class TripMembersTest : public TripTest {
protected:
    void SetUp() override {
        TripTest::SetUp();
        harbour_ = addDivision("Harbour");
        addSeason("2025", "Y");
        trip_ = addTrip(harbour_, "2025", 1);
        other_ = addTrip(harbour_, "2025", 2, "Y");
        ann_ = addMember("Ann", "Smith");
        addTripMember(trip_, ann_, "12.50");
        addTripMember(other_, ann_, "3.00");
        trips::openTripForScoring(ctx(), read<Trips>(trip_, "byTripId"));
    }
    int32_t harbour_ = 0, trip_ = 0, other_ = 0, ann_ = 0;
};

}  // namespace

TEST_F(TripMembersTest, ListsTheTripsAnglersUnderItsSummary) {
    std::unique_ptr<BrowseList> list(trips::tripMemberList(ctx(), nullptr));
    EXPECT_EQ(g_.DivisionName.str(), "Harbour");
    EXPECT_EQ(list->windowTitle(), "Trip Scores");
    EXPECT_EQ(list->findChild<QLabel*>("summaryDivision")->text(), "Harbour");
    EXPECT_EQ(list->findChild<QLabel*>("summaryTrip")->text(), "1");
    ASSERT_EQ(list->model()->rowCount(), 1) << "only the anglers of this trip";
    EXPECT_EQ(list->model()->data(list->model()->index(0, 0), Qt::DisplayRole).toString(), "Ann Smith");
    EXPECT_EQ(list->model()->data(list->model()->index(0, 2), Qt::DisplayRole).toString(), "12.50");
    EXPECT_TRUE(list->view()->isColumnHidden(1)) << "no Non-Member column on a members-only trip";
    list->reject();
    EXPECT_EQ(g_.DivisionId, 0) << "leaving the anglers forgets the division";
}

TEST_F(TripMembersTest, ATripThatAllowsNonMembersShowsTheirColumn) {
    trips::openTripForScoring(ctx(), read<Trips>(other_, "byTripId"));
    std::unique_ptr<BrowseList> list(trips::tripMemberList(ctx(), nullptr));
    EXPECT_FALSE(list->view()->isColumnHidden(1));
}

TEST_F(TripMembersTest, TeamsBelongToTheTripTheyAreFormedFor) {
    {
        FileUse use(store(), "Teams");
        Teams t;
        t.Name = "Elsewhere";
        t.TripId = other_;
        ASSERT_TRUE(insertRecord(store(), t).isOk());
    }
    BrowseSpec teams = trips::teamList(ctx());
    Record fresh = this->fresh("Teams");
    // The form as the list opens it: the name typed, OK pressed.
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<StandardForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), "Add / Edit Team");
        EXPECT_EQ(form->findChild<QLabel*>("modeText")->text(), "Record will be Added");
        qobject_cast<QLineEdit*>(form->fieldWidget("Name"))->setText("Tide Runners");
        form->accept();
    });
    ASSERT_TRUE(teams.openForm(ctx(), Request::Insert, fresh, nullptr));
    BrowseList list(ctx(), trips::teamList(ctx()));
    ASSERT_EQ(list.model()->rowCount(), 1) << "the other trip's team is not listed";
    const Record& team = list.model()->record(0);
    EXPECT_EQ(team.text(team.field("Name")), "Tide Runners");
    EXPECT_EQ(team.number(team.field("TripId")), trip_);
}

TEST_F(TripMembersTest, ChangeOpensTheScoringFormWithTheChangeFlagSet) {
    std::unique_ptr<BrowseList> list(trips::tripMemberList(ctx(), nullptr));
    std::string flag;
    QString angler;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<StandardForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        flag = trips::tripValues().changeFlag;
        angler = trips::tripScoringOf(*form)->anglerName->text();
        form->reject();
    });
    list->changeRecord();
    EXPECT_EQ(flag, "Y");
    EXPECT_EQ(angler, "Ann Smith");
    EXPECT_EQ(trips::tripValues().changeFlag, "") << "Cancel clears it";
}
