#include "core/reports/SortKey.h"

namespace qv::reports {

int64_t memberFractionUnits(int32_t memberId) {
    int64_t m = memberId < 0 ? -static_cast<int64_t>(memberId) : memberId;
    int digits = 1;
    for (int64_t v = m; v >= 10; v /= 10) ++digits;
    // m / 10^(digits + 2), in units of 10^-10.
    int shift = kSortKeyPlaces - 2 - digits;
    int64_t units = m;
    for (; shift > 0; --shift) units *= 10;
    if (shift < 0) {
        int64_t div = 1;
        for (; shift < 0; ++shift) div *= 10;
        units = (m + div / 2) / div;
    }
    return memberId < 0 ? -units : units;
}

olmix::Decimal sortKey(Decimal total, int32_t memberId, int fractions) {
    int64_t units = total.unitsAt(2);
    for (int i = 2; i < kSortKeyPlaces; ++i) units *= 10;
    units += fractions * memberFractionUnits(memberId);
    return olmix::Decimal{units, static_cast<std::uint8_t>(kSortKeyPlaces)};
}

}  // namespace qv::reports
