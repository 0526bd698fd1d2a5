// A browse list from the keyboard: Tab between the locator, the list and
// the buttons; the arrows and Home/End in the list; Enter chooses.

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "tests/ui/KeyboardWalk.h"
#include "tests/ui/UiFixture.h"
#include "ui/framework/BrowseList.h"
#include "ui/maintenance/ReferenceLists.h"

using namespace qv;
using namespace qv::data;
using namespace qv::ui;
using qv::testing::press;
using qv::testing::showActive;
using qv::testing::tabChain;
using qv::testing::UiTest;

namespace {

class BrowseKeyboard : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        for (const char* name : {"Alpha", "Bravo", "Charlie", "Delta"}) addDivision(name);
    }
    // The division list, recording the records its default action chose.
    BrowseSpec recordingList() {
        BrowseSpec design = maintenance::divisionList();
        design.openForm = [this](AppContext&, Request r, Record rec, QWidget*) {
            chosen.push_back(QString::fromStdString(rec.text(rec.field("DivisionName"))));
            requests.push_back(r);
            return false;
        };
        return design;
    }
    static QString highlighted(BrowseList& list) {
        const Record* r = list.selected();
        return r ? QString::fromStdString(r->text(r->field("DivisionName"))) : QString();
    }
    std::vector<QString> chosen;
    std::vector<Request> requests;
};

QWidget* closeButton(BrowseList& list) {
    for (auto* b : list.findChildren<QPushButton*>())
        if (b->text() == "C&lose") return b;
    return nullptr;
}

}  // namespace

TEST_F(BrowseKeyboard, TabAndShiftTabReachTheLocatorAndEveryButton) {
    BrowseList list(ctx(), maintenance::divisionList());
    showActive(&list);
    ASSERT_EQ(QApplication::focusWidget(), list.view()) << "the list opens with the focus on the records";
    auto* locator = list.findChild<QLineEdit*>("locator");
    const std::vector<QWidget*> forward = {list.view(), list.insertButton(), list.changeButton(),
                                           list.deleteButton(), closeButton(list), locator};
    EXPECT_EQ(tabChain(&list), forward);
    const std::vector<QWidget*> backward = {list.view(), locator, closeButton(list), list.deleteButton(),
                                            list.changeButton(), list.insertButton()};
    EXPECT_EQ(tabChain(&list, false), backward);
}

TEST_F(BrowseKeyboard, ArrowsPagesHomeAndEndMoveWithinTheList) {
    BrowseList list(ctx(), maintenance::divisionList());
    showActive(&list);
    EXPECT_EQ(highlighted(list), "Alpha");
    press(Qt::Key_Down);
    EXPECT_EQ(highlighted(list), "Bravo");
    press(Qt::Key_End);
    EXPECT_EQ(highlighted(list), "Delta");
    press(Qt::Key_Up);
    EXPECT_EQ(highlighted(list), "Charlie");
    press(Qt::Key_Home);
    EXPECT_EQ(highlighted(list), "Alpha") << "Home goes to the first record, not the row's first column";
    press(Qt::Key_PageDown);
    EXPECT_EQ(highlighted(list), "Delta");
    press(Qt::Key_PageUp);
    EXPECT_EQ(highlighted(list), "Alpha");
    EXPECT_EQ(QApplication::focusWidget(), list.view());
}

TEST_F(BrowseKeyboard, EnterAndTheKeypadsEnterChooseTheHighlightedRecord) {
    BrowseList list(ctx(), recordingList());
    showActive(&list);
    press(Qt::Key_Down);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_EQ(chosen, (std::vector<QString>{"Bravo", "Charlie"}));
    EXPECT_EQ(requests, (std::vector<Request>{Request::Change, Request::Change}));

    // From the locator too: type the start of a name, then Enter.
    list.findChild<QLineEdit*>("locator")->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), "del");
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(chosen.back(), "Delta");

    // A button with the focus does its own work.
    closeButton(list)->setFocus();
    press(Qt::Key_Return);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(chosen.size(), 3u);
}

TEST_F(BrowseKeyboard, AListThatCannotChangeViewsOnEnter) {
    BrowseSpec design = recordingList();
    design.canChange = false;
    BrowseList list(ctx(), design);
    showActive(&list);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(requests, std::vector<Request>{Request::View});
}

TEST_F(BrowseKeyboard, TypingInTheListGoesToTheLocator) {
    BrowseList list(ctx(), maintenance::divisionList());
    showActive(&list);
    QTest::keyClicks(list.view(), "ch");
    auto* locator = list.findChild<QLineEdit*>("locator");
    EXPECT_EQ(QApplication::focusWidget(), locator);
    EXPECT_EQ(locator->text(), "ch");
    EXPECT_EQ(highlighted(list), "Charlie");
}

TEST_F(BrowseKeyboard, DeleteInTheLocatorDeletesALetterNotARecord) {
    BrowseList list(ctx(), maintenance::divisionList());
    showActive(&list);
    auto* locator = list.findChild<QLineEdit*>("locator");
    locator->setFocus();
    QTest::keyClicks(locator, "br");
    press(Qt::Key_Home);
    press(Qt::Key_Delete);
    EXPECT_EQ(locator->text(), "r");
    EXPECT_TRUE(messages_.shown().empty()) << "no \"Confirm Delete\"";
    EXPECT_EQ(count("Division"), 4);
}
