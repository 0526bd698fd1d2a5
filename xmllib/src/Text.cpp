#include "Text.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace olmix::detail {

namespace {

struct EscapeTable {
    bool special[256] = {};
    constexpr EscapeTable() {
        special[static_cast<unsigned char>('&')] = true;
        special[static_cast<unsigned char>('\'')] = true;
        special[static_cast<unsigned char>('"')] = true;
        special[static_cast<unsigned char>('>')] = true;
        special[static_cast<unsigned char>('<')] = true;
    }
};
constexpr EscapeTable kEscape;

// The first character from `i` on that needs an entity; s.size() when none.
std::size_t findSpecial(std::string_view s, std::size_t i) {
    const std::size_t n = s.size();
#if defined(__SSE2__)
    const __m128i amp = _mm_set1_epi8('&'), apos = _mm_set1_epi8('\''), quot = _mm_set1_epi8('"'),
                  gt = _mm_set1_epi8('>'), lt = _mm_set1_epi8('<');
    for (; i + 16 <= n; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + i));
        __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, amp), _mm_cmpeq_epi8(v, apos)),
                         _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, quot), _mm_cmpeq_epi8(v, gt)),
                                      _mm_cmpeq_epi8(v, lt)));
        if (int mask = _mm_movemask_epi8(hit))
            return i + std::size_t(__builtin_ctz(unsigned(mask)));
    }
#endif
    while (i < n && !kEscape.special[static_cast<unsigned char>(s[i])]) ++i;
    return i;
}

}  // namespace

void appendEscaped(std::string& out, std::string_view s) {
    std::size_t start = 0;
    for (std::size_t i = findSpecial(s, 0); i < s.size(); i = findSpecial(s, i + 1)) {
        out.append(s.data() + start, i - start);
        switch (s[i]) {
            case '&':
                out.append("&amp;");
                break;
            case '\'':
                out.append("&apos;");
                break;
            case '"':
                out.append("&quot;");
                break;
            case '>':
                out.append("&gt;");
                break;
            default:
                out.append("&lt;");
                break;
        }
        start = i + 1;
    }
    out.append(s.data() + start, s.size() - start);
}

void appendUnescaped(std::string& out, std::string_view s) {
    static constexpr struct {
        std::string_view entity;
        char character;
    } kEntities[] = {
        {"&amp;", '&'}, {"&apos;", '\''}, {"&gt;", '>'}, {"&lt;", '<'}, {"&quot;", '"'}};
    std::size_t start = 0;
    while (true) {
        const void* hit = std::memchr(s.data() + start, '&', s.size() - start);
        if (!hit) break;
        std::size_t amp = std::size_t(static_cast<const char*>(hit) - s.data());
        out.append(s.data() + start, amp - start);
        start = amp + 1;
        char replacement = '&';
        for (const auto& e : kEntities) {
            if (s.substr(amp, e.entity.size()) == e.entity) {
                replacement = e.character;
                start = amp + e.entity.size();
                break;
            }
        }
        out.push_back(replacement);
    }
    out.append(s.data() + start, s.size() - start);
}

}  // namespace olmix::detail
