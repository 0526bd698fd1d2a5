#include "core/data/FixedText.h"

#include <charconv>
#include <climits>
#include <cstdint>

namespace qv {

std::string_view clip(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::string fitText(std::string_view s, size_t width) {
    if (s.size() > width) {
        size_t n = width;
        // Do not leave half a UTF-8 character behind.
        while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
        s = s.substr(0, n);
    }
    return std::string(clip(s));
}

int compareText(std::string_view a, std::string_view b, bool caseSensitive) {
    a = clip(a);
    b = clip(b);
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = a[i], y = b[i];
        if (!caseSensitive) {
            if (x >= 'A' && x <= 'Z') x += 32;
            if (y >= 'A' && y <= 'Z') y += 32;
        }
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

long long numericValue(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    s = clip(s);
    if (s.empty()) return 0;
    size_t start = (s.front() == '+') ? 1 : 0;
    long long v = 0;
    auto [p, ec] = std::from_chars(s.data() + start, s.data() + s.size(), v);
    if (p != s.data() + s.size()) return 0;
    // A number too long to hold is still a number, and out of any range.
    if (ec == std::errc::result_out_of_range)
        return s.front() == '-' ? LLONG_MIN : LLONG_MAX;
    if (ec != std::errc()) return 0;
    return v;
}

bool isValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = 0;
        uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            n = 1, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n >= s.size()) return false;  // cut short
        for (size_t k = 1; k <= n; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        static constexpr uint32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

}  // namespace qv
