#pragma once
// Fixed-width texts: a field of width n keeps at most n bytes (never splitting
// a UTF-8 character), is stored without trailing blanks and compares without
// them, with or without regard to case.

#include <string>
#include <string_view>

namespace qv {

// Text without trailing blanks.
std::string_view clip(std::string_view s);
// The text as a field of `width` bytes stores it: cut to the width, then clipped.
std::string fitText(std::string_view s, size_t width);
// Compares as the keys do: trailing blanks ignored; case ignored (ASCII)
// unless `caseSensitive`.
int compareText(std::string_view a, std::string_view b, bool caseSensitive);
inline bool sameText(std::string_view a, std::string_view b, bool caseSensitive = true) {
    return compareText(a, b, caseSensitive) == 0;
}
// Whether `s` is well-formed UTF-8 (no overlong forms, surrogates or values
// past U+10FFFF).
bool isValidUtf8(std::string_view s);
// Reads a text as a number the way range rules do: leading/trailing blanks
// ignored; a blank or non-numeric text reads as 0.
long long numericValue(std::string_view s);

}  // namespace qv
