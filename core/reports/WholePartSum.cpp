#include "core/reports/WholePartSum.h"

namespace qv::reports {

void WholePartSum::add(Decimal value) {
    // The parts are the two digits after the point.
    const int64_t units = value.unitsAt(2);
    wholes_ += units / 100;
    parts_ += units % 100;
}

std::string WholePartSum::text(int partsPerWhole) const {
    if (partsPerWhole < 1) partsPerWhole = 1;
    int64_t wholes = wholes_, parts = parts_;
    // Negative parts (a negative value) borrow from the wholes.
    wholes += parts / partsPerWhole;
    parts %= partsPerWhole;
    if (parts < 0) {
        parts += partsPerWhole;
        --wholes;
    }
    std::string p = std::to_string(parts);
    if (p.size() < 2) p.insert(0, 2 - p.size(), '0');
    return std::to_string(wholes) + "." + p;
}

}  // namespace qv::reports
