// The trip scoring form: who may be picked, the species summary, the catch
// list and its check, the keys of the summary editor, and a save that
// writes all or nothing with the rule book's points.

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "core/scoring/Grades.h"
#include "core/scoring/TripMemberScoring.h"
#include "core/scoring/Winners.h"
#include "tests/ui/KeyboardWalk.h"
#include "tests/ui/trips/TripFixture.h"
#include "ui/trips/CatchModel.h"
#include "ui/trips/SummaryModel.h"
#include "ui/trips/TripScoringForm.h"
#include "ui/trips/WorkingPanel.h"
#include "ui/trips/TripWindows.h"

using namespace qv;
using namespace qv::data;
using namespace qv::ui;
using qv::testing::TripTest;

namespace {

Decimal dec(const char* s) { return *Decimal::parse(s); }

class TripScoringTest : public TripTest {
protected:
    void SetUp() override {
        TripTest::SetUp();
        division_ = addDivision("Harbour");
        const char* names[] = {"Snapper", "Kahawai", "Gurnard", "Tarakihi", "Trevally", "Kingfish"};
        for (int i = 0; i < 6; ++i) addSpecies(names[i], division_, static_cast<int16_t>(6 - i));
        {
            FileUse use(store(), "Species");
            Species old;
            old.SpeciesName = "Retired";
            old.DivisionId = division_;
            old.ReportPosition = 9;
            old.InactiveFlag = "Y";
            ASSERT_TRUE(insertRecord(store(), old).isOk());
            // Fight factors 1.00 .. 6.00 by species id.
            sd([&](Species& s) { s.FightFactor = Decimal(s.SpeciesId); });
        }
        gradeA_ = addGrade("A", 1);
        settings([](System& s) {
            s.FightFactorScoring = 1;
            s.IndividualCatchesApplies = 0;
            s.DefaultLineClass = dec("10.00");
            s.ParticipationPoints = dec("5.00");
            s.HandicapInitial = dec("5.00");
            s.HandicapFollowOn = dec("2.00");
        });
    }
    template <typename F>
    void sd(F edit) {
        std::vector<Species> all;
        std::unique_ptr<Cursor> c;
        ASSERT_TRUE(store().walk("Species", "bySpeciesId", {}, false, c).isOk());
        Record r = store().newRecord("Species");
        while (c->next(r)) {
            Species s;
            s.fromRecord(r);
            all.push_back(s);
        }
        for (Species& s : all) {
            edit(s);
            ASSERT_TRUE(updateRecord(store(), s).isOk());
        }
    }
    // A club in season `season` with one trip, Ann already on it, and Bob.
    void club(const char* letter = "W") {
        addSeason("2025", "Y", letter);
        trip_ = addTrip(division_, "2025", 1);
        ann_ = addMember("Ann", "Able");
        bob_ = addMember("Bob", "Baker");
        for (int32_t m : {ann_, bob_}) grade(m, gradeA_, division_, "2020");
        addTripMember(trip_, ann_, "10.00");
        trips::openTripForScoring(ctx(), read<Trips>(trip_, "byTripId"));
    }
    // A scorer with the member grades of the current season, as after a login.
    void scorerWithGrades() {
        beScorer();
        ASSERT_TRUE(scoring::BuildMemberGradeCache(*scoring_).isOk());
    }
    std::unique_ptr<StandardForm> newAngler() {
        Record r = fresh("TripMember");
        r.setNumber(r.field("TripId"), g_.TripId);
        auto form = std::make_unique<StandardForm>(ctx(), trips::tripScoringForm(), Request::Insert, r);
        qv::testing::showActive(form.get());
        return form;
    }
    static trips::TripScoring& state(StandardForm& form) { return *trips::tripScoringOf(form); }
    static QStringList picks(QStandardItemModel* m) {
        QStringList out;
        for (int i = 0; i < m->rowCount(); ++i) out << m->item(i, 0)->text();
        return out;
    }
    static void pick(trips::TripScoring& s, const QString& name) {
        for (int i = 0; i < s.memberRows->rowCount(); ++i)
            if (s.memberRows->item(i, 0)->text() == name) s.memberPicks->setCurrentIndex(s.memberRows->index(i, 0));
    }
    static void setSummary(trips::TripScoring& s, int row, int column, const QString& value) {
        ASSERT_TRUE(s.summary->setData(s.summary->index(row, column), value, Qt::EditRole));
    }
    static void typeField(StandardForm& form, const char* field, const QString& text) {
        auto* e = qobject_cast<QLineEdit*>(form.fieldWidget(field));
        e->setText(text);
        e->setModified(true);
        emit e->editingFinished();
    }
    // A catch typed into the catch list: a new row, then its cells.
    static void addCatch(trips::TripScoring& s, const QString& species, const QString& weight, const QString& length) {
        s.insertCatch();
        const int row = s.catches->rowCount() - 1;
        qv::testing::press(Qt::Key_Escape);  // leaves the new row's editor
        auto set = [&](int col, const QString& v) { s.catches->setData(s.catches->index(row, col), v, Qt::EditRole); };
        set(trips::CatchModel::SpeciesName, species);
        set(trips::CatchModel::Weight, weight);
        set(trips::CatchModel::Length, length);
        set(trips::CatchModel::Catch, "Caught");
        set(trips::CatchModel::Fly, "Non-Fly");
        s.checkCatch();
    }
    int scoresOf(int32_t tripMemberId) {
        FileUse use(store(), "TripScore");
        int n = 0;
        std::unique_ptr<Cursor> c;
        store().walk("TripScore", "", {}, false, c);
        Record r = store().newRecord("TripScore");
        while (c->next(r)) n += r.number(r.field("TripMemberId")) == tripMemberId;
        return n;
    }
    TripMember stored(int32_t memberId) {
        FileUse use(store(), "TripMember");
        Record r = store().newRecord("TripMember");
        r.setNumber(r.field("MemberId"), memberId);
        r.setNumber(r.field("TripId"), g_.TripId);
        EXPECT_TRUE(store().fetch(r, "byMemberIdbyTripId").isOk());
        TripMember tm;
        tm.fromRecord(r);
        return tm;
    }

