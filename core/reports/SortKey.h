#pragma once
// The sort key the season and points reports carry on every row of a
// member: the member's total plus a fraction made of the member id's digits
// (member 123 gives 0.00123), held at 10 places. The key is what the data
// files have always carried; it is not unique (members 1 and 10 share a
// fraction), so the definitions order by total and member id instead.

#include <cstdint>

#include "core/data/Decimal.h"
#include "olmix/Decimal.h"

namespace qv::reports {

inline constexpr int kSortKeyPlaces = 10;

// ".00" followed by the member id's digits, in units of 10^-10 (rounded
// half away from zero for ids of more than eight digits).
int64_t memberFractionUnits(int32_t memberId);

// `total` plus `fractions` times the member fraction, at 10 places.
olmix::Decimal sortKey(Decimal total, int32_t memberId, int fractions = 1);

}  // namespace qv::reports
