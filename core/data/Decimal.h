#pragma once
// Exact fixed-point decimals. Points, weights, lengths, fight factors and line
// classes are decimals with 2 or 3 places; no binary floating point is used.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

class Decimal {
public:
    static constexpr int kMaxPlaces = 9;

    constexpr Decimal() = default;
    // A whole number.
    constexpr Decimal(int64_t whole) : units_(whole), places_(0) {}  // NOLINT: implicit on purpose
    // `units` counted in 10^-places, e.g. fromUnits(1250, 2) is 12.50.
    static Decimal fromUnits(int64_t units, int places);
    // Parses "12", "-3.5", "+0.125", ".5"; nullopt for anything else.
    static std::optional<Decimal> parse(std::string_view text);

    int64_t units() const { return units_; }
    int places() const { return places_; }
    // The value in units of 10^-places, rounded half away from zero. This is
    // the one rule by which a value is brought to a field's places.
    int64_t unitsAt(int places) const;
    Decimal roundedTo(int places) const { return fromUnits(unitsAt(places), places); }
    // The whole part after rounding half away from zero.
    int64_t toWhole() const { return unitsAt(0); }
    // The whole part, cut towards zero.
    int64_t truncated() const;

    // Plain text with exactly `places()` places: "12.50", "-0.125", "7".
    std::string toString() const;
    std::string toString(int places) const { return roundedTo(places).toString(); }

    bool isZero() const { return units_ == 0; }
    bool isNegative() const { return units_ < 0; }

    friend Decimal operator+(Decimal a, Decimal b);
    friend Decimal operator-(Decimal a, Decimal b);
    friend Decimal operator*(Decimal a, Decimal b);
    Decimal operator-() const { return fromUnits(-units_, places_); }
    Decimal& operator+=(Decimal b) { return *this = *this + b; }
    Decimal& operator-=(Decimal b) { return *this = *this - b; }
    Decimal& operator*=(Decimal b) { return *this = *this * b; }
    // a / b carried to `places` places, rounded half away from zero.
    // Division by zero gives zero.
    static Decimal divide(Decimal a, Decimal b, int places);

    friend bool operator==(Decimal a, Decimal b) { return compare(a, b) == 0; }
    friend auto operator<=>(Decimal a, Decimal b) { return compare(a, b) <=> 0; }

private:
    static int compare(Decimal a, Decimal b);
    int64_t units_ = 0;
    int places_ = 0;
};

}  // namespace qv
