#include "core/data/Decimal.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace qv {

namespace {

using wide = __int128;

wide pow10(int n) {
    wide r = 1;
    for (int i = 0; i < n; ++i) r *= 10;
    return r;
}

// Divides rounding half away from zero.
wide divRound(wide num, wide den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    wide q = num / den;
    wide r = num % den;
    if (r < 0) r = -r;
    if (2 * r >= den) q += (num < 0) ? -1 : 1;
    return q;
}

int64_t narrow(wide v) {
    if (v > std::numeric_limits<int64_t>::max() || v < std::numeric_limits<int64_t>::min())
        throw std::overflow_error("decimal overflow");
    return static_cast<int64_t>(v);
}

}  // namespace

Decimal Decimal::fromUnits(int64_t units, int places) {
    Decimal d;
    d.units_ = units;
    d.places_ = std::clamp(places, 0, kMaxPlaces);
    return d;
}

std::optional<Decimal> Decimal::parse(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    bool neg = false;
    if (text.front() == '-' || text.front() == '+') {
        neg = text.front() == '-';
        text.remove_prefix(1);
    }
    wide units = 0;
    int places = 0;
    bool point = false, digits = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) {
                if (places == kMaxPlaces) continue;  // further places are dropped
                ++places;
            }
            units = units * 10 + (c - '0');
            if (units > std::numeric_limits<int64_t>::max()) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    return fromUnits(static_cast<int64_t>(neg ? -units : units), places);
}

int64_t Decimal::unitsAt(int places) const {
    places = std::clamp(places, 0, kMaxPlaces);
    if (places >= places_) return narrow(static_cast<wide>(units_) * pow10(places - places_));
    return narrow(divRound(units_, pow10(places_ - places)));
}

int64_t Decimal::truncated() const { return narrow(static_cast<wide>(units_) / pow10(places_)); }

std::string Decimal::toString() const {
    wide u = units_;
    bool neg = u < 0;
    if (neg) u = -u;
    wide scale = pow10(places_);
    std::string whole = std::to_string(static_cast<unsigned long long>(u / scale));
    std::string out = neg ? "-" + whole : whole;
    if (places_ > 0) {
        std::string frac = std::to_string(static_cast<unsigned long long>(u % scale));
        out += '.';
        out.append(places_ - frac.size(), '0');
        out += frac;
    }
    return out;
}

Decimal operator+(Decimal a, Decimal b) {
    int p = std::max(a.places_, b.places_);
    return Decimal::fromUnits(narrow(static_cast<wide>(a.unitsAt(p)) + b.unitsAt(p)), p);
}

Decimal operator-(Decimal a, Decimal b) {
    int p = std::max(a.places_, b.places_);
    return Decimal::fromUnits(narrow(static_cast<wide>(a.unitsAt(p)) - b.unitsAt(p)), p);
}

Decimal operator*(Decimal a, Decimal b) {
    wide u = static_cast<wide>(a.units_) * b.units_;
    int p = a.places_ + b.places_;
    if (p > Decimal::kMaxPlaces) {
        u = divRound(u, pow10(p - Decimal::kMaxPlaces));
        p = Decimal::kMaxPlaces;
    }
    return Decimal::fromUnits(narrow(u), p);
}

Decimal Decimal::divide(Decimal a, Decimal b, int places) {
    places = std::clamp(places, 0, kMaxPlaces);
    if (b.units_ == 0) return fromUnits(0, places);
    // a/b = (ua/10^pa) / (ub/10^pb); scaled to 10^places:
    // ua * 10^(places + pb - pa) / ub
    int shift = places + b.places_ - a.places_;
    wide num = a.units_;
    wide den = b.units_;
    if (shift >= 0)
        num *= pow10(shift);
    else
        den *= pow10(-shift);
    return fromUnits(narrow(divRound(num, den)), places);
}

int Decimal::compare(Decimal a, Decimal b) {
    int p = std::max(a.places_, b.places_);
    wide x = static_cast<wide>(a.units_) * pow10(p - a.places_);
    wide y = static_cast<wide>(b.units_) * pow10(p - b.places_);
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace qv
