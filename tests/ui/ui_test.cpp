// The message layer, window placement and the login window.

#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include "core/session/Login.h"
#include "tests/ui/UiFixture.h"
#include "ui/framework/WindowPlacement.h"
#include "ui/main/LoginWindow.h"

using namespace qv;
using qv::testing::UiTest;

TEST(Messages, PlaceholdersAreFilledEverywhereInOrder) {
    MessageContext ctx;
    ctx.file = "Members";
    ctx.errorText = "disk full (13)";
    EXPECT_EQ(fillPlaceholders("%File and %File; %FileError", ctx), "Members and Members; disk full (13)");
    Message m = standardMessage(26, ctx);
    EXPECT_EQ(m.text, "File Members could not be opened.  Error: disk full (13).");
    EXPECT_EQ(m.level, MessageLevel::Fatal);
    EXPECT_EQ(standardMessage(11, {}).text, "Are you sure you want to delete the highlighted record?");
    EXPECT_EQ(displayText("a|b"), "a\nb");
}

TEST(Messages, QuestionsReturnTheStandardLevelsAndFatalEndsTheProgram) {
    ui::ScriptedMessages answers;
    ui::MessageBackendScope scope(&answers);
    answers.answer(ui::Answer::Yes);
    answers.answer(ui::Answer::No);
    EXPECT_EQ(ui::raiseMessage(nullptr, 11), 0);
    EXPECT_EQ(ui::raiseMessage(nullptr, 11), 4);
    EXPECT_EQ(ui::raiseMessage(nullptr, 25), 5);

    bool ended = false;
    ui::setFatalHandler([&] { ended = true; });
    MessageContext ctx;
    ctx.file = "Trips";
    ctx.errorText = "gone (2)";
    ui::raiseMessage(nullptr, 26, ctx);
    EXPECT_TRUE(ended);
    EXPECT_EQ(answers.shown().back().message.text,
              "File Trips could not be opened.  Error: gone (2).  Press OK to end this application");
}

TEST_F(UiTest, WindowPlacementIsKeptPerProcedure) {
    QWidget w;
    w.setGeometry(40, 50, 320, 240);
    ui::savePlacement(&w, "brwUsers", ctx().iniPath());
    QSettings ini(ctx().iniPath(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("brwUsers/Width").toInt(), 320);
    EXPECT_EQ(ini.value("brwUsers/Maximize").toString(), "No");

    QWidget other;
    other.setGeometry(0, 0, 100, 100);
    ui::restorePlacement(&other, "brwUsers", ctx().iniPath());
    EXPECT_EQ(other.geometry().size(), QSize(320, 240));
    QWidget untouched;
    untouched.setGeometry(0, 0, 111, 99);
    ui::restorePlacement(&untouched, "frmUser", ctx().iniPath());
    EXPECT_EQ(untouched.geometry().size(), QSize(111, 99)) << "absent keys leave the designed size";
}

TEST_F(UiTest, LoginWindowFillsTheGlobalsAndTurnsIntoTheAboutBox) {
    addUser("sam", "fish", "Scorer", "Sam Scorer");
    ui::LoginWindow login(g_, "1.0", ctx().iniPath());
    login.userIdEntry()->setText("sam");
    login.passwordEntry()->setText("fish");
    login.accept();
    EXPECT_TRUE(g_.LoggedIn);
    EXPECT_TRUE(session::checkLogin(store(), g_).accepted);
    EXPECT_EQ(g_.UserName.str(), "Sam Scorer");

    ui::LoginWindow about(g_, "1.0", ctx().iniPath());
    EXPECT_TRUE(about.aboutMode());
    EXPECT_TRUE(about.okButton()->isHidden());

    session::Globals fresh;
    ui::LoginWindow again(fresh, "1.0", ctx().iniPath());
    again.userIdEntry()->setText("sam");
    again.passwordEntry()->setText("wrong");
    again.accept();
    EXPECT_EQ(session::checkLogin(store(), fresh).refusal->text, "Password incorrect. Access denied.");
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
