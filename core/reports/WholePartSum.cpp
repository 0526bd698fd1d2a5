#include "core/reports/WholePartSum.h"

#include <cstdlib>

namespace qv::reports {

void WholePartSum::add(Decimal value) {
    // The parts are the two digits after the point.
    const int64_t units = value.unitsAt(2);
    wholes_ += units / 100;
    parts_ += units % 100;
}

Decimal WholePartSum::total(int partsPerWhole) const {
    if (partsPerWhole < 1) partsPerWhole = 1;
    // Everything in parts first, so that a negative value cannot leave a
    // negative remainder beside a positive whole.
    const int64_t parts = wholes_ * partsPerWhole + parts_;
    const int64_t magnitude = std::llabs(parts);
    const int64_t units = (magnitude / partsPerWhole) * 100 + magnitude % partsPerWhole;
    return Decimal::fromUnits(parts < 0 ? -units : units, 2);
}

Decimal wholePartSum(const std::vector<Decimal>& values, int partsPerWhole) {
    WholePartSum sum;
    for (const Decimal& v : values) sum.add(v);
    return sum.total(partsPerWhole);
}

}  // namespace qv::reports