    int32_t division_ = 0, gradeA_ = 0, trip_ = 0, ann_ = 0, bob_ = 0;
};

}  // namespace

TEST_F(TripScoringTest, OffersOnlyActiveGradedMembersNotYetOnTheTrip) {
    club();
    addMember("Cal", "Nograde");
    const int32_t dan = addMember("Dan", "Gone", "Y");
    grade(dan, gradeA_, division_, "2020");
    scorerWithGrades();
    auto form = newAngler();
    EXPECT_EQ(picks(state(*form).memberRows), QStringList{"Bob Baker"});
    EXPECT_FALSE(state(*form).nonMemberOption->isVisibleTo(form.get())) << "the trip allows no non-members";
    EXPECT_FALSE(form->okButton()->isEnabled()) << "nobody picked yet";

    // Another level grades the members from their history: the same offer.
    g_.SecurityLevel = "Administrator";
    auto other = newAngler();
    EXPECT_EQ(picks(state(*other).memberRows), QStringList{"Bob Baker"});
}

TEST_F(TripScoringTest, ANewAnglerStoresOneSummaryRowPerActiveSpecies) {
    club();
    scorerWithGrades();
    auto form = newAngler();
    trips::TripScoring& s = state(*form);
    EXPECT_EQ(s.summaryState(), "Y");
    ASSERT_EQ(s.summary->rowCount(), 6);
    EXPECT_EQ(s.summary->rows()[0].speciesName, "Kingfish") << "report-position order";
    EXPECT_EQ(s.summary->rows()[0].lineClass, dec("10.00")) << "the default line class";
    pick(s, "Bob Baker");
    EXPECT_EQ(s.gradeName->text(), "A");
    EXPECT_TRUE(form->okButton()->isEnabled());
    setSummary(s, 0, trips::SummaryModel::Fish, "2");
    setSummary(s, 0, trips::SummaryModel::Weight, "2.5");
    EXPECT_EQ(form->fieldValue("TotalNumberFish"), "2");
    // Kingfish is species 6 (factor 6.00): 2.5 × 6 × 100 ÷ 10 + 5 participation.
    EXPECT_EQ(form->fieldValue("TotalTripPoints"), "155.00");
    form->accept();
    ASSERT_FALSE(form->isVisible()) << ::testing::PrintToString(shownTexts());
    const TripMember tm = stored(bob_);
    EXPECT_EQ(scoresOf(tm.TripMemberId), 6) << "rows with no fish are stored too";
    EXPECT_EQ(tm.TotalTripPoints, dec("155.00"));
    EXPECT_EQ(tm.TotalWeightFish, dec("2.50"));
}

