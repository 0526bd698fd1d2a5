#include "core/data/Date.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace qv {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

CivilDate civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// Day 0 of the day numbers, 28 December 1800, counted from 1970-01-01.
const int64_t kEpoch = daysFromCivil(1800, 12, 28);

int daysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
    return days[m - 1];
}

bool readInt(std::string_view s, int& out) {
    if (s.empty() || s.size() > 4) return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}

}  // namespace

std::optional<Date> Date::fromCivil(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return std::nullopt;
    int64_t n = daysFromCivil(year, month, day) - kEpoch;
    if (n < 1 || n > INT32_MAX) return std::nullopt;
    return Date(static_cast<int32_t>(n));
}

std::optional<Date> Date::parse(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return Date();
    auto a = text.find('/');
    if (a == std::string_view::npos) return std::nullopt;
    auto b = text.find('/', a + 1);
    if (b == std::string_view::npos) return std::nullopt;
    int d = 0, m = 0, y = 0;
    if (!readInt(text.substr(0, a), d) || !readInt(text.substr(a + 1, b - a - 1), m) ||
        text.size() - b - 1 != 4 || !readInt(text.substr(b + 1), y))
        return std::nullopt;
    return fromCivil(y, m, d);
}

Date Date::today() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return fromCivil(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday).value_or(Date());
}

CivilDate Date::civil() const { return civilFromDays(kEpoch + day_); }

std::string Date::format(std::string_view picture) const {
    if (day_ <= 0) return {};
    (void)picture;  // both "D6" and "d6" show dd/mm/yyyy
    CivilDate c = civil();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", c.day, c.month, c.year);
    return buf;
}

TimeOfDay TimeOfDay::fromClock(int hours, int minutes, int seconds, int hundredths) {
    return TimeOfDay(((hours * 60 + minutes) * 60 + seconds) * 100 + hundredths + 1);
}

TimeOfDay TimeOfDay::now() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return fromClock(tm.tm_hour, tm.tm_min, tm.tm_sec);
}

std::string TimeOfDay::format(std::string_view picture) const {
    if (value_ <= 0) return {};
    int cs = (value_ - 1) % (24 * 360000);
    int s = cs / 100;
    char buf[16];
    if (picture == "t01" || picture == "T1")
        std::snprintf(buf, sizeof buf, "%02d:%02d", s / 3600, s / 60 % 60);
    else
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
    return buf;
}

}  // namespace qv
