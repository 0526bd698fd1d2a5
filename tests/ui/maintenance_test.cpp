// The reference lists and the system configuration window.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/data/NamedSettings.h"
#include "core/data/TripRecords.h"
#include "core/session/Startup.h"
#include "tests/ui/UiFixture.h"
#include "ui/maintenance/ReferenceLists.h"
#include "ui/maintenance/SystemConfiguration.h"

using namespace qv;
using namespace qv::data;
using namespace qv::ui;
using qv::testing::UiTest;

class Maintenance : public UiTest {
protected:
    void addSeason(const char* id, const char* current, const char* scoring = "W") {
        FileUse use(store(), "Season");
        Season s;
        s.SeasonId = id;
        s.SeasonDesc = std::string(id) + " season";
        s.CurrentSeasonFlag = current;
        s.ScoringApplies = scoring;
        s.Measurement = "M";
        s.Handicap = "P";
        ASSERT_TRUE(insertRecord(store(), s).isOk());
    }
    Record read(const char* file, const char* key, const char* field, const std::string& value) {
        FileUse use(store(), file);
        Record r = store().newRecord(file);
        r.assign(r.field(field), value);
        EXPECT_TRUE(store().fetch(r, key).isOk()) << file << " " << value;
        return r;
    }
    Record fresh(const char* file) {
        FileUse use(store(), file);
        Record r = store().newRecord(file);
        store().primeForInsert(r);
        return r;
    }
};

TEST_F(Maintenance, OnlyOneSeasonMayBeCurrent) {
    addSeason("2009", "Y");
    addSeason("2010", "Y");
    addSeason("2011", "N");
    StandardForm form(ctx(), maintenance::seasonForm(), Request::Change,
                      read("Season", "bySeasonId", "SeasonId", "2011"));
    form.show();
    qobject_cast<QCheckBox*>(form.fieldWidget("CurrentSeasonFlag"))->click();
    form.accept();
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{maintenance::currentSeasonClash("2009"),
                                                      maintenance::currentSeasonClash("2010")}));
    EXPECT_FALSE(form.okButton()->isEnabled());
    EXPECT_EQ(read("Season", "bySeasonId", "SeasonId", "2011").text(2), "N");
    // Unticking lets the season be stored again.
    qobject_cast<QCheckBox*>(form.fieldWidget("CurrentSeasonFlag"))->click();
    EXPECT_TRUE(form.okButton()->isEnabled());
}

TEST_F(Maintenance, TheCurrentSeasonItselfStaysEditable) {
    addSeason("2010", "Y");
    g_.SecurityLevel = "Scorer";
    StandardForm form(ctx(), maintenance::seasonForm(), Request::Change,
                      read("Season", "bySeasonId", "SeasonId", "2010"));
    form.show();
    qobject_cast<QLineEdit*>(form.fieldWidget("SeasonDesc"))->setText("Twenty ten");
    form.accept();
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(read("Season", "bySeasonId", "SeasonId", "2010").text(1), "Twenty ten");
    EXPECT_TRUE(g_.SeasonsChanged) << "a scorer saving a current season marks the grades for updating";
}

TEST_F(Maintenance, SeasonChoicesFollowTheSettings) {
    editSettings([](System& s) { s.IndividualCatchesApplies = 0; });
    addSeason("2012", "N", "B");
    StandardForm form(ctx(), maintenance::seasonForm(), Request::Change,
                      read("Season", "bySeasonId", "SeasonId", "2012"));
    EXPECT_TRUE(form.option("ScoringApplies", "B")->isChecked()) << "a stored Both still shows";
    EXPECT_FALSE(form.option("ScoringApplies", "B")->isEnabled());
    EXPECT_TRUE(form.option("Measurement", "I")->isHidden());
    EXPECT_EQ(form.option("Measurement", "M")->text(), "cm/kg");
    form.option("ScoringApplies", "L")->click();
    EXPECT_EQ(form.option("Measurement", "M")->text(), "cm");
    EXPECT_EQ(form.option("Measurement", "I")->text(), "in");
    EXPECT_FALSE(form.option("Measurement", "I")->isHidden());

    // A new season has no scoring choice yet and starts metric with percent handicaps.
    StandardForm fresh(ctx(), maintenance::seasonForm(), Request::Insert, this->fresh("Season"));
    EXPECT_EQ(fresh.fieldValue("ScoringApplies"), "");
    EXPECT_EQ(fresh.fieldValue("Measurement"), "M");
    EXPECT_EQ(fresh.fieldValue("Handicap"), "P");
}

TEST_F(Maintenance, SeasonIdIsRangeCheckedOnTyping) {
    StandardForm form(ctx(), maintenance::seasonForm(), Request::Insert, fresh("Season"));
    form.show();
    auto* id = qobject_cast<QLineEdit*>(form.fieldWidget("SeasonId"));
    id->setText("10000");
    id->setModified(true);
    emit id->editingFinished();
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].message.text,
              "The value of Unique ID for the season (user defined) must be in range 0 .. 9999.");
}

