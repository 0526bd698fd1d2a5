#pragma once
// Rewrites the stored progress points of every trip member of a season from
// the stored trip points, after trips were entered late or changed.

#include <cstdint>
#include <string_view>

#include "core/scoring/ScoringContext.h"

namespace qv::scoring {

inline constexpr const char* kRecalculatingStatus = " Recalculating All Members Scores ";

struct RecalculationCounts {
    int trips = 0;          // trips of the season
    int tripMembers = 0;    // trip members of those trips
    int rewritten = 0;      // trip members whose progress points changed and were written
};

// For each trip member of the season's trips: progress points = trip points
// − penalty + the same over the member's earlier trips (lower trip id) of the
// season and division; a non-member's are its own trip points − penalty.
// One pass over the season's trips in id order with a running total per
// member and division, in one transaction: a failure writes nothing.
// Refused unless the user is a "Scorer". Reports each trip to ctx.progress.
data::Status RecalculateSeasonProgress(ScoringContext& ctx, std::string_view seasonId,
                                       RecalculationCounts* counts = nullptr);

}  // namespace qv::scoring
