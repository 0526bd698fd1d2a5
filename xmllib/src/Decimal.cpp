#include "olmix/Decimal.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace olmix {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

Decimal Decimal::parse(std::string_view text, int places) {
    places = std::clamp(places, 0, kMaxPlaces);
    constexpr std::uint64_t kLimit = std::numeric_limits<std::int64_t>::max();
    std::uint64_t magnitude = 0;
    bool overflow = false;
    auto push = [&](unsigned digit) {
        if (overflow) return;
        if (magnitude > (kLimit - digit) / 10) {
            overflow = true;
            return;
        }
        magnitude = magnitude * 10 + digit;
    };

    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    while (i < text.size() && isDigit(text[i])) push(unsigned(text[i++] - '0'));
    int fraction = 0;
    bool roundUp = false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        bool roundingDigitSeen = false;
        for (; i < text.size() && isDigit(text[i]); ++i) {
            if (fraction < places) {
                push(unsigned(text[i] - '0'));
                ++fraction;
            } else if (!roundingDigitSeen) {
                roundUp = text[i] >= '5';
                roundingDigitSeen = true;
            }
        }
    }
    for (; fraction < places; ++fraction) push(0);
    if (roundUp && !overflow) {
        if (magnitude == kLimit)
            overflow = true;
        else
            ++magnitude;
    }

    Decimal result;
    result.places = std::uint8_t(places);
    if (overflow) {
        result.units = negative ? std::numeric_limits<std::int64_t>::min()
                                : std::numeric_limits<std::int64_t>::max();
    } else {
        result.units = negative ? -std::int64_t(magnitude) : std::int64_t(magnitude);
    }
    return result;
}

void Decimal::appendTo(std::string& out) const {
    std::uint64_t magnitude = units < 0 ? std::uint64_t(-(units + 1)) + 1 : std::uint64_t(units);
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    std::size_t count = std::size_t(end - digits);
    std::size_t shown = std::min<std::size_t>(places, kMaxPlaces);
    if (units < 0) out.push_back('-');
    if (shown == 0) {
        out.append(digits, count);
        return;
    }
    if (count <= shown) {
        out.append("0.");
        out.append(shown - count, '0');
        out.append(digits, count);
        return;
    }
    out.append(digits, count - shown);
    out.push_back('.');
    out.append(digits + (count - shown), shown);
}

std::string Decimal::toString() const {
    std::string out;
    appendTo(out);
    return out;
}

}  // namespace olmix
