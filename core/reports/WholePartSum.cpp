#include "core/reports/WholePartSum.h"

#include <cstdint>
#include <cstdlib>

namespace qv::reports {

Decimal wholePartSum(const std::vector<Decimal>& values, int partsPerWhole) {
    // Everything in parts first, so that a negative value cannot leave a
    // negative remainder beside a positive whole.
    int64_t parts = 0;
    for (const Decimal& v : values) {
        const int64_t units = v.unitsAt(2);
        parts += (units / 100) * partsPerWhole + units % 100;
    }
    const int64_t magnitude = std::llabs(parts);
    const int64_t units = (magnitude / partsPerWhole) * 100 + magnitude % partsPerWhole;
    return Decimal::fromUnits(parts < 0 ? -units : units, 2);
}

}  // namespace qv::reports
