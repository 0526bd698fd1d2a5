// frmNonMembers: a visitor belongs to the trip in context, needs a grade,
// and is handed to the trip scoring form.

#include <QComboBox>
#include <QPushButton>

#include "tests/ui/members/MemberFixture.h"

using namespace qv;
using namespace qv::ui;

namespace {

class NonMemberFormTest : public qv::testing::MemberTest {};

TEST_F(NonMemberFormTest, AVisitorOfTheTripInContextNeedsAGrade) {
    addSeason("2008");
    const int32_t trip = addTrip(addDivision("Rock"), "2008", "Y");
    const int32_t grade = addGrade("B Grade", 2);
    g_.TripId = trip;
    whenFormOpens([grade](StandardForm& f) {
        EXPECT_EQ(f.windowTitle(), "Add / Edit Non-Member Details");
        f.setFieldValue("FirstName", "Vic ");
        f.setFieldValue("LastName", "Tor");
        f.accept();
        EXPECT_TRUE(f.isVisible());
        EXPECT_FALSE(f.okButton()->isEnabled());
        auto* choice = qobject_cast<QComboBox*>(f.fieldWidget("GradeId"));
        choice->setCurrentIndex(choice->findData(QString::number(grade)));
        emit choice->activated(choice->currentIndex());
        EXPECT_TRUE(f.okButton()->isEnabled());
        f.accept();
    });
    EXPECT_TRUE(members::openNonMemberForm(ctx(), Request::Insert, fresh("NonMembers"), nullptr));
    EXPECT_EQ(messages_.shown().front().message.text, "Please enter a grade");
    const auto saved = all<data::NonMembers>();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].TripId, trip);
    EXPECT_EQ(saved[0].GradeId, grade);
    EXPECT_EQ(saved[0].FullName, "Tor, Vic");
    EXPECT_EQ(members::memberValues().newNonMemberId, saved[0].NonMemberId);
}

}  // namespace
