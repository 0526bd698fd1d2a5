#pragma once
// Imperial weights and lengths are kept in whole.part form: 2.10 is 2 lb
// 10 oz, 3.05 is 3 ft 5 in. Their totals carry the parts into wholes.

#include <vector>

#include "core/data/Decimal.h"

namespace qv::reports {

inline constexpr int kOuncesPerPound = 16;
inline constexpr int kInchesPerFoot = 12;

// The sum of `values` (each read as whole.two-digit-part) with the parts
// carried at `partsPerWhole`, written back as whole.two-digit-remainder
// with 2 places: 2.10 + 1.09 at 16 is 4.03.
Decimal wholePartSum(const std::vector<Decimal>& values, int partsPerWhole);

}  // namespace qv::reports
