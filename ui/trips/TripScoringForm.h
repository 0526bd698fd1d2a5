#pragma once
// frmTripMembers, "Trip Scoring Details": one angler's result on the trip
// GLO:TripId. The angler is picked from those who may fish it, the catches
// are entered one by one (where the club records them) or the per-species
// summary is typed, and every number comes from the scoring rule book as
// the scorer moves through the form. OK writes the summary rows and the
// trip member in one transaction.

#include <QObject>

#include <memory>
#include <string>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/TripRecords.h"
#include "core/scoring/CatchScoring.h"
#include "ui/framework/StandardForm.h"
#include "ui/trips/TripContext.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;

namespace qv::trips {

class CatchModel;
class CatchView;
class SummaryModel;
class SummaryView;

ui::FormSpec tripScoringForm();

class TripScoring : public QObject {
    Q_OBJECT
public:
    explicit TripScoring(ui::StandardForm& form);
    ~TripScoring() override;

    // The controls, for the keyboard and the tests.
    QRadioButton* memberOption = nullptr;
    QRadioButton* nonMemberOption = nullptr;
    QTableView* memberPicks = nullptr;
    QTableView* nonMemberPicks = nullptr;
    QStandardItemModel* memberRows = nullptr;
    QStandardItemModel* nonMemberRows = nullptr;
    QLabel* anglerName = nullptr;
    QLabel* ladies = nullptr;
    QLabel* veteran = nullptr;
    QLabel* gradeName = nullptr;
    QLabel* catchRecorded = nullptr;
    QTabWidget* tabs = nullptr;
    int summaryTab = 0;
    int catchTab = -1;
    SummaryModel* summary = nullptr;
    SummaryView* summaryView = nullptr;
    CatchModel* catches = nullptr;
    CatchView* catchView = nullptr;
    QPushButton* secondOk = nullptr;
    class WorkingPanel* working = nullptr;
    int workingTab = -1;

    // "Y": rows made from the species list; "N": rows of TripScore records.
    const std::string& summaryState() const { return state_; }
    const std::string& catchComplete() const { return catchComplete_; }

    void pickMember(int row);
    void pickNonMember(int row);
    void chooseMembers(bool members);
    void insertCatch();
    void changeCatch();
    void deleteCatch();
    // The catch check, in order, on the catch last edited.
    void checkCatch();
    void tabChanged();
    void summaryEdited();
    void weightAccepted();
    void penaltyEntered();
    void pressSecondOk();
    // OK's checks before the write.
    bool okChecks();
    // The summary rows and the trip member, in one transaction.
    data::Status write(data::Record& tripMember);

private:
    void buildAnglerArea();
    void buildSummaryTab();
    void buildCatchTab();
    void buildWorkingTab();
    void openMemberWindow();
    void openNonMemberWindow();
    void showWorking();
    void fillMemberPicks();
    void fillNonMemberPicks();
    void showClass(const QString& name, const std::string& ladiesFlag, const std::string& veteranFlag,
                   const QString& grade);
    std::vector<scoring::SummaryRow> speciesRows() const;
    void catchesEdited(bool deleted);
    void showSecondOk(bool on);
    void setCatchComplete(bool complete);
    // The trip member from the form's fields, and back.
    void pull();
    void push();
    void take(const scoring::StepResult& r);
    void failed(const data::Status& s);
    scoring::ScoringContext& rules() const { return **scoring_; }

    ui::StandardForm& form_;
    ui::AppContext& ctx_;
    std::unique_ptr<ScoringScope> scoring_;
    data::TripMember tm_;
    data::Trips trip_;
    std::string letter_;
    bool fightFactor_ = false;
    bool individual_ = false;
    bool editable_ = false;
    bool changing_ = false;  // the change flag was "Y" when the form opened
    std::vector<data::Species> species_;  // the division's active species by report position
    std::string state_;
    bool catchesEdited_ = false;
    bool catchDeleted_ = false;
    std::string catchComplete_ = "Y";
    bool checkShown_ = false;
    int lastCatchRow_ = -1;
};

// The scoring state of a trip scoring form.
TripScoring* tripScoringOf(ui::StandardForm& form);

}  // namespace qv::trips