TEST_F(TripScoringTest, ALengthSeasonTotalsAndStoresTheLengths) {
    club("L");
    scorerWithGrades();
    auto form = newAngler();
    trips::TripScoring& s = state(*form);
    EXPECT_EQ(form->label("TotalWeightFish")->text(), "Total Length Of Fish:");
    EXPECT_TRUE(s.summaryView->isColumnHidden(trips::SummaryModel::Weight));
    EXPECT_TRUE(s.summaryView->isColumnHidden(trips::SummaryModel::Heaviest3));
    EXPECT_FALSE(s.summaryView->isColumnHidden(trips::SummaryModel::Length));
    pick(s, "Bob Baker");
    setSummary(s, 1, trips::SummaryModel::Fish, "1");
    setSummary(s, 1, trips::SummaryModel::Length, "45");
    setSummary(s, 2, trips::SummaryModel::Fish, "1");
    setSummary(s, 2, trips::SummaryModel::Length, "30.5");
    form->accept();
    ASSERT_FALSE(form->isVisible()) << ::testing::PrintToString(shownTexts());
    EXPECT_EQ(stored(bob_).TotalWeightFish, dec("75.50")) << "the total length";
    EXPECT_EQ(stored(bob_).TotalNumberFish, 2);
}

TEST_F(TripScoringTest, AFailedWriteStoresNeitherRowsNorAnglerAndKeepsTheEntries) {
    club();
    scorerWithGrades();
    auto form = newAngler();
    trips::TripScoring& s = state(*form);
    pick(s, "Bob Baker");
    setSummary(s, 0, trips::SummaryModel::Fish, "3");
    // Another station enters Bob on the trip meanwhile.
    const int32_t other = addTripMember(trip_, bob_, "1.00");
    const int before = count("TripScore");
    form->accept();
    ASSERT_FALSE(messages_.shown().empty());
    EXPECT_EQ(messages_.shown().back().message.title, "Duplicate Key Error");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(count("TripScore"), before) << "the summary rows went with the refused angler";
    EXPECT_EQ(count("TripMember"), 2);
    EXPECT_EQ(stored(bob_).TripMemberId, other);
    EXPECT_EQ(form->fieldValue("MemberId"), QString::number(bob_));
    EXPECT_EQ(s.summary->rows()[0].count, 3);
}

