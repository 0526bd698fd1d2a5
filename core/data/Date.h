#pragma once
// Day-number dates and times of day with the club's display pictures.
//   Dates: day 1 is 29 December 1800; 0 means "no date".
//   Pictures: "D6" and "d6" show dd/mm/yyyy.
//   Times: hundredths of a second since midnight plus one; 0 means "no time".
//   Pictures: "T4" shows hh:mm:ss, "t01" shows hh:mm.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(int32_t dayNumber) : day_(dayNumber) {}
    static std::optional<Date> fromCivil(int year, int month, int day);
    // Parses "dd/mm/yyyy" (also d/m/yyyy); an empty text is the blank date.
    static std::optional<Date> parse(std::string_view text);
    static Date today();

    int32_t dayNumber() const { return day_; }
    bool isBlank() const { return day_ == 0; }
    CivilDate civil() const;
    // "D6" / "d6": dd/mm/yyyy; a blank date gives "".
    std::string format(std::string_view picture = "D6") const;

    friend auto operator<=>(Date, Date) = default;

private:
    int32_t day_ = 0;
};

class TimeOfDay {
public:
    constexpr TimeOfDay() = default;
    constexpr explicit TimeOfDay(int32_t value) : value_(value) {}
    static TimeOfDay fromClock(int hours, int minutes, int seconds, int hundredths = 0);
    static TimeOfDay now();

    int32_t value() const { return value_; }
    // "T4": hh:mm:ss, "t01": hh:mm; a blank time gives "".
    std::string format(std::string_view picture = "T4") const;

private:
    int32_t value_ = 0;
};

}  // namespace qv
