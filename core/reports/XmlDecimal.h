#pragma once
// A club value as the XML writer takes it.

#include <cstdint>

#include "core/data/Decimal.h"
#include "olmix/Decimal.h"

namespace qv::reports {

// The value with `places` places.
inline olmix::Decimal xmlDecimal(const Decimal& d, int places) {
    return olmix::Decimal{d.unitsAt(places), static_cast<std::uint8_t>(places)};
}

}  // namespace qv::reports