TEST_F(TripScoringTest, DeletingTheOnlyCatchThenChangingTabLeavesRowsOfZero) {
    settings([](System& s) { s.IndividualCatchesApplies = 1; });
    club();
    scorerWithGrades();
    auto form = newAngler();
    trips::TripScoring& s = state(*form);
    ASSERT_GE(s.catchTab, 0);
    pick(s, "Bob Baker");
    s.tabs->setCurrentIndex(s.catchTab);
    addCatch(s, "Snapper", "1.5", "0");
    EXPECT_TRUE(s.secondOk->isVisible());
    EXPECT_FALSE(form->okButton()->isVisible());
    messages_.answer(Answer::Yes);  // "Confirm Delete"
    s.catchView->setCurrentIndex(s.catches->index(0, 0));
    s.deleteCatch();
    EXPECT_EQ(s.catches->rowCount(), 0);
    EXPECT_TRUE(s.tabs->isTabEnabled(s.summaryTab));
    s.tabs->setCurrentIndex(s.summaryTab);
    ASSERT_EQ(s.summary->rowCount(), 6);
    for (const auto& row : s.summary->rows()) {
        EXPECT_EQ(row.count, 0) << row.speciesName;
        EXPECT_TRUE(row.weight.isZero()) << row.speciesName;
    }
    EXPECT_EQ(form->fieldValue("TotalNumberFish"), "0");
    EXPECT_EQ(form->fieldValue("TotalTripPoints"), "5.00") << "participation points alone";
    EXPECT_TRUE(form->okButton()->isVisible());
    EXPECT_EQ(s.catchRecorded->text(), "Yes");
}

TEST_F(TripScoringTest, AnIncompleteCatchHoldsTheFormUntilItIsComplete) {
    settings([](System& s) { s.IndividualCatchesApplies = 1; });
    club();
    scorerWithGrades();
    auto form = newAngler();
    trips::TripScoring& s = state(*form);
    pick(s, "Bob Baker");
    s.tabs->setCurrentIndex(s.catchTab);
    s.insertCatch();
    s.catches->setData(s.catches->index(0, trips::CatchModel::SpeciesName), "Snapper", Qt::EditRole);
    qv::testing::press(Qt::Key_Escape);  // editing ends: the catch is checked
    ASSERT_FALSE(messages_.shown().empty());
    EXPECT_EQ(shownTexts().back(), "You have not entered a catch record completely.");
    EXPECT_EQ(s.catchComplete(), "N");
    EXPECT_FALSE(s.tabs->isTabEnabled(s.summaryTab));
    EXPECT_FALSE(form->closeButton()->isEnabled());
    // The catch check has just spoken: the second OK adds nothing of its own.
    const size_t shown = messages_.shown().size();
    s.secondOk->click();
    EXPECT_EQ(messages_.shown().size(), shown);
    s.secondOk->click();
    EXPECT_EQ(shownTexts().back(), "Please complete the catch record completely.");

    for (auto [col, v] : {std::pair{trips::CatchModel::Weight, "1.2"}, std::pair{trips::CatchModel::Catch, "Release"},
                          std::pair{trips::CatchModel::Fly, "Fly"}})
        s.catches->setData(s.catches->index(0, col), v, Qt::EditRole);
    s.checkCatch();
    EXPECT_EQ(s.catchComplete(), "Y");
    EXPECT_TRUE(form->closeButton()->isEnabled());
    s.secondOk->click();
    EXPECT_EQ(shownTexts().back(), "Please click on the Summary Tab to update summary details before saving.");
    EXPECT_EQ(count("TripMember"), 1) << "the second OK saves nothing";

    // Cancelling a new angler takes its catches with it.
    messages_.answer(Answer::No);  // "Save Record"
    form->reject();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(count("TripCatch"), 0);
}

