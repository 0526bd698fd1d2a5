// brwMembers: which tab shows for whom, the order and filter of the members,
// a long list opening at once, and what closing the list does.

#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include "tests/ui/KeyboardWalk.h"
#include "tests/ui/members/MemberFixture.h"

using namespace qv;
using namespace qv::ui;
using qv::members::MemberList;

namespace {

class MemberListTest : public qv::testing::MemberTest {
protected:
    std::vector<QString> firstColumn(BrowseList* list) {
        list->model()->fetchAll();
        std::vector<QString> out;
        for (int r = 0; r < list->model()->rowCount(); ++r)
            out.push_back(list->model()->data(list->model()->index(r, 0), Qt::DisplayRole).toString());
        return out;
    }
    bool tabShown(MemberList& list, int i) { return list.tabs()->isTabVisible(i); }
};

TEST_F(MemberListTest, FromTheMenuOnlyActiveMembersShowByLastName) {
    addMember("Zed", "Adams");
    addMember("Amy", "Brown", "Y");
    addMember("Bob", "Cole");
    MemberList list(ctx());
    EXPECT_EQ(list.windowTitle(), "Member Details");
    EXPECT_TRUE(tabShown(list, 0));
    EXPECT_FALSE(tabShown(list, 1));
    EXPECT_EQ(firstColumn(list.members()), (std::vector<QString>{"Adams", "Cole"}));
}

TEST_F(MemberListTest, AScorerSeesMembersByFullName) {
    beScorer();
    data::Members m;
    m.FirstName = "Al";
    m.LastName = "Young";
    m.FullName = "Aardvark, Al";  // kept by the member form; the list orders by it
    m.InactiveFlag = "N";
    put(m);
    addMember("Bob", "Cole");
    MemberList list(ctx());
    EXPECT_EQ(firstColumn(list.members()), (std::vector<QString>{"Aardvark, Al", "Cole, Bob"}));
}

TEST_F(MemberListTest, SeveralHundredMembersOpenAtOnceAndTheLocatorFindsByName) {
    for (int i = 0; i < 450; ++i) {
        const std::string last = "Member" + std::to_string(1000 + i);
        addMember("A", last.c_str());
    }
    MemberList list(ctx());
    EXPECT_LT(list.members()->model()->rowCount(), 450) << "the list reads only what it shows";
    auto* locator = list.members()->findChild<QLineEdit*>("locator");
    ASSERT_NE(locator, nullptr);
    locator->setText("Member1420");
    emit locator->textEdited("Member1420");
    const data::Record* chosen = list.members()->selected();
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->text(chosen->field("LastName")), "Member1420");
}

TEST_F(MemberListTest, OpenedForATripItShowsOnlyThatTripsNonMembers) {
    const int32_t division = addDivision("Rock");
    addSeason("2008");
    const int32_t trip = addTrip(division, "2008", "Y"), other = addTrip(division, "2008", "Y");
    for (auto [t, name] : {std::pair{trip, "Visitor"}, std::pair{other, "Stranger"}}) {
        data::NonMembers n;
        n.TripId = t;
        n.LastName = name;
        put(n);
    }
    g_.TripId = trip;
    members::memberValues().openedForTrip = true;
    {
        MemberList list(ctx());
        EXPECT_FALSE(tabShown(list, 0));
        EXPECT_TRUE(tabShown(list, 1));
        EXPECT_EQ(list.tabs()->currentIndex(), 1);
        EXPECT_EQ(firstColumn(list.nonMembers()), (std::vector<QString>{"Visitor"}));
        list.reject();
    }
    // Closing hands the trip back; the menu's list is the members' again.
    EXPECT_EQ(g_.TripId, 0);
    MemberList menu(ctx());
    EXPECT_TRUE(tabShown(menu, 0));
    EXPECT_FALSE(tabShown(menu, 1));
}

TEST_F(MemberListTest, TheTripScoringFormsNonMemberButtonAsksOnceForTheNonMemberTab) {
    g_.TripId = 4;
    members::memberValues().nonMemberRequested = true;
    {
        MemberList list(ctx());
        EXPECT_FALSE(tabShown(list, 0));
        EXPECT_TRUE(tabShown(list, 1));
        EXPECT_FALSE(members::memberValues().nonMemberRequested);
    }
    MemberList again(ctx());
    EXPECT_TRUE(tabShown(again, 0));
    EXPECT_FALSE(tabShown(again, 1));
}

TEST_F(MemberListTest, AScorersChangesRebuildTheMemberGradesOnClose) {
    addSeason("2008", "Y");
    const int32_t division = addDivision("Rock");
    const int32_t ann = addMember("Ann", "Smith");
    addGrading(ann, division, addGrade("A Grade", 1), "2008");
    beScorer();
    {
        MemberList list(ctx());
        list.reject();
    }
    EXPECT_TRUE(scoring_->memberGradeCache.empty()) << "nothing was changed";
    MemberList list(ctx());
    list.members()->view()->selectRow(0);
    whenFormOpens([](StandardForm& f) { f.reject(); });
    list.members()->changeRecord();
    EXPECT_TRUE(g_.MembersChanged);
    list.reject();
    EXPECT_EQ(scoring_->memberGradeCache.size(), 1u);
    EXPECT_FALSE(g_.MembersChanged);
}

TEST_F(MemberListTest, TabMovesFromTheTabsThroughTheListAndItsButtons) {
    addMember("Ann", "Smith");
    MemberList list(ctx());
    qv::testing::showActive(&list);
    const auto chain = qv::testing::tabChain(&list);
    EXPECT_EQ(qv::testing::entriesOf(chain), qv::testing::entriesOf(qv::testing::tabEntries(&list)));
    EXPECT_EQ(QApplication::focusWidget(), list.members()->view());
}

}  // namespace