TEST_F(Maintenance, SpeciesKeepsAnInactiveDivisionButNewOnesCannotChooseIt) {
    const int32_t active = addDivision("Harbour", "N");
    const int32_t retired = addDivision("Old Lake", "Y");
    {
        FileUse use(store(), "Species");
        Species s;
        s.DivisionId = retired;
        s.SpeciesName = "Roach";
        s.ReportPosition = 1;
        ASSERT_TRUE(insertRecord(store(), s).isOk());
    }
    StandardForm change(ctx(), maintenance::speciesForm(false), Request::Change,
                        read("Species", "bySpeciesName", "SpeciesName", "Roach"));
    auto* divisions = qobject_cast<QComboBox*>(change.fieldWidget("DivisionId"));
    EXPECT_EQ(divisions->currentText(), "Old Lake");
    qobject_cast<QLineEdit*>(change.fieldWidget("SpeciesName"))->setText("Common Roach");
    change.accept();
    Record kept = read("Species", "bySpeciesName", "SpeciesName", "Common Roach");
    EXPECT_EQ(kept.number(kept.field("DivisionId")), retired);

    StandardForm add(ctx(), maintenance::speciesForm(true), Request::Insert, fresh("Species"));
    auto* offered = qobject_cast<QComboBox*>(add.fieldWidget("DivisionId"));
    ASSERT_EQ(offered->count(), 1);
    EXPECT_EQ(offered->itemData(0).toInt(), active);
    EXPECT_FALSE(add.fieldWidget("TeamPoints")->isEnabled()) << "team points are off in the settings";
}

TEST_F(Maintenance, DeletingAUsedDivisionLeavesItsSpeciesAndTrips) {
    const int32_t id = addDivision("Harbour", "N");
    {
        FileUse species(store(), "Species");
        Species s;
        s.DivisionId = id;
        s.SpeciesName = "Snapper";
        ASSERT_TRUE(insertRecord(store(), s).isOk());
        Trips t;
        t.DivisionId = id;
        t.SeasonId = "2010";
        t.SeasonTripNumber = 1;
        ASSERT_TRUE(insertRecord(store(), t).isOk());
    }
    BrowseList list(ctx(), maintenance::divisionList());
    ASSERT_EQ(list.model()->rowCount(), 1);
    messages_.answer(Answer::Yes);
    list.deleteRecord();
    EXPECT_EQ(count("Division"), 0);
    EXPECT_EQ(count("Species"), 1);
    EXPECT_EQ(count("Trips"), 1);
}

TEST_F(Maintenance, HeaderClicksSortByTheColumnsKey) {
    addDivision("beta", "N");
    addDivision("Alpha", "Y");
    BrowseList list(ctx(), maintenance::divisionList());
    EXPECT_EQ(list.model()->data(list.model()->index(0, 0), Qt::DisplayRole).toString(), "Alpha");
    list.model()->sort(1);
    EXPECT_EQ(list.model()->data(list.model()->index(0, 0), Qt::DisplayRole).toString(), "beta");
}

TEST_F(Maintenance, FightFactorSwitchOnlyShowsAndHides) {
    editSettings([](System& s) {
        s.FightFactorScoring = 0;
        s.PerSpeciesCaughtPoints = Decimal::fromUnits(250, 2);
        s.Rounding = 1;
    });
    std::unique_ptr<QWidget> w(maintenance::openSystemConfiguration(ctx(), nullptr));
    auto* form = qobject_cast<StandardForm*>(w.get());
    ASSERT_NE(form, nullptr);
    form->show();
    EXPECT_TRUE(form->fieldWidget("DefaultLineClass")->isHidden());
    auto* fight = qobject_cast<QCheckBox*>(form->fieldWidget("FightFactorScoring"));
    fight->click();
    EXPECT_FALSE(form->fieldWidget("DefaultLineClass")->isHidden());
    EXPECT_FALSE(form->fieldWidget("PerSpeciesCaughtPoints")->isEnabled());
    EXPECT_FALSE(form->fieldWidget("Rounding")->isEnabled());
    EXPECT_EQ(form->fieldValue("PerSpeciesCaughtPoints"), "2.50");
    // A folder that does not exist is accepted here; start-up reports it.
    form->setFieldValue("DataFileLocation", "/no/such/folder/");
    form->accept();
    EXPECT_TRUE(messages_.shown().empty());
    auto s = openStore();
    System stored;
    ASSERT_TRUE(readSystem(*s, stored).isOk());
    EXPECT_EQ(stored.FightFactorScoring, 1);
    EXPECT_EQ(stored.PerSpeciesCaughtPoints, Decimal::fromUnits(250, 2));
    EXPECT_EQ(stored.Rounding, 1);
    EXPECT_EQ(stored.DataFileLocation, "/no/such/folder/");
}

TEST_F(Maintenance, CancelWritesNothing) {
    std::unique_ptr<QWidget> w(maintenance::openSystemConfiguration(ctx(), nullptr));
    auto* form = qobject_cast<StandardForm*>(w.get());
    form->show();
    form->setFieldValue("EmailSmtpServer", "smtp.example.org");
    form->reject();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(messages_.shown().empty());
    auto s = openStore();
    System stored;
    ASSERT_TRUE(readSystem(*s, stored).isOk());
    EXPECT_EQ(stored.EmailSmtpServer, "");
}

TEST_F(Maintenance, TheOrganisationNameIsTheClubsAndPrintsAtOnce) {
    std::unique_ptr<QWidget> w(maintenance::openSystemConfiguration(ctx(), nullptr));
    auto* form = qobject_cast<StandardForm*>(w.get());
    ASSERT_NE(form, nullptr);
    form->show();
    auto* name = form->findChild<QLineEdit*>("OrganisationName");
    ASSERT_NE(name, nullptr);
    name->setText("Estuary Anglers");
    form->accept();  // only the club's name changed: it is still written
    std::string stored;
    ASSERT_TRUE(readOrganisationName(store(), stored).isOk());
    EXPECT_EQ(stored, "Estuary Anglers");
    EXPECT_EQ(g_.OrganisationName.str(), "Estuary Anglers") << "the next report of this run prints it";
    // Every workstation of the club reads the same name at start-up.
    EXPECT_EQ(session::runStartup(folder()).messages.size(), 0u);
    EXPECT_EQ(session::globals().OrganisationName.str(), "Estuary Anglers");
}
