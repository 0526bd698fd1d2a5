#pragma once
// What the trip windows share beside the global values: the trip's
// allow-non-members value and the change flag, the scoring context, the
// names shown for looked-up records, and the trip summary.

#include <QString>

#include <memory>
#include <string>

#include "core/data/TripRecords.h"
#include "core/scoring/ScoringContext.h"
#include "ui/framework/AppContext.h"

class QGroupBox;
class QWidget;

namespace qv::trips {

struct TripValues {
    // TRP:AllowNonMembers of the trip opened for scoring or for its trophies.
    std::string allowNonMembers;
    // "Y" while an existing trip member is being changed.
    std::string changeFlag;
};
// One set for the run, like the global values.
TripValues& tripValues();

// The run's scoring context, or one of the window's own (with the stored
// settings) where the run has none.
class ScoringScope {
public:
    explicit ScoringScope(ui::AppContext& ctx);
    ScoringScope(const ScoringScope&) = delete;
    ScoringScope& operator=(const ScoringScope&) = delete;
    scoring::ScoringContext& operator*() const { return *ctx_; }
    scoring::ScoringContext* operator->() const { return ctx_; }

private:
    std::unique_ptr<scoring::ScoringContext> own_;
    scoring::ScoringContext* ctx_;
};

// Names of looked-up records; blank when there is none.
QString divisionName(data::Store& store, int32_t divisionId);
QString memberName(data::Store& store, int32_t memberId);
QString nonMemberName(data::Store& store, int32_t nonMemberId);
QString trophyName(data::Store& store, int32_t trophyId);
QString teamName(data::Store& store, int32_t teamId);

// Reads trip `tripId`; false when there is none.
bool readTrip(data::Store& store, int32_t tripId, data::Trips& out);

// Puts a trip in the global values as "Score Trip >>" does: the trip, its
// division and season, the trip summary and the allow-non-members value.
void openTripForScoring(ui::AppContext& ctx, const data::Trips& trip);

// Where no trip was opened for scoring (a window opened on its own), opens
// the latest trip that has trip members (or teams, with `withTeams`).
void ensureTrip(ui::AppContext& ctx, bool withTeams = false);

// Where no season was chosen, the one a scorer works in after logging in:
// the season flagged current, else the latest.
void ensureSeason(ui::AppContext& ctx);

// The "Trip Summary" shown above the trip-member windows, from the globals.
QGroupBox* tripSummary(ui::AppContext& ctx, QWidget* parent);

}  // namespace qv::trips
