// The standard form and browse list on the users' windows.

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

#include "core/data/Sqlite.h"
#include "tests/ui/UiFixture.h"
#include "ui/framework/BrowseList.h"
#include "ui/framework/StandardForm.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/main/Windows.h"

using namespace qv;
using namespace qv::data;
using namespace qv::ui;
using qv::testing::UiTest;

namespace {

FormSpec divisionForm(CloseGuard guard = CloseGuard::AskSave) {
    FormSpec design;
    design.procedure = "frmTestDivision";
    design.title = "Division";
    design.file = "Division";
    design.fields = {{"DivisionName", "&Name:"},
                   {"InactiveFlag", "", FieldWidget::Check, {}, "&Inactive"},
                   {"BestTripsNumber", "&Best trips:"}};
    design.guard = guard;
    return design;
}

void type(StandardForm& f, const char* field, const QString& text) {
    qobject_cast<QLineEdit*>(f.fieldWidget(field))->setText(text);
}

}  // namespace

class Forms : public UiTest {
protected:
    Record primed(const char* file) {
        FileUse use(store(), file);
        Record r = store().newRecord(file);
        EXPECT_TRUE(store().primeForInsert(r).isOk());
        return r;
    }
    Record stored(const char* name) {
        FileUse use(store(), "Division");
        Record r = store().newRecord("Division");
        r.setText(1, name);
        store().fetch(r, "byDivisionName");
        return r;
    }
};

TEST_F(Forms, UntouchedInsertClosesWithoutAQuestion) {
    StandardForm form(ctx(), divisionForm(), Request::Insert, primed("Division"));
    form.show();
    form.reject();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_EQ(count("Division"), 0);
}

TEST_F(Forms, ClosingWithChangesAsksAndCancelKeepsTheEntries) {
    StandardForm form(ctx(), divisionForm(), Request::Insert, primed("Division"));
    form.show();
    type(form, "DivisionName", "Sea");
    messages_.answer(Answer::Cancel);
    form.reject();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(messages_.shown().back().message.title, "Save Record");
    messages_.answer(Answer::Yes);
    form.reject();  // Yes saves as OK does
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(count("Division"), 1);
    EXPECT_EQ(stored("Sea").text(2), "N") << "an untouched check box stores its unticked value";

    StandardForm warn(ctx(), divisionForm(CloseGuard::WarnLost), Request::Insert, primed("Division"));
    warn.show();
    type(warn, "DivisionName", "Lake");
    messages_.answer(Answer::No);
    warn.reject();
    EXPECT_TRUE(warn.isVisible());
    EXPECT_EQ(messages_.shown().back().message.title, "Changes will be lost!");
}

TEST_F(Forms, DuplicateKeyKeepsTheFormOpenAndWritesNothing) {
    addUser("abc", "pw", "Scorer");
    FileUse use(store(), "Users");
    QWidget* w = createWindow("frmUser", ctx());
    if (!w) {
        ui::registerAllWindows();
        w = createWindow("frmUser", ctx());
    }
    auto* form = qobject_cast<StandardForm*>(w);
    ASSERT_NE(form, nullptr);
    form->show();
    type(*form, "UserId", "abc");
    type(*form, "Name", "Second");
    type(*form, "UserPassword", "pw2");
    auto* level = qobject_cast<QComboBox*>(form->fieldWidget("SecurityLevel"));
    level->setCurrentIndex(level->findData("Member"));
    form->accept();
    EXPECT_TRUE(form->isVisible());
    ASSERT_FALSE(messages_.shown().empty());
    EXPECT_EQ(messages_.shown().back().message.text,
              "Adding this record creates a duplicate entry for the key: byUserId");
    EXPECT_EQ(qobject_cast<QLineEdit*>(form->fieldWidget("Name"))->text(), "Second");
    EXPECT_EQ(count("Users"), 1);
    delete form;
}