TEST_F(TripScoringTest, AnAnglerTypedThroughTheFormScoresAsTheRuleBookDoes) {
    settings([](System& s) { s.IndividualCatchesApplies = 1; });
    club();
    // Bob beat Ann in grade A on the first trip: a handicap on the next.
    addTripMember(trip_, bob_, "80.00");
    scorerWithGrades();
    const int32_t third = addTrip(division_, "2025", 2);
    trips::openTripForScoring(ctx(), read<Trips>(third, "byTripId"));
    ASSERT_TRUE(scoring::BuildPriorTripWinners(*scoring_, third, division_, "2025").status.isOk());

    auto form = newAngler();
    trips::TripScoring& s = state(*form);
    pick(s, "Bob Baker");
    s.tabs->setCurrentIndex(s.catchTab);
    addCatch(s, "Snapper", "2.5", "40");
    addCatch(s, "Kingfish", "1.25", "0");
    addCatch(s, "Snapper", "0.75", "0");
    s.tabs->setCurrentIndex(s.summaryTab);
    typeField(*form, "Penalty", "2");
    // The working beside the numbers follows the entries: each catch, the
    // earlier win behind the handicap, and the trip points the form shows.
    const QString working = s.working->toPlainText();
    EXPECT_TRUE(working.contains("Catch 3: Snapper")) << working.toStdString();
    EXPECT_TRUE(working.contains("Trip " + QString::number(trip_))) << "the earlier win";
    EXPECT_TRUE(working.contains(form->fieldValue("TotalTripPoints").trimmed()));
    EXPECT_FALSE(working.contains("holds")) << "what the form shows is what the rules give";
    form->accept();
    ASSERT_FALSE(form->isVisible()) << ::testing::PrintToString(shownTexts());

    const TripMember typed = stored(bob_);
    EXPECT_EQ(typed.Handicap, 5) << "one earlier win";
    EXPECT_EQ(typed.TotalNumberFish, 3);
    scoring::TripMemberScore core;
    ASSERT_TRUE(scoring::ScoreTripMember(*scoring_, typed.TripMemberId, &core).isOk());
    const TripMember again = stored(bob_);
    EXPECT_EQ(typed.TotalTripPoints, again.TotalTripPoints);
    EXPECT_EQ(typed.ProgressPoints, again.ProgressPoints);
    EXPECT_EQ(typed.Handicap, again.Handicap);
    EXPECT_EQ(typed.TotalWeightFish, again.TotalWeightFish);
    EXPECT_EQ(scoresOf(typed.TripMemberId), 6);
}

TEST_F(TripScoringTest, TheSummaryEditorMovesByTheListsKeys) {
    club("B");  // weight, length and line class shown; "Heaviest 3" hidden
    g_.SecurityLevel = "Administrator";
    settings([](System& s) { s.FightFactorScoring = 0; });
    auto form = newAngler();
    trips::TripScoring& s = state(*form);
    trips::SummaryView* view = s.summaryView;
    view->setFocus();
    view->setCurrentIndex(s.summary->index(0, 0));
    auto at = [&] { return std::pair{view->currentIndex().row(), view->currentIndex().column()}; };
    auto key = [&](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        qv::testing::press(k, m);
        QApplication::processEvents();
    };
    using P = std::pair<int, int>;
    key(Qt::Key_Return);
    EXPECT_EQ(at(), (P{0, trips::SummaryModel::Fish})) << "Enter edits the first editable column";
    QApplication::focusWidget()->setProperty("text", "4");
    key(Qt::Key_Tab);
    EXPECT_EQ(s.summary->rows()[0].count, 4) << "moving on accepts the value";
    EXPECT_EQ(at(), (P{0, trips::SummaryModel::Weight}));
    key(Qt::Key_Right);
    EXPECT_EQ(at(), (P{0, trips::SummaryModel::Length}));
    key(Qt::Key_Tab);
    EXPECT_EQ(at(), (P{1, trips::SummaryModel::Fish})) << "past the last shown column to the next row";
    key(Qt::Key_Left);
    EXPECT_EQ(at(), (P{1, trips::SummaryModel::Fish})) << "nothing editable before the count";
    EXPECT_EQ(QApplication::focusWidget()->parentWidget(), view->viewport()) << "still editing";
    key(Qt::Key_Down);
    EXPECT_EQ(at(), (P{2, trips::SummaryModel::Fish}));
    key(Qt::Key_Up);
    EXPECT_EQ(at(), (P{1, trips::SummaryModel::Fish}));
    key(Qt::Key_Return);
    EXPECT_EQ(at(), (P{2, trips::SummaryModel::Fish})) << "Enter moves down a row";
    key(Qt::Key_Escape);
    EXPECT_NE(QApplication::focusWidget()->parentWidget(), view->viewport()) << "Esc ends editing";
    view->setCurrentIndex(s.summary->index(5, 0));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), view) << "Enter on the last row ends editing";
    key(Qt::Key_Delete);
    EXPECT_EQ(s.summary->rowCount(), 5);
}

