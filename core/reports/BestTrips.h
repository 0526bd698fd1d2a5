#pragma once
// The championship's best-trips rule: of a member's trips only the best N
// count, the lower trip id first among equal points.

#include <cstdint>
#include <string>
#include <vector>

#include "core/data/Decimal.h"

namespace qv::reports {

// One column of a member's points rows: a trip, or the total.
struct PointsColumn {
    int32_t id = 0;    // the trip id, or the total's column id
    std::string name;  // the season trip number, or "Total"
    Decimal points;
};

// The total row (id `totalId`) followed by the `n` best trips of
// `candidates`, by points descending and id ascending; the total row's points
// become the sum of those trips. The total row leads whatever its points,
// so negative or zero trip points never push it out. n must be 1 or more.
std::vector<PointsColumn> bestTrips(std::vector<PointsColumn> candidates, int n, int32_t totalId);

}  // namespace qv::reports
