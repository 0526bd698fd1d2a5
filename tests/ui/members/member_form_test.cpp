// frmMembers: OK's steps in order, the duplicate name question, the veteran
// start season, and the grade history that comes and goes with the member.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "tests/ui/KeyboardWalk.h"
#include "tests/ui/members/MemberFixture.h"

using namespace qv;
using namespace qv::ui;
using qv::members::MemberForm;

namespace {

const char* const kDuplicate =
    "Duplicate member name detected.||Do you wish to add another member to the system with the same name?";

class MemberFormTest : public qv::testing::MemberTest {
protected:
    void SetUp() override {
        MemberTest::SetUp();
        addSeason("2007");
        addSeason("2008");
        division_ = addDivision("Rock");
        grade_ = addGrade("A Grade", 1);
    }
    // A new member's form with one grading already entered for it.
    std::unique_ptr<MemberForm> newMember(const char* first, const char* last) {
        data::Record rec = fresh("Members");
        addGrading(static_cast<int32_t>(rec.number(rec.field("MemberId"))), division_, grade_, "2007");
        auto form = std::make_unique<MemberForm>(ctx(), Request::Insert, rec);
        form->setFieldValue("FirstName", first);
        form->setFieldValue("LastName", last);
        return form;
    }
    std::unique_ptr<MemberForm> existing(int32_t id) {
        data::Members m;
        m.MemberId = id;
        return std::make_unique<MemberForm>(ctx(), Request::Change, stored(reread(m, "byMemberId")));
    }
    int32_t division_ = 0, grade_ = 0;
};

TEST_F(MemberFormTest, ASavedMemberIsListedLastNameFirst) {
    auto form = newMember("Ann ", "Smith");
    form->accept();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    const auto saved = all<data::Members>();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].FullName, "Smith, Ann");
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(MemberFormTest, ASecondMemberOfTheSameNameIsAskedAboutAndNoSavesNothing) {
    addMember("Ann", "Smith");
    auto form = newMember("ann", "SMITH");
    qv::testing::showActive(form.get());
    form->fieldWidget("Email")->setFocus();
    messages_.answer(Answer::No);
    form->accept();
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].message.text, kDuplicate);
    EXPECT_EQ(messages_.shown()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(messages_.shown()[0].defaultAnswer, Answer::No);
    EXPECT_NE(form->result(), QDialog::Accepted);
    EXPECT_EQ(count("Members"), 1);
    EXPECT_EQ(QApplication::focusWidget(), form->fieldWidget("FirstName"));

    messages_.answer(Answer::Yes);
    form->accept();
    EXPECT_EQ(count("Members"), 2);
}

TEST_F(MemberFormTest, ChangingOnlyTheFirstNameAsksNothing) {
    const int32_t ann = addMember("Ann", "Smith");
    addMember("Bob", "Smith");
    addGrading(ann, division_, grade_, "2007");
    auto form = existing(ann);
    form->setFieldValue("FirstName", "Bob");
    form->accept();
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    data::Members m;
    m.MemberId = ann;
    EXPECT_EQ(reread(m, "byMemberId").FullName, "Smith, Bob");
}

TEST_F(MemberFormTest, AMemberWithoutAGradeIsNotSavedUntilOneIsEntered) {
    auto form = std::make_unique<MemberForm>(ctx(), Request::Insert, fresh("Members"));
    form->setFieldValue("LastName", "Jones");
    form->accept();
    EXPECT_EQ(lastShown(), "Please enter in a Grade for this member");
    EXPECT_FALSE(form->okButton()->isEnabled());
    EXPECT_EQ(count("Members"), 0);

    // Insert on the grade history list enters one and gives OK back.
    whenFormOpens([this](StandardForm& f) {
        f.setFieldValue("DivisionId", QString::number(division_));
        f.setFieldValue("GradeId", QString::number(grade_));
        f.setFieldValue("StartSeasonId", "2007");
        f.accept();
    });
    form->insertGrade();
    EXPECT_TRUE(form->okButton()->isEnabled());
    EXPECT_EQ(form->gradeRows(), 1);
    form->accept();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    ASSERT_EQ(all<data::GradeHistory>().size(), 1u);
    EXPECT_EQ(all<data::GradeHistory>()[0].MemberId, all<data::Members>()[0].MemberId);
}

TEST_F(MemberFormTest, ANewMemberGivenUpTakesItsGradesWithIt) {
    auto form = std::make_unique<MemberForm>(ctx(), Request::Insert, fresh("Members"));
    whenFormOpens([this](StandardForm& f) {
        f.setFieldValue("DivisionId", QString::number(division_));
        f.setFieldValue("GradeId", QString::number(grade_));
        f.setFieldValue("StartSeasonId", "2008");
        f.accept();
    });
    form->insertGrade();
    EXPECT_EQ(count("GradeHistory"), 1);
    form->reject();  // nothing typed: closes without a question
    EXPECT_EQ(count("GradeHistory"), 0);
    EXPECT_EQ(count("Members"), 0);
}

