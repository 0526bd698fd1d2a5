#pragma once
// Net trip points, by which trip members are ranked in a grade, and the
// season-to-date points of a member before a trip.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/data/Decimal.h"
#include "core/data/Store.h"
#include "core/messages/Status.h"

namespace qv::scoring {

// Trip points less penalty, then less the handicap: as a percentage when the
// season's handicap letter is "P", else as points. 2 places.
Decimal NetTripPoints(Decimal points, int32_t penalty, int32_t handicap,
                      std::string_view handicapLetter);

// The same, with the letter read from the Season record of `seasonId`.
data::Status NetTripPoints(data::Store& store, Decimal points, int32_t penalty, int32_t handicap,
                           std::string_view seasonId, Decimal& out);

// The sum of trip points less penalty of `memberId` over the trips of the
// season and division entered before `stopTripId` (lower trip id, whatever
// the dates). The handicap is not subtracted. 2 places; 0 when none.
// One earlier trip of a member, as the progress points count it.
struct EarlierTripPoints {
    int32_t tripId = 0;
    Decimal points;
    int32_t penalty = 0;
};

// Each of those trips, in trip id order (a member entered twice on a trip
// counts twice, as in the sum).
data::Status PriorTripPoints(data::Store& store, int32_t memberId, int32_t divisionId,
                             std::string_view seasonId, int32_t stopTripId,
                             std::vector<EarlierTripPoints>& out);

data::Status PriorProgressPoints(data::Store& store, int32_t memberId, int32_t divisionId,
                                 std::string_view seasonId, int32_t stopTripId, Decimal& out);

}  // namespace qv::scoring
