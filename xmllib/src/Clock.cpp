#include <cstdio>
#include <ctime>
#include <string>

#include "WriterState.h"

namespace olmix::detail {

namespace {
std::tm localNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
}  // namespace

std::string bannerText() {
    std::tm t = localNow();
    char text[96];
    std::snprintf(text, sizeof text, " Olmix XML document written %02d/%02d/%04d %02d:%02d:%02d ",
                  t.tm_mday, t.tm_mon + 1, t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

std::string iso8601Now() {
    std::tm t = localNow();
    long offsetMinutes = t.tm_gmtoff / 60;
    char sign = offsetMinutes < 0 ? '-' : '+';
    if (offsetMinutes < 0) offsetMinutes = -offsetMinutes;
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld%02ld", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, sign, offsetMinutes / 60,
                  offsetMinutes % 60);
    return text;
}

}  // namespace olmix::detail