TEST_F(MemberFormTest, ANewMembersGradesFollowItWhenItsNumberMovedOn) {
    auto form = std::make_unique<MemberForm>(ctx(), Request::Insert, fresh("Members"));
    form->setFieldValue("LastName", "Smith");
    whenFormOpens([this](StandardForm& f) {
        f.setFieldValue("DivisionId", QString::number(division_));
        f.setFieldValue("GradeId", QString::number(grade_));
        f.setFieldValue("StartSeasonId", "2007");
        f.accept();
    });
    form->insertGrade();
    // Another station adds a member with the number this form was given.
    const int32_t other = addMember("Cy", "Other");
    form->accept();
    ASSERT_EQ(form->result(), QDialog::Accepted);
    const int32_t ann = all<data::Members>().back().MemberId;
    EXPECT_NE(ann, other);
    ASSERT_EQ(all<data::GradeHistory>().size(), 1u);
    EXPECT_EQ(all<data::GradeHistory>()[0].MemberId, ann);
}

TEST_F(MemberFormTest, AVeteranNeedsAStartSeasonAndUntickingClearsIt) {
    auto form = newMember("Ann", "Smith");
    auto* start = qobject_cast<QComboBox*>(form->fieldWidget("VeteranStartSeason"));
    EXPECT_FALSE(start->isEnabled());
    auto* veteran = qobject_cast<QAbstractButton*>(form->fieldWidget("VeteranFlag"));
    veteran->click();
    EXPECT_TRUE(start->isEnabled());
    form->accept();
    EXPECT_EQ(lastShown(), "Please enter in a Veteran Start Season for this member");
    EXPECT_FALSE(form->okButton()->isEnabled());
    EXPECT_EQ(count("Members"), 0);

    start->setCurrentIndex(start->findData("2008"));
    emit start->activated(start->currentIndex());
    EXPECT_TRUE(form->okButton()->isEnabled());
    veteran->click();
    EXPECT_FALSE(start->isEnabled());
    EXPECT_EQ(form->fieldValue("VeteranStartSeason"), "");
    veteran->click();
    start->setCurrentIndex(start->findData("2008"));
    form->accept();
    ASSERT_EQ(count("Members"), 1);
    EXPECT_EQ(all<data::Members>()[0].VeteranStartSeason, "2008");
    EXPECT_EQ(all<data::Members>()[0].VeteranFlag, "Y");
}

TEST_F(MemberFormTest, FromTheTripScoringFormAnEndedGradeIsPointedOutButSaved) {
    const int32_t ann = addMember("Ann", "Smith");
    addGrading(ann, division_, grade_, "2005", "2007");
    members::memberValues().fromTripMemberForm = true;
    g_.DivisionId = division_;
    g_.SeasonId = "2008";
    auto form = existing(ann);
    form->setFieldValue("Email", "ann@example.org");
    form->accept();
    EXPECT_EQ(lastShown(), "This Member does not have a current grade for this division.");
    EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(MemberFormTest, CancellingAMemberWithoutGradesWarns) {
    auto form = std::make_unique<MemberForm>(ctx(), Request::Insert, fresh("Members"));
    form->reject();
    EXPECT_EQ(lastShown(), "WARNING: You are cancelling this member screen and there are no Grades recorded");
    messages_.clear();
    data::Members m;
    m.MemberId = addMember("Ann", "Smith");
    MemberForm view(ctx(), Request::View, stored(reread(m, "byMemberId")));
    view.reject();
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(MemberFormTest, AScorersGradeChangesRebuildTheMemberGradesOnOk) {
    addSeason("2009", "Y");
    beScorer();
    const int32_t ann = addMember("Ann", "Smith");
    addGrading(ann, division_, grade_, "2007");
    auto form = existing(ann);
    EXPECT_TRUE(scoring_->memberGradeCache.empty());
    form->setFieldValue("Email", "ann@example.org");
    form->accept();
    EXPECT_TRUE(scoring_->memberGradeCache.empty()) << "nothing in the grade history changed";

    auto again = existing(ann);
    whenFormOpens([](StandardForm& f) {
        f.setFieldValue("EndSeasonId", "");
        f.accept();
    });
    again->gradeList()->selectRow(0);
    again->changeGrade();
    EXPECT_TRUE(members::memberValues().gradeHistoryChange.empty());
    again->accept();
    EXPECT_EQ(scoring_->memberGradeCache.size(), 1u);
    EXPECT_FALSE(g_.GradeHistoryChanged);
}

}  // namespace
