#pragma once
// The exact decimal value a RecordQueue field holds: a whole number of units of
// 10^-places. No binary floating point is involved anywhere.

#include <cstdint>
#include <string>
#include <string_view>

#include "olmix/Export.h"

namespace olmix {

struct OLMIX_API Decimal {
    static constexpr int kMaxPlaces = 18;

    std::int64_t units = 0;  // the value times 10^places
    std::uint8_t places = 0;

    // Reads "12", "-3.5", "+0.125", ".5" with leading blanks allowed; reading
    // stops at the first character that cannot continue the number and no
    // digits at all give zero. Digits beyond `places` are rounded half away
    // from zero; values beyond the 64-bit range are held at its ends.
    static Decimal parse(std::string_view text, int places);

    // The text with all of its places: 5 with 2 places is "5.00", -0.5 with 2
    // places is "-0.50", 7 with no places is "7".
    std::string toString() const;
    void appendTo(std::string& out) const;

    friend bool operator==(const Decimal&, const Decimal&) = default;
};

}  // namespace olmix
