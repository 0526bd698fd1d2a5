#include "engine/GridTable.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <string_view>

#include "engine/Utf8.h"

namespace qv::engine {

namespace {

// The HTML a definition makes is read tag by tag here, in one pass: a full
// parse and a rewrite of the whole page took longer than laying out its
// grids. What this reader does not follow it leaves to the document.

struct Attribute {
    std::string name, value;  // name in lower case, value with its entities replaced
};

struct Tag {
    std::string name;  // lower case
    bool end = false, selfClosing = false;
    std::vector<Attribute> attributes;
    size_t from = 0, to = 0;  // the tag's own text
    const std::string* value(std::string_view name) const {
        for (const Attribute& a : attributes)
            if (a.name == name) return &a.value;
        return nullptr;
    }
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Text with its character references replaced; false when it holds a named
// one this reader does not know.
bool decode(std::string_view text, std::string& out) {
    static const std::map<std::string_view, unsigned> named = {
        {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},     {"apos", '\''},
        {"nbsp", 0xa0},    {"ndash", 0x2013}, {"mdash", 0x2014}, {"lsquo", 0x2018}, {"rsquo", 0x2019},
        {"ldquo", 0x201c}, {"rdquo", 0x201d}, {"hellip", 0x2026}, {"bull", 0x2022}, {"middot", 0xb7},
        {"deg", 0xb0},     {"pound", 0xa3},   {"euro", 0x20ac},  {"copy", 0xa9},    {"frac12", 0xbd},
        {"frac14", 0xbc},  {"frac34", 0xbe},  {"times", 0xd7},   {"eacute", 0xe9},  {"egrave", 0xe8}};
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const size_t semi = text.find(';', i);
        if (semi == std::string_view::npos || semi - i > 12) return false;
        const std::string_view ref = text.substr(i + 1, semi - i - 1);
        if (!ref.empty() && ref[0] == '#') {
            const bool hex = ref.size() > 1 && (ref[1] == 'x' || ref[1] == 'X');
            const std::string digits(ref.substr(hex ? 2 : 1));
            if (digits.empty()) return false;
            char* end = nullptr;
            const unsigned long code = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
            if (*end) return false;
            appendUtf8(out, static_cast<unsigned>(std::min(code, 0x110000UL)));
        } else if (auto it = named.find(ref); it != named.end()) {
            appendUtf8(out, it->second);
        } else {
            return false;
        }
        i = semi;
    }
    return true;
}

class Scanner {
public:
    explicit Scanner(const std::string& html) : s_(html) {}

    size_t at() const { return at_; }
    void seek(size_t to) { at_ = to; }
    bool done() const { return at_ >= s_.size(); }

    // The next tag, skipping text, comments and declarations; the text
    // passed over goes to `text` when asked for. False at the end or when
    // the text cannot be read.
    bool next(Tag& tag, std::string* text = nullptr) {
        while (at_ < s_.size()) {
            const size_t lt = s_.find('<', at_);
            if (text) text->append(s_, at_, (lt == std::string::npos ? s_.size() : lt) - at_);
            if (lt == std::string::npos) {
                at_ = s_.size();
                return false;
            }
            at_ = lt;
            if (s_.compare(at_, 4, "<!--") == 0) {
                const size_t end = s_.find("-->", at_ + 4);
                at_ = end == std::string::npos ? s_.size() : end + 3;
                continue;
            }
            if (at_ + 1 < s_.size() && (s_[at_ + 1] == '!' || s_[at_ + 1] == '?')) {
                const size_t end = s_.find('>', at_);
                at_ = end == std::string::npos ? s_.size() : end + 1;
                continue;
            }
            if (readTag(tag)) return true;
            // A lone "<" is text.
            if (text) *text += '<';
            ++at_;
        }
        return false;
    }

