#include "Picture.h"

#include "Text.h"
#include "olmix/Decimal.h"

namespace olmix::detail {

namespace {
bool readNumber(std::string_view& s, std::size_t& number) {
    std::size_t i = 0;
    number = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && number < 100000)
        number = number * 10 + std::size_t(s[i++] - '0');
    s.remove_prefix(i);
    return i > 0;
}
}  // namespace

std::string formatPicture(std::string_view value, std::string_view picture) {
    picture = trim(picture);
    if (picture.size() < 2 || picture[0] != '@') return std::string(value);
    char kind = toUpper(picture[1]);
    std::string_view rest = picture.substr(2);
    if (kind == 'S') {
        std::size_t width = 0;
        if (!readNumber(rest, width) || !rest.empty()) return std::string(value);
        return std::string(value.substr(0, width));
    }
    if (kind != 'N') return std::string(value);
    bool zeroFill = !rest.empty() && rest[0] == '0';
    std::size_t width = 0, places = 0;
    readNumber(rest, width);
    if (!rest.empty() && rest[0] == '.') {
        rest.remove_prefix(1);
        readNumber(rest, places);
    }
    if (!rest.empty() || places > std::size_t(Decimal::kMaxPlaces)) return std::string(value);
    std::string digits = Decimal::parse(value, int(places)).toString();
    if (digits.size() >= width) return digits;
    if (!zeroFill) return std::string(width - digits.size(), ' ') + digits;
    bool negative = digits[0] == '-';
    std::string out = negative ? "-" : "";
    out.append(width - digits.size(), '0');
    out.append(negative ? std::string_view(digits).substr(1) : std::string_view(digits));
    return out;
}

}  // namespace olmix::detail
