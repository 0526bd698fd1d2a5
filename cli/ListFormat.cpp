#include "cli/ListFormat.h"

namespace qv::cli {

namespace {

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7f; }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The end of the quoted value starting at `v[0]` == '"' (the index of the
// closing quote), or npos.
size_t closingQuote(std::string_view v) {
    for (size_t i = 1; i < v.size(); ++i) {
        if (v[i] == '\\')
            ++i;
        else if (v[i] == '"')
            return i;
    }
    return std::string_view::npos;
}

}  // namespace

std::string quoteValue(std::string_view v) {
    bool plain = !v.empty();
    for (unsigned char c : v)
        if (c == ' ' || c == '"' || c == '\\' || isControl(c)) plain = false;
    if (plain) return std::string(v);
    std::string q = "\"";
    for (unsigned char c : v) {
        switch (c) {
            case '"': q += "\\\""; break;
            case '\\': q += "\\\\"; break;
            case '\n': q += "\\n"; break;
            case '\r': q += "\\r"; break;
            case '\t': q += "\\t"; break;
            default:
                if (isControl(c)) {
                    static const char* const kHex = "0123456789abcdef";
                    q += "\\x";
                    q += kHex[c >> 4];
                    q += kHex[c & 15];
                } else {
                    q += static_cast<char>(c);
                }
        }
    }
    return q + "\"";
}

bool readValue(std::string_view typed, std::string& out, std::string& error) {
    out.clear();
    if (typed.empty() || typed.front() != '"') {
        out = typed;
        return true;
    }
    if (closingQuote(typed) != typed.size() - 1) {
        error = "a quoted value must end with its closing quote";
        return false;
    }
    for (size_t i = 1; i + 1 < typed.size(); ++i) {
        char c = typed[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        c = typed[++i];
        switch (c) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'x': {
                const int hi = i + 2 < typed.size() ? hexDigit(typed[i + 1]) : -1;
                const int lo = hi >= 0 ? hexDigit(typed[i + 2]) : -1;
                if (lo < 0) {
                    error = "\\x needs two hexadecimal digits";
                    return false;
                }
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                break;
            }
            default: error = std::string("unknown escape \\") + c; return false;
        }
    }
    return true;
}

std::string formatRecord(const data::Record& rec) {
    std::string line;
    for (size_t i = 0; i < rec.size(); ++i) {
        const int f = static_cast<int>(i);
        const std::string v = rec.def().isPassword(f) ? std::string() : rec.display(f);
        if (i) line += ' ';
        line += rec.def().fields[i].name + "=" + quoteValue(v);
    }
    return line;
}

bool splitLine(std::string_view line, std::vector<std::pair<std::string, std::string>>& out,
               std::string& error) {
    out.clear();
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        const size_t eq = line.find('=', i);
        if (eq == std::string_view::npos) {
            error = "expected Name=value at \"" + std::string(line.substr(i, 20)) + "\"";
            return false;
        }
        std::string_view rest = line.substr(eq + 1);
        size_t len = rest.find(' ');
        if (!rest.empty() && rest.front() == '"') {
            const size_t close = closingQuote(rest);
            if (close == std::string_view::npos) {
                error = "a quoted value must end with its closing quote";
                return false;
            }
            len = close + 1;
        }
        if (len == std::string_view::npos) len = rest.size();
        std::string value;
        if (!readValue(rest.substr(0, len), value, error)) return false;
        out.emplace_back(std::string(line.substr(i, eq - i)), std::move(value));
        i = eq + 1 + len;
    }
    return true;
}

}  // namespace qv::cli
