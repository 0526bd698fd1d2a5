// Questions whose Yes loses data default to No, so that Enter keeps the
// data; and a new password is typed twice before it is stored.

#include <QLineEdit>

#include "core/session/Login.h"
#include "tests/ui/UiFixture.h"
#include "ui/framework/BrowseList.h"
#include "ui/framework/StandardForm.h"
#include "ui/main/UserWindows.h"
#include "ui/maintenance/ReferenceLists.h"

using namespace qv;
using namespace qv::data;
using namespace qv::ui;
using qv::testing::UiTest;

namespace {

class Questions : public UiTest {
protected:
    Record division(const char* name) {
        FileUse use(store(), "Division");
        Record r = store().newRecord("Division");
        r.setText(r.field("DivisionName"), name);
        EXPECT_TRUE(store().fetch(r, "byDivisionName").isOk());
        return r;
    }
    Record fresh(const char* file) {
        FileUse use(store(), file);
        Record r = store().newRecord(file);
        store().primeForInsert(r);
        return r;
    }
    const Shown& last() const { return messages_.shown().back(); }
};

}  // namespace

// No answer given in advance: each question takes its default, as Enter would.
TEST_F(Questions, EnterAtConfirmDeleteKeepsTheRecord) {
    addDivision("Sea");
    BrowseList list(ctx(), maintenance::divisionList());
    list.deleteRecord();
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(last().message.title, "Confirm Delete");
    EXPECT_EQ(last().defaultAnswer, Answer::No);
    EXPECT_EQ(count("Division"), 1);

    StandardForm form(ctx(), maintenance::divisionForm(), Request::Delete, division("Sea"));
    form.show();
    form.accept();
    EXPECT_EQ(last().message.title, "Confirm Delete");
    EXPECT_EQ(last().defaultAnswer, Answer::No);
    EXPECT_EQ(count("Division"), 1);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(Questions, EnterAtChangesWillBeLostKeepsTheEntries) {
    FormSpec design = maintenance::divisionForm();
    design.guard = CloseGuard::WarnLost;
    StandardForm form(ctx(), design, Request::Insert, fresh("Division"));
    form.show();
    qobject_cast<QLineEdit*>(form.fieldWidget("DivisionName"))->setText("Sea");
    form.reject();
    EXPECT_EQ(last().message.title, "Changes will be lost!");
    EXPECT_EQ(last().defaultAnswer, Answer::No);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(Questions, QuestionsThatLoseNothingStillDefaultToYes) {
    FormSpec design = maintenance::divisionForm();
    design.askAddAnother = true;
    StandardForm form(ctx(), design, Request::Insert, fresh("Division"));
    form.show();
    qobject_cast<QLineEdit*>(form.fieldWidget("DivisionName"))->setText("Sea");
    form.accept();
    EXPECT_EQ(last().message.title, "Record Added");
    EXPECT_EQ(last().defaultAnswer, Answer::Yes);
    EXPECT_TRUE(form.isVisible()) << "Yes starts the next record";
}

class ChangePassword : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        addUser("pat", "old-secret", "Scorer", "Pat Angler");
        g_.UserId = "pat";
        g_.UserPassword = "old-secret";
        g_.SecurityLevel = "Scorer";
    }
    bool passwordIs(const char* candidate) {
        session::Globals probe;
        probe.UserId = "pat";
        probe.UserPassword = candidate;
        return session::checkLogin(store(), probe).accepted;
    }
};

TEST_F(ChangePassword, AMistypedConfirmationIsRefusedAndChangesNothing) {
    ChangePasswordWindow window(ctx());
    window.show();
    window.entry()->setText("new-secret");
    window.confirmation()->setText("new-secert");
    window.accept();
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown().back().message.text, kPasswordsDiffer);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(passwordIs("old-secret"));
    EXPECT_FALSE(passwordIs("new-secret"));
    EXPECT_EQ(g_.UserPassword.str(), "old-secret");
}

TEST_F(ChangePassword, TheSamePasswordTwiceIsStored) {
    ChangePasswordWindow window(ctx());
    window.show();
    window.entry()->setText("new-secret");
    window.confirmation()->setText("new-secret");
    window.accept();
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(passwordIs("new-secret"));
}
