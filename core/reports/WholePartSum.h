#pragma once
// Imperial totals. An imperial season keeps weights as pounds.ounces and
// lengths as wholes and twelfths: the two digits after the point are a count
// of parts (2.10 is 2 lb 10 oz), not a fraction. Adding such values adds the
// wholes and the parts apart and carries the parts at 16 (weight) or 12
// (length) to a whole.

#include <cstdint>
#include <string>

#include "core/data/Decimal.h"

namespace qv::reports {

class WholePartSum {
public:
    // Adds one value; a part of 3.1 counts as 10 (the digits after the point
    // padded to two), a value without a point adds only wholes.
    void add(Decimal value);
    // "whole.pp" with the parts carried at `partsPerWhole`.
    std::string text(int partsPerWhole) const;

private:
    int64_t wholes_ = 0;
    int64_t parts_ = 0;
};

}  // namespace qv::reports
