#pragma once
// Grade winners: of the earlier trips of the season (for the handicap step)
// and of one trip (for the reports); and the handicap and progress points of
// the trip member being scored.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/TripRecords.h"
#include "core/messages/Status.h"
#include "core/scoring/Grades.h"
#include "core/scoring/ScoringContext.h"

namespace qv::scoring {

// Which trip a trip member is scored on.
struct TripRef {
    int32_t tripId = 0;
    int32_t divisionId = 0;
    std::string seasonId;
};

// Fills ctx.priorTripWinners with the top scorers (and all tied with them) of
// each grade on every trip of the season and division entered before
// `currentTripId`. Members are graded by their grade history; non-members
// count under grade 0. "Scorer" only: for another level the list is left
// empty and `ran` is false.
StepResult BuildPriorTripWinners(ScoringContext& ctx, int32_t currentTripId, int32_t divisionId,
                                 std::string_view seasonId);

// The same list for any level and without progress, into `out`: for reading
// the working behind a score.
data::Status GatherPriorTripWinners(data::Store& store, int32_t currentTripId, int32_t divisionId,
                                    std::string_view seasonId, PriorTripWinners& out);

// For the trip member being scored on `trip`: TRM:Handicap from the member's
// grade wins on earlier trips (members only; left as it is without a win) and
// TRM:ProgressPoints = trip points − penalty + the member's earlier points.
// The winners list is gathered first when it was made for another trip.
// "Scorer" only.
StepResult WinnerHandicapAndProgress(ScoringContext& ctx, data::TripMember& tm,
                                     const TripRef& trip);

// The handicap after `wins` grade wins: the initial handicap, plus the
// follow-on handicap for each further win, to the nearest whole number
// (halves away from zero). `unchanged` for no wins.
int32_t HandicapForWins(const data::System& settings, int wins, int32_t unchanged);

// Fills ctx.tripGradeWinners with each grade's winners of the trip (ties
// included): members graded by their grade history, non-members by their own
// grade; grade 0 groups those without one. Runs for every user.
data::Status BuildTripGradeWinners(ScoringContext& ctx, int32_t tripId);
// The same, grading members through `grades`, which a caller building the
// winners of many trips keeps from one trip to the next.
data::Status BuildTripGradeWinners(ScoringContext& ctx, int32_t tripId, GradeBook& grades);

}  // namespace qv::scoring