    // The raw text of a <style> or <script> up to its end tag, which is passed.
    std::string rawText(const std::string& name) {
        const size_t from = at_;
        size_t end = from;
        while ((end = s_.find("</", end)) != std::string::npos) {
            if (lower(std::string_view(s_).substr(end + 2, name.size())) == name) break;
            end += 2;
        }
        if (end == std::string::npos) end = s_.size();
        const size_t close = s_.find('>', end);
        at_ = close == std::string::npos ? s_.size() : close + 1;
        return s_.substr(from, end - from);
    }

private:
    bool readTag(Tag& tag) {
        size_t i = at_ + 1;
        tag = Tag{};
        tag.from = at_;
        if (i < s_.size() && s_[i] == '/') {
            tag.end = true;
            ++i;
        }
        const size_t nameFrom = i;
        while (i < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i])) || s_[i] == '-' || s_[i] == ':')) ++i;
        if (i == nameFrom) return false;
        tag.name = lower(std::string_view(s_).substr(nameFrom, i - nameFrom));
        for (;;) {
            while (i < s_.size() && isSpace(s_[i])) ++i;
            if (i >= s_.size()) return false;
            if (s_[i] == '>') break;
            if (s_[i] == '/') {
                tag.selfClosing = true;
                ++i;
                continue;
            }
            const size_t an = i;
            while (i < s_.size() && !isSpace(s_[i]) && s_[i] != '=' && s_[i] != '>' && s_[i] != '/') ++i;
            Attribute a;
            a.name = lower(std::string_view(s_).substr(an, i - an));
            while (i < s_.size() && isSpace(s_[i])) ++i;
            if (i < s_.size() && s_[i] == '=') {
                ++i;
                while (i < s_.size() && isSpace(s_[i])) ++i;
                size_t vf = i, vt;
                if (i < s_.size() && (s_[i] == '"' || s_[i] == '\'')) {
                    const size_t close = s_.find(s_[i], i + 1);
                    if (close == std::string::npos) return false;
                    vf = i + 1;
                    vt = close;
                    i = close + 1;
                } else {
                    while (i < s_.size() && !isSpace(s_[i]) && s_[i] != '>') ++i;
                    vt = i;
                }
                if (!decode(std::string_view(s_).substr(vf, vt - vf), a.value)) a.value.assign(s_, vf, vt - vf);
            } else {
                a.value = a.name;
            }
            if (!a.name.empty()) tag.attributes.push_back(std::move(a));
        }
        at_ = i + 1;
        tag.to = at_;
        return true;
    }

    const std::string& s_;
    size_t at_ = 0;
};

bool isVoid(const std::string& name) {
    static const char* const kVoid[] = {"area", "base", "br", "col", "embed", "hr", "img", "input",
                                        "link", "meta", "param", "source", "track", "wbr"};
    return std::any_of(std::begin(kVoid), std::end(kVoid), [&](const char* v) { return name == v; });
}

bool hasClass(const Tag& tag, std::string_view wanted) {
    const std::string* classes = tag.value("class");
    if (!classes) return false;
    size_t at = 0;
    while (at < classes->size()) {
        while (at < classes->size() && isSpace((*classes)[at])) ++at;
        size_t end = at;
        while (end < classes->size() && !isSpace((*classes)[end])) ++end;
        if (end > at && std::string_view(*classes).substr(at, end - at) == wanted) return true;
        at = end;
    }
    return false;
}

std::string escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '&') out += "&amp;";
        else if (c == '"') out += "&quot;";
        else if (c == '<') out += "&lt;";
        else out += c;
    }
    return out;
}

// A tag's attributes as HTML, less those named in `except`.
std::string attributes(const Tag& tag, std::initializer_list<std::string_view> except = {}) {
    std::string out;
    for (const Attribute& a : tag.attributes) {
        if (std::find(except.begin(), except.end(), a.name) != except.end()) continue;
        out += ' ' + a.name + "=\"" + escaped(a.value) + '"';
    }
    return out;
}

// A cell's text as HTML shows it: runs of white space as one space, none at the ends.
QString shownText(const std::string& decoded) {
    std::string out;
    out.reserve(decoded.size());
    bool space = false;
    for (char c : decoded) {
        if (isSpace(c)) {
            space = !out.empty();
            continue;
        }
        if (space) out += ' ';
        space = false;
        out += c;
    }
    return QString::fromUtf8(out);
}

struct Surroundings {
    std::string styles, body;  // the style sheets; the body's attributes
};

// Reads one table from just after its start tag; false, with the scanner
// anywhere, when it is not a plain grid.
class GridReader {
public:
    GridReader(Scanner& scanner, const Tag& table, const std::string& open, const std::string& close)
        : scanner_(scanner), tableOpen_("<table" + attributes(table) + ">"), open_(open), close_(close) {
        const std::string* border = table.value("border");
        plain_ = !border || border->empty() || *border == "0";
    }