TEST_F(Forms, FailedWriteOffersRetryAndCancelKeepsTheEntries) {
    FileUse use(store(), "Division");
    store().database(*Catalog::instance().file("Division"))
        .exec("CREATE TRIGGER refuse BEFORE INSERT ON Division BEGIN SELECT RAISE(FAIL, 'disk trouble'); END");
    StandardForm form(ctx(), divisionForm(), Request::Insert, primed("Division"));
    form.show();
    type(form, "DivisionName", "Sea");
    messages_.answer(Answer::Yes);     // try again: fails again
    messages_.answer(Answer::Cancel);  // back to the form
    form.accept();
    EXPECT_TRUE(form.isVisible());
    auto texts = shownTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(messages_.shown()[1].message.title, "Record Update Error");
    EXPECT_EQ(qobject_cast<QLineEdit*>(form.fieldWidget("DivisionName"))->text(), "Sea");
    messages_.answer(Answer::Cancel);
}

TEST_F(Forms, UnchangedChangeFormWritesNothing) {
    {
        FileUse use(store(), "Division");
        Record r = primed("Division");
        r.setText(1, "Sea");
        ASSERT_TRUE(store().insert(r).isOk());
    }
    Record before = stored("Sea");
    StandardForm form(ctx(), divisionForm(), Request::Change, before);
    form.show();
    EXPECT_FALSE(form.changed()) << "a blank flag shown as an unticked box is no change";
    form.accept();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(stored("Sea").stamp, before.stamp) << "nothing was written";
}

TEST_F(Forms, BrowseDeleteAsksFirstAndNoLeavesTheRecord) {
    addUser("zed", "pw", "Member", "Zed");
    ui::registerAllWindows();
    auto* list = qobject_cast<BrowseList*>(createWindow("brwUsers", ctx()));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->model()->rowCount(), 1);
    messages_.answer(Answer::No);
    list->deleteRecord();
    EXPECT_EQ(messages_.shown().back().message.title, "Confirm Delete");
    EXPECT_EQ(count("Users"), 1);
    messages_.answer(Answer::Yes);
    list->deleteRecord();
    EXPECT_EQ(count("Users"), 0);
    EXPECT_EQ(list->model()->rowCount(), 0);
    delete list;
}

TEST_F(Forms, LongListsLoadLazily) {
    {
        FileUse use(store(), "Trophy");
        ASSERT_TRUE(store().inTransaction(Location::Club, [&]() -> Status {
            Record r = store().newRecord("Trophy");
            for (int i = 0; i < 100000; ++i) {
                r.clear();
                r.setText(1, "Trophy " + std::to_string(i));
                if (Status s = store().insert(r); !s) return s;
            }
            return Status::ok();
        }).isOk());
    }
    BrowseSpec design;
    design.procedure = "brwTestTrophy";
    design.title = "Trophies";
    design.source.file = "Trophy";
    design.source.key = "byTrophyName";
    design.columns = {{"Trophy", "TrophyName", 40}};
    BrowseList list(ctx(), design);
    EXPECT_LE(list.model()->rowCount(), 2 * RecordTableModel::kChunk);
    // The locator loads as far as it needs.
    int row = list.model()->locate("Trophy 9999");
    ASSERT_GE(row, 0);
    EXPECT_EQ(list.model()->data(list.model()->index(row, 0), Qt::DisplayRole).toString(), "Trophy 9999");
}

TEST_F(Forms, DeleteRequestConfirmsAndOffersRetryOnRefusal) {
    addUser("pat", "pw", "Scorer");
    FormSpec design;
    design.procedure = "frmTestLevel";
    design.title = "Level";
    design.file = "AccessLevels";
    design.fields = {{"SecurityLevel", "&Level:"}};
    Record scorer = [&] {
        FileUse use(store(), "AccessLevels");
        Record r = store().newRecord("AccessLevels");
        r.setText(0, "Scorer");
        EXPECT_TRUE(store().fetch(r, "bySecurityLevel").isOk());
        return r;
    }();
    StandardForm form(ctx(), design, Request::Delete, scorer);
    form.show();
    messages_.answer(Answer::No);  // "Confirm Delete": No leaves it
    form.accept();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(count("AccessLevels"), 4);

    messages_.answer(Answer::Yes);     // confirm
    messages_.answer(Answer::Cancel);  // "Record Delete Error": back to the form
    form.accept();
    auto texts = shownTexts();
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[texts.size() - 2],
              "This record is referenced from the file Users. This record cannot be deleted while "
              "these references exist.");
    EXPECT_EQ(messages_.shown().back().message.title, "Record Delete Error");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(count("AccessLevels"), 4);
}
