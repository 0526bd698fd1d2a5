#pragma once
// Imperial totals. An imperial season keeps weights as pounds.ounces and
// lengths as wholes and twelfths: the two digits after the point are a count
// of parts (2.10 is 2 lb 10 oz), not a fraction. Adding such values adds the
// wholes and the parts apart and carries the parts at 16 (weight) or 12
// (length) to a whole.

#include <cstdint>
#include <string>
#include <vector>

#include "core/data/Decimal.h"

namespace qv::reports {

inline constexpr int kOuncesPerPound = 16;
inline constexpr int kInchesPerFoot = 12;

class WholePartSum {
public:
    // Adds one value; a part of 3.1 counts as 10 (the digits after the point
    // padded to two), a value without a point adds only wholes.
    void add(Decimal value);
    // The total with the parts carried at `partsPerWhole`: 2.10 + 1.09 at 16
    // is 4.03. A negative total keeps its sign in front (-2.10), never a
    // negative whole beside positive parts.
    Decimal total(int partsPerWhole) const;
    // The total as text, "whole.pp".
    std::string text(int partsPerWhole) const { return total(partsPerWhole).toString(); }

private:
    int64_t wholes_ = 0;
    int64_t parts_ = 0;
};

// The total of `values` as above.
Decimal wholePartSum(const std::vector<Decimal>& values, int partsPerWhole);

}  // namespace qv::reports
