#pragma once
// The trip windows: the trip list with its season and division choice, the
// trip form, the list of a trip's anglers, and the teams of a trip.

#include <QString>

#include <functional>
#include <string>

#include "ui/framework/BrowseList.h"
#include "ui/framework/StandardForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace qv::trips {

// brwTrips: the trips of the chosen season and division.
class TripList : public ui::BrowseList {
    Q_OBJECT
public:
    explicit TripList(ui::AppContext& ctx, QWidget* parent = nullptr);

    QComboBox* seasonChoice() const { return season_; }
    QComboBox* divisionChoice() const { return division_; }
    QLabel* scorerSeason() const { return scorerSeason_; }
    QGroupBox* warning() const { return warning_; }
    QPushButton* scoreButton() const { return score_; }
    QPushButton* recalculateButton() const { return recalc_; }
    // The season a "Scorer" works in (blank for other users).
    const std::string& scorerSeasonId() const { return scorerSeasonId_; }

    // Opens the trip's anglers after "Score Trip >>"; tests replace it.
    std::function<void(ui::AppContext&, QWidget* parent)> openTripMembers;

    void done(int result) override;

public slots:
    void chooseSeason(int index);
    void chooseDivision(int index);
    void scoreTrip();
    void recalculate();

private:
    // The season the list works in: the scorer's, else the chosen one.
    std::string workingSeason() const;
    // Lists the trips of GLO:SeasonId and GLO:DivisionId.
    void listChosen();

    ui::AppContext& ctx_;
    QComboBox* season_ = nullptr;
    QComboBox* division_ = nullptr;
    QLabel* scorerSeason_ = nullptr;
    QGroupBox* warning_ = nullptr;
    QPushButton* score_ = nullptr;
    QPushButton* recalc_ = nullptr;
    std::string seasonId_;        // LOC:SeasonId
    int32_t divisionId_ = 0;      // LOC:DivisionId
    std::string scorerSeasonId_;  // LOC:ScorerSeasonId
};

// The list's source for a season (blank: any) and division (0: any).
ui::ListSource tripSource(const std::string& seasonId, int32_t divisionId);

// frmTrips, "Add / Edit Trip Details".
ui::FormSpec tripForm();
// Whether the trip's number is free in its division and season; a clash is
// shown with the duplicate-key message and the focus goes to the number.
bool tripNumberFree(ui::StandardForm& form);

// brwTripMembers, "Trip Scores", on the trip GLO:TripId.
ui::BrowseList* tripMemberList(ui::AppContext& ctx, QWidget* parent);
// Opens frmTripMembers, the trip scoring form, for a request on a trip
// member of GLO:TripId; true when it wrote.
bool openTripScoringForm(ui::AppContext& ctx, ui::Request request, data::Record tripMember, QWidget* parent);

// brwTeams and fmTeams, the teams of the trip GLO:TripId.
ui::BrowseSpec teamList(const ui::AppContext& ctx);
ui::FormSpec teamForm();

void registerTripWindows();

}  // namespace qv::trips
