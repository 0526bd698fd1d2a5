#pragma once
// Text helpers shared by the writer and the reader.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace olmix::detail {

// Removes trailing blanks.
inline std::string_view clip(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

inline bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Removes blanks, tabs and line-end characters at both ends.
inline std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

inline char toLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}
inline char toUpper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 32) : c;
}

inline std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = toLower(c);
    return out;
}

inline bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (toLower(a[i]) != toLower(b[i])) return false;
    return true;
}

inline std::int32_t clampToInt32(std::int64_t v) {
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return std::int32_t(v);
}

// Appends `s` with & ' " > < replaced by their entities.
void appendEscaped(std::string& out, std::string_view s);
// Appends `s` with the five entities replaced by their characters, each
// entity read once ("&amp;lt;" gives "&lt;"). Other entities stay as they are.
void appendUnescaped(std::string& out, std::string_view s);

}  // namespace olmix::detail
