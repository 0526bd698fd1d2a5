#pragma once
// The member windows: the member list with its non-member tab, the member
// form with its grade history, the grade history form, the non-member form,
// and the trophies awarded on a trip and for a season.

#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "core/data/ClubRecords.h"
#include "ui/framework/BrowseList.h"
#include "ui/framework/StandardForm.h"

class QComboBox;
class QLabel;
class QTabWidget;
class QTableView;

namespace qv::members {

// What the trip windows tell the member windows, and what they hear back.
struct MemberValues {
    // Set by the trip form's "Add Non-Members": the list opens on the
    // non-members of GLO:TripId.
    bool openedForTrip = false;
    // Set by the trip scoring form's Non-Member button: the list opens on its
    // non-member tab once.
    bool nonMemberRequested = false;
    // Set while the trip scoring form has the member form open on its member.
    bool fromTripMemberForm = false;
    // "Y" while an existing grade history row is being changed.
    std::string gradeHistoryChange;
    // A current grading of GLO:DivisionId was saved during this visit.
    bool currentGradingEntered = false;
    // The non-member added last, for the trip scoring form's pick list.
    int32_t newNonMemberId = 0;
};
// One set for the run, like the global values.
MemberValues& memberValues();

// brwMembers, "Member Details": a Members tab and a Non-Members tab, each a
// standard list.
class MemberList : public QDialog {
    Q_OBJECT
public:
    explicit MemberList(ui::AppContext& ctx, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    ui::BrowseList* members() const { return members_; }
    ui::BrowseList* nonMembers() const { return nonMembers_; }
    void done(int result) override;

protected:
    bool focusNextPrevChild(bool next) override;

private:
    ui::AppContext& ctx_;
    QTabWidget* tabs_ = nullptr;
    ui::BrowseList* members_ = nullptr;
    ui::BrowseList* nonMembers_ = nullptr;
    bool forTrip_ = false;
};

// frmMembers, "Add / Edit Member Details", with the member's grade history.
class MemberForm : public ui::StandardForm {
    Q_OBJECT
public:
    MemberForm(ui::AppContext& ctx, ui::Request request, data::Record member, QWidget* parent = nullptr);

    QTableView* gradeList() const { return grades_; }
    int gradeRows() const;
    void reject() override;

public slots:
    void insertGrade();
    void changeGrade();
    void deleteGrade();

private:
    friend struct MemberRules;
    int32_t memberId() const { return memberId_; }
    void reloadGrades();

    int32_t memberId_ = 0;        // primed for a new member until it is saved
    std::string openedLastName_;  // the last name the form opened with
    std::vector<int32_t> written_;  // grade history rows added during this visit
    ui::RecordTableModel* model_ = nullptr;
    QTableView* grades_ = nullptr;
};

// Opens a form for a request; true when it wrote.
bool openMemberForm(ui::AppContext& ctx, ui::Request request, data::Record member, QWidget* parent);
// frmGradeHistory on a row of the member `gradeHistory.MemberId`.
// `saved` receives the row as written.
bool openGradeHistoryForm(ui::AppContext& ctx, ui::Request request, data::Record gradeHistory, QWidget* parent,
                          data::GradeHistory* saved = nullptr);
// frmNonMembers: a non-member of the trip GLO:TripId.
bool openNonMemberForm(ui::AppContext& ctx, ui::Request request, data::Record nonMember, QWidget* parent);
// frmTrophyHistory: a trophy awarded on the trip of the record's TTY:TripId
// (the caller presets it); `allowNonMembers` is the trip's TRP:AllowNonMembers.
bool openTripTrophyForm(ui::AppContext& ctx, ui::Request request, data::Record tripTrophy,
                        const std::string& allowNonMembers, QWidget* parent);
// The same form, not yet shown, on a new award.
ui::StandardForm* newTripTrophyForm(ui::AppContext& ctx, data::Record tripTrophy, const std::string& allowNonMembers,
                                    QWidget* parent);
// frmSeasonTrophy.
bool openSeasonTrophyForm(ui::AppContext& ctx, ui::Request request, data::Record seasonTrophy, QWidget* parent);

ui::FormSpec gradeHistoryForm(bool newRow);
ui::FormSpec nonMemberForm();
ui::FormSpec seasonTrophyForm();

// brwSeasonTrophy, "Season Trophies & Awards".
class SeasonTrophyList : public ui::BrowseList {
    Q_OBJECT
public:
    explicit SeasonTrophyList(ui::AppContext& ctx, QWidget* parent = nullptr);

    QComboBox* seasonChoice() const { return season_; }
    QComboBox* divisionChoice() const { return division_; }
    QLabel* scorerSeason() const { return scorerSeason_; }

public slots:
    void chooseSeason(int index);
    void chooseDivision(int index);

private:
    void listChosen();
    ui::AppContext& ctx_;
    QComboBox* season_ = nullptr;
    QComboBox* division_ = nullptr;
    QLabel* scorerSeason_ = nullptr;
};

// Names of a file's records by id, read once for a list, and a list column
// that shows the name its record's `field` points at.
using NameTable = std::shared_ptr<const std::map<int64_t, QString>>;
NameTable nameTable(ui::AppContext& ctx, const char* file, const char* key, const char* idField, const char* nameField);
ui::BrowseColumn lookedUp(QString header, NameTable names, const char* field, int widthChars);
// The two rules of the lists to choose from: not marked inactive ("Y"), or
// marked active ("N").
bool notInactive(const data::Record& r);
bool markedActive(const data::Record& r);

// The season ids in id order; the last is the latest.
ui::Choices seasonChoices(ui::AppContext& ctx, bool withBlank);
// The latest season id, blank when there is none.
std::string latestSeason(ui::AppContext& ctx);
bool isScorer(const ui::AppContext& ctx);

void registerMemberWindows();

}  // namespace qv::members
