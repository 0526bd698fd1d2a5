// The main frame: what each level may use, and the status area.

#include <QAction>

#include "tests/ui/UiFixture.h"
#include "ui/main/HelpWindow.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WindowAccess.h"
#include "ui/main/Windows.h"

#include <QTextBrowser>
#include "core/data/Typed.h"

using namespace qv;
using namespace qv::data;
using qv::testing::UiTest;

class Frame : public UiTest {
protected:
    std::unique_ptr<ui::MainWindow> frameFor(const char* level) {
        g_.SecurityLevel = level;
        g_.UserName = "Pat";
        return std::make_unique<ui::MainWindow>(ctx());
    }
    bool on(ui::MainWindow& w, const char* text) {
        QAction* a = w.action(text);
        if (!a) a = w.toolButton(text);
        EXPECT_NE(a, nullptr) << text;
        return a && a->isEnabled();
    }
};

TEST_F(Frame, MemberKeepsOnlyTheAlwaysEnabledItems) {
    auto w = frameFor("Member");
    EXPECT_FALSE(on(*w, "Members && &Trips"));
    EXPECT_FALSE(on(*w, "&Maintenance"));
    EXPECT_FALSE(on(*w, "&User Details"));
    EXPECT_FALSE(on(*w, "System &Configuration"));
    EXPECT_FALSE(on(*w, "Members"));
    EXPECT_TRUE(on(*w, "&Report Selection"));
    EXPECT_TRUE(on(*w, "&Print Setup ..."));
    EXPECT_TRUE(on(*w, "E&xit"));
    EXPECT_TRUE(on(*w, "Reports"));
    EXPECT_TRUE(on(*w, "Help"));
}

TEST_F(Frame, ScorerAndAdministratorDifferOnlyInUserAccess) {
    auto scorer = frameFor("Scorer");
    EXPECT_TRUE(on(*scorer, "System &Configuration"));
    EXPECT_TRUE(on(*scorer, "&Data Import / Export"));
    EXPECT_TRUE(on(*scorer, "&Change Password"));
    EXPECT_TRUE(on(*scorer, "Trips"));
    EXPECT_FALSE(on(*scorer, "User &Access"));
    auto admin = frameFor("Administrator");
    EXPECT_TRUE(on(*admin, "User &Access"));
    EXPECT_TRUE(on(*admin, "E-mail reports"));
}

TEST_F(Frame, StatusAreaShowsTheLastCurrentSeasonAndTheTransferNote) {
    {
        FileUse use(store(), "Season");
        for (auto [id, desc, flag] : {std::tuple{"2009", "Nine", "Y"}, {"2010", "Ten", "Y"}, {"2011", "Eleven", "N"}}) {
            Season s;
            s.SeasonId = id;
            s.SeasonDesc = desc;
            s.CurrentSeasonFlag = flag;
            ASSERT_TRUE(insertRecord(store(), s).isOk());
        }
    }
    editSettings([](System& s) { s.TransferDetails = "Uploaded 01/12/2026"; });
    auto w = frameFor("Scorer");
    EXPECT_EQ(w->currentSeason(), "Ten");
    EXPECT_EQ(w->transferStatus(), "Uploaded 01/12/2026");
    EXPECT_EQ(w->welcome(), "Pat");
}

TEST_F(Frame, HelpContentsAndTheHelpButtonOpenTheSamePage) {
    auto w = frameFor("Member");
    w->action("&Contents")->trigger();
    w->toolButton("Help")->trigger();
    auto helps = w->findChildren<ui::HelpWindow*>();
    ASSERT_EQ(helps.size(), 2);
    EXPECT_EQ(helps[0]->page(), "division.htm");
    EXPECT_EQ(helps[1]->page(), "division.htm");
    EXPECT_FALSE(helps[0]->browser()->toPlainText().isEmpty()) << "the pages are built into the program";
}

TEST_F(Frame, EveryWindowDeclaresTheLevelItNeeds) {
    // A window missing from the table would need the strictest level by accident.
    ui::registerAllWindows();
    for (const QString& procedure : ui::registeredWindows())
        EXPECT_TRUE(ui::hasWindowAccess(procedure)) << procedure.toStdString();
    using session::Access;
    EXPECT_EQ(ui::windowAccess("brwUsers"), Access::Admins);
    EXPECT_EQ(ui::windowAccess("brwSpecies"), Access::Staff);
    EXPECT_EQ(ui::windowAccess("winLoginAbout"), Access::Open);
    EXPECT_EQ(ui::windowAccess("winNobodyKnows"), Access::Admins);
    // The menu follows the same table.
    auto w = frameFor("Scorer");
    EXPECT_FALSE(on(*w, "User &Access"));
    EXPECT_TRUE(on(*w, "&Change Password"));
}
