// frmGradeHistory: a member's gradings kept apart season by season, the
// entries asked for in order, and the start season of a fished season kept.

#include <QComboBox>
#include <QPushButton>

#include "tests/ui/KeyboardWalk.h"
#include "tests/ui/members/MemberFixture.h"

using namespace qv;
using namespace qv::ui;
using qv::members::gradeHistoryForm;

namespace {

class GradeHistoryForm : public qv::testing::MemberTest {
protected:
    void SetUp() override {
        MemberTest::SetUp();
        for (const char* s : {"2001", "2002", "2004", "2005", "2006", "2007", "2008", "2009"}) addSeason(s);
        division_ = addDivision("Rock");
        gradeA_ = addGrade("A Grade", 1);
        gradeB_ = addGrade("B Grade", 2);
        member_ = addMember("Ann", "Smith");
    }
    // Enters a grading through the form; true when it was saved.
    bool enter(const char* start, const char* end, int32_t grade = 0, int32_t division = 0) {
        data::Record rec = fresh("GradeHistory");
        rec.setNumber(rec.field("MemberId"), member_);
        StandardForm form(ctx(), gradeHistoryForm(true), Request::Insert, rec);
        form.setFieldValue("DivisionId", QString::number(division ? division : division_));
        form.setFieldValue("GradeId", QString::number(grade ? grade : gradeA_));
        form.setFieldValue("StartSeasonId", start);
        form.setFieldValue("EndSeasonId", end);
        form.accept();
        return form.result() == QDialog::Accepted;
    }
    int32_t division_ = 0, gradeA_ = 0, gradeB_ = 0, member_ = 0;
};

const char* const kRange =
    "You have entered a Grade in a range that already exists for this Division. Please ensure that the Start and "
    "End Season range is unique.";
const char* const kCurrent =
    "You have tried to enter a current grading (by entering no End Season) but one already exists. Please ensure "
    "there is only one current grading for this Member in this Division.";

TEST_F(GradeHistoryForm, GradingsFollowingEachOtherAreKeptAndOverlapsRefused) {
    EXPECT_TRUE(enter("2004", "2006"));
    EXPECT_TRUE(enter("2007", "", gradeB_));
    EXPECT_TRUE(messages_.shown().empty());

    EXPECT_FALSE(enter("2005", "2008"));
    EXPECT_EQ(lastShown(), kRange);
    EXPECT_FALSE(enter("2009", ""));
    EXPECT_EQ(lastShown(), kCurrent);
    EXPECT_EQ(count("GradeHistory"), 2);

    // Below the current grading there is room.
    EXPECT_TRUE(enter("2001", "2002"));
    EXPECT_EQ(count("GradeHistory"), 3);
    // Another division keeps its own gradings.
    EXPECT_TRUE(enter("2005", "", gradeA_, addDivision("Beach")));
}

TEST_F(GradeHistoryForm, ARefusedRangePutsTheFocusOnTheStartSeason) {
    addGrading(member_, division_, gradeA_, "2004", "2006");
    data::Record rec = fresh("GradeHistory");
    rec.setNumber(rec.field("MemberId"), member_);
    StandardForm form(ctx(), gradeHistoryForm(true), Request::Insert, rec);
    qv::testing::showActive(&form);
    form.setFieldValue("DivisionId", QString::number(division_));
    form.setFieldValue("GradeId", QString::number(gradeA_));
    form.setFieldValue("StartSeasonId", "2006");
    form.fieldWidget("GradeId")->setFocus();
    form.accept();
    EXPECT_EQ(QApplication::focusWidget(), form.fieldWidget("StartSeasonId"));
    EXPECT_EQ(lastShown(), kRange);
}

TEST_F(GradeHistoryForm, EntriesAreAskedForInOrderAndOkWaitsForAChange) {
    EXPECT_FALSE(enter("2006", "2005"));
    EXPECT_EQ(lastShown(), "You cannot select an End Season that is before the Start Season");

    data::Record rec = fresh("GradeHistory");
    rec.setNumber(rec.field("MemberId"), member_);
    StandardForm form(ctx(), gradeHistoryForm(true), Request::Insert, rec);
    form.accept();
    EXPECT_EQ(lastShown(), "Please enter a Grade");
    EXPECT_FALSE(form.okButton()->isEnabled());
    auto* grade = qobject_cast<QComboBox*>(form.fieldWidget("GradeId"));
    grade->setCurrentIndex(0);
    emit grade->activated(0);
    EXPECT_TRUE(form.okButton()->isEnabled());
    form.accept();
    EXPECT_EQ(lastShown(), "Please enter a division");
    form.setFieldValue("DivisionId", QString::number(division_));
    form.accept();
    EXPECT_EQ(lastShown(), "Please enter a Start Season");
    EXPECT_EQ(count("GradeHistory"), 0);
}

TEST_F(GradeHistoryForm, ANewRowChoosesAmongActiveRecordsAndAnOldRowKeepsItsOwn) {
    const int32_t retired = addGrade("Retired", 9, "Y");
    data::Record rec = fresh("GradeHistory");
    StandardForm form(ctx(), gradeHistoryForm(true), Request::Insert, rec);
    auto* grade = qobject_cast<QComboBox*>(form.fieldWidget("GradeId"));
    EXPECT_EQ(grade->findData(QString::number(retired)), -1);
    auto* start = qobject_cast<QComboBox*>(form.fieldWidget("StartSeasonId"));
    ASSERT_EQ(start->count(), 9);
    EXPECT_EQ(start->itemText(0), "");
    EXPECT_EQ(start->itemText(8), "2009");

    data::GradeHistory old;
    old.GradeHistoryId = addGrading(member_, division_, retired, "2004");
    StandardForm change(ctx(), gradeHistoryForm(false), Request::Change,
                        stored(reread(old, "byGradeHistoryId")));
    EXPECT_FALSE(change.fieldWidget("DivisionId")->isEnabled());
    EXPECT_FALSE(change.fieldWidget("GradeId")->isEnabled());
    EXPECT_EQ(qobject_cast<QComboBox*>(change.fieldWidget("GradeId"))->currentText(), "Retired");
    EXPECT_TRUE(change.fieldWidget("StartSeasonId")->isEnabled());
}

TEST_F(GradeHistoryForm, TheStartOfASeasonTheMemberFishedIsLocked) {
    data::GradeHistory row;
    row.GradeHistoryId = addGrading(member_, division_, gradeA_, "2005", "2006");
    row = reread(row, "byGradeHistoryId");
    addAngler(addTrip(division_, "2006"), member_);
    members::memberValues().gradeHistoryChange = "Y";
    {
        // A season fished that is not the start leaves the start free.
        StandardForm form(ctx(), gradeHistoryForm(false), Request::Change, stored(row));
        EXPECT_TRUE(form.fieldWidget("StartSeasonId")->isEnabled());
        EXPECT_TRUE(messages_.shown().empty());
    }
    addAngler(addTrip(division_, "2005"), member_);
    StandardForm form(ctx(), gradeHistoryForm(false), Request::Change, stored(row));
    EXPECT_FALSE(form.fieldWidget("StartSeasonId")->isEnabled());
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(lastShown(), "Start Season cannot be changed as member has a trip recorded for this year");
    // Only a change from the member form locks it.
    members::memberValues().gradeHistoryChange.clear();
    StandardForm plain(ctx(), gradeHistoryForm(false), Request::Change, stored(row));
    EXPECT_TRUE(plain.fieldWidget("StartSeasonId")->isEnabled());
}

TEST_F(GradeHistoryForm, ChangingARowIsNotAClashWithItself) {
    data::GradeHistory row;
    row.GradeHistoryId = addGrading(member_, division_, gradeA_, "2004", "2006");
    row = reread(row, "byGradeHistoryId");
    StandardForm form(ctx(), gradeHistoryForm(false), Request::Change, stored(row));
    form.setFieldValue("EndSeasonId", "");
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(reread(row, "byGradeHistoryId").EndSeasonId, "");
}

TEST_F(GradeHistoryForm, ACurrentGradingForTheTripsDivisionIsRemembered) {
    members::memberValues().fromTripMemberForm = true;
    g_.DivisionId = division_;
    EXPECT_TRUE(enter("2004", "2006"));
    EXPECT_FALSE(members::memberValues().currentGradingEntered);
    EXPECT_TRUE(enter("2007", "", gradeA_, addDivision("Beach")));
    EXPECT_FALSE(members::memberValues().currentGradingEntered);
    EXPECT_TRUE(enter("2007", ""));
    EXPECT_TRUE(members::memberValues().currentGradingEntered);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