TEST_F(TripScoringTest, ChangingAnAnglerWarnsAndCancelClearsTheFlag) {
    club();
    scorerWithGrades();
    const TripMember ann = stored(ann_);
    trips::tripValues().changeFlag = "Y";
    {
        StandardForm form(ctx(), trips::tripScoringForm(), Request::Change,
                          record("TripMember", ann.TripMemberId, "byTripMemberId"));
        trips::TripScoring& s = state(form);
        EXPECT_EQ(s.summaryState(), "N");
        EXPECT_FALSE(s.memberPicks->isVisibleTo(&form));
        EXPECT_EQ(s.anglerName->text(), "Ann Able");
        typeField(form, "Penalty", "1");
        EXPECT_EQ(form.fieldValue("ProgressPoints"), "0.00") << "no progress worked out while changing";
        form.accept();
        EXPECT_EQ(shownTexts().back(), "Please be aware that changing any details will affect the score.");
        EXPECT_EQ(stored(ann_).Penalty, 1);
    }
    EXPECT_EQ(trips::tripValues().changeFlag, "");
    trips::tripValues().changeFlag = "Y";
    StandardForm again(ctx(), trips::tripScoringForm(), Request::Change,
                       record("TripMember", ann.TripMemberId, "byTripMemberId"));
    again.reject();
    EXPECT_EQ(trips::tripValues().changeFlag, "");
}

TEST_F(TripScoringTest, ATripOpenToVisitorsOffersItsGradedNonMembers) {
    addSeason("2025", "Y");
    trip_ = addTrip(division_, "2025", 1, "Y");
    auto visitor = [&](const char* first, int32_t gradeId) {
        FileUse use(store(), "NonMembers");
        NonMembers n;
        n.TripId = trip_;
        n.FirstName = first;
        n.LastName = "Visitor";
        n.FullName = std::string("Visitor, ") + first;
        n.LadiesFlag = "Y";
        n.VeteranFlag = "N";
        n.GradeId = gradeId;
        EXPECT_TRUE(insertRecord(store(), n).isOk());
        return n.NonMemberId;
    };
    const int32_t vera = visitor("Vera", gradeA_);
    visitor("Nell", 99);  // no such grade
    trips::openTripForScoring(ctx(), read<Trips>(trip_, "byTripId"));
    scorerWithGrades();
    auto form = newAngler();
    trips::TripScoring& s = state(*form);
    ASSERT_TRUE(s.nonMemberOption->isVisibleTo(form.get()));
    s.nonMemberOption->click();
    EXPECT_TRUE(s.nonMemberPicks->isVisibleTo(form.get()));
    EXPECT_FALSE(s.memberPicks->isVisibleTo(form.get()));
    ASSERT_EQ(picks(s.nonMemberRows), QStringList{"Vera Visitor"});
    s.nonMemberPicks->setCurrentIndex(s.nonMemberRows->index(0, 0));
    EXPECT_EQ(s.ladies->text(), "Y");
    EXPECT_EQ(s.gradeName->text(), "A");
    form->accept();
    ASSERT_FALSE(form->isVisible()) << ::testing::PrintToString(shownTexts());
    FileUse use(store(), "TripMember");
    Record r = store().newRecord("TripMember");
    r.setNumber(r.field("NonMemberId"), vera);
    r.setNumber(r.field("TripId"), trip_);
    ASSERT_TRUE(store().fetch(r, "byNonMemberIdbyTripId").isOk());
    EXPECT_EQ(r.number(r.field("MemberId")), 0);
}