    bool read(GridTable& grid, size_t& end) {
        Tag tag;
        std::string section;  // thead, tbody or tfoot; none for rows straight in the table
        std::vector<GridRow> head, body, foot;
        GridRow* row = nullptr;
        std::string rowAttributes;
        while (plain_ && scanner_.next(tag)) {
            if (tag.name == "table") {
                if (!tag.end) return false;  // a table within
                end = tag.to;
                grid.headerRows = static_cast<int>(head.size());
                for (auto* part : {&head, &body, &foot})
                    for (GridRow& r : *part) grid.rows.push_back(std::move(r));
                grid.lookCount = static_cast<int>(snippets_.size());
                std::string html = open_;
                for (const std::string& s : snippets_) html += s;
                grid.looksHtml = QString::fromStdString(html + close_);
                return true;
            }
            if (tag.name == "thead" || tag.name == "tbody" || tag.name == "tfoot") {
                section = tag.end ? "" : tag.name;
                row = nullptr;
            } else if (tag.name == "tr") {
                if (tag.end) {
                    row = nullptr;
                    continue;
                }
                auto& part = section == "thead" ? head : section == "tfoot" ? foot : body;
                part.emplace_back();
                row = &part.back();
                rowAttributes = attributes(tag);
            } else if ((tag.name == "td" || tag.name == "th") && !tag.end) {
                if (!row || !readCell(tag, section == "thead", rowAttributes, *row)) return false;
            } else if (tag.name != "col" && tag.name != "colgroup") {
                return false;  // anything else in a grid leaves it to the document
            }
        }
        return false;
    }

private:
    bool readCell(const Tag& cell, bool header, const std::string& rowAttributes, GridRow& row) {
        if (const std::string* rowspan = cell.value("rowspan"); rowspan && *rowspan != "1") return false;
        std::string raw;
        Tag end;
        if (!scanner_.next(end, &raw) || end.name != cell.name || !end.end) return false;  // text alone
        std::string text;
        if (!decode(raw, text)) return false;
        GridCell c;
        c.text = shownText(text);
        if (const std::string* span = cell.value("colspan")) c.span = std::clamp(std::atoi(span->c_str()), 1, 1000);
        const std::string own = attributes(cell, {"colspan", "rowspan"});
        const std::string look = std::string(header ? "h" : "b") + rowAttributes + "|" + cell.name + own;
        auto [it, added] = looks_.try_emplace(look, static_cast<int>(snippets_.size()));
        if (added) {
            const std::string cellHtml =
                "<tr" + rowAttributes + "><" + cell.name + own + ">X</" + cell.name + "></tr>";
            snippets_.push_back(tableOpen_ + (header ? "<thead>" + cellHtml + "</thead>" : cellHtml) + "</table>");
        }
        c.look = it->second;
        row.cells.push_back(std::move(c));
        return true;
    }

    Scanner& scanner_;
    std::string tableOpen_, open_, close_;
    bool plain_ = true;
    std::map<std::string, int> looks_;
    std::vector<std::string> snippets_;
};

}  // namespace

int GridTable::columnCount() const {
    int most = 0;
    for (const GridRow& r : rows) {
        int n = 0;
        for (const GridCell& c : r.cells) n += c.span;
        most = std::max(most, n);
    }
    return most;
}

QString gridMarker(int index) { return QString("qv-grid-table-%1").arg(index); }

ExtractedGrids extractGridTables(const std::string& html) {
    ExtractedGrids out;
    if (html.find("grid") == std::string::npos) {
        out.html = html;
        return out;
    }
    Scanner scanner(html);
    Surroundings around;
    struct Open {
        std::string name, attributes;
    };
    std::vector<Open> stack;
    size_t copied = 0;
    Tag tag;
    while (scanner.next(tag)) {
        if (tag.end) {
            for (size_t i = stack.size(); i-- > 0;)
                if (stack[i].name == tag.name) {
                    stack.resize(i);
                    break;
                }
            continue;
        }
        if (tag.name == "style" || tag.name == "script") {
            const std::string text = scanner.rawText(tag.name);
            if (tag.name == "style") around.styles += text + "\n";
            continue;
        }
        if (tag.name == "body") around.body = attributes(tag);
        const bool inCell = std::any_of(stack.begin(), stack.end(), [](const Open& o) {
            return o.name == "td" || o.name == "th" || o.name == "table";
        });
        if (tag.name == "table" && hasClass(tag, "grid") && !inCell) {
            // The table's surroundings inside the body, for what its cells inherit.
            std::string open = "<html><head><style>" + around.styles + "</style></head><body" + around.body + ">";
            std::string close;
            bool inBody = false;
            for (const Open& o : stack) {
                if (inBody) {
                    open += "<" + o.name + o.attributes + ">";
                    close = "</" + o.name + ">" + close;
                }
                inBody = inBody || o.name == "body";
            }
            GridTable grid;
            size_t end = 0;
            const size_t resume = scanner.at();
            if (GridReader(scanner, tag, open, close + "</body></html>").read(grid, end)) {
                out.html.append(html, copied, tag.from - copied);
                out.html += "<p style=\"margin-top: 0px; margin-bottom: 0px;\">" +
                            gridMarker(static_cast<int>(out.tables.size())).toStdString() + "</p>";
                copied = end;
                out.tables.push_back(std::move(grid));
                continue;
            }
            scanner.seek(resume);  // left to the document: read on inside it
        }
        if (!tag.selfClosing && !isVoid(tag.name)) stack.push_back({tag.name, attributes(tag)});
    }
    out.html.append(html, copied, std::string::npos);
    return out;
}

}  // namespace qv::engine
