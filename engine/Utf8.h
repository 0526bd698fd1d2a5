#pragma once
// A character appended to UTF-8 text, for the engine's readers of HTML and
// data files when they replace a character reference.

#include <string>

namespace qv::engine {

// `code` as UTF-8 at the end of `out`; a code that is no character (zero,
// a surrogate, beyond the last plane) as the replacement character.
inline void appendUtf8(std::string& out, unsigned code) {
    if (code == 0 || code > 0x10ffff || (code >= 0xd800 && code < 0xe000)) code = 0xfffd;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xc0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xe0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    }
}

}  // namespace qv::engine
