#include "engine/DataFileReader.h"

#include <libxml/dict.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/Utf8.h"

namespace qv::engine {

namespace {

// Blank text between elements, which is left out; the data files end their
// lines with a carriage return and a line feed.
bool blankChar(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool nameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool nameChar(char c) { return nameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// Well-formed UTF-8 of characters XML allows; a carriage return (which a
// parser would turn into a line feed) is left to the parser.
bool plainText(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if (c < 0x20 && c != '\t' && c != '\n') return false;
            ++i;
            continue;
        }
        int more;
        unsigned code;
        if ((c & 0xe0) == 0xc0) more = 1, code = c & 0x1f;
        else if ((c & 0xf0) == 0xe0) more = 2, code = c & 0x0f;
        else if ((c & 0xf8) == 0xf0) more = 3, code = c & 0x07;
        else return false;
        for (int k = 1; k <= more; ++k) {
            if (i + k >= s.size()) return false;
            const auto b = static_cast<unsigned char>(s[i + k]);
            if ((b & 0xc0) != 0x80) return false;
            code = (code << 6) | (b & 0x3f);
        }
        static const unsigned least[] = {0, 0x80, 0x800, 0x10000};
        if (code < least[more] || code > 0x10ffff || (code >= 0xd800 && code < 0xe000) || code == 0xfffe ||
            code == 0xffff)
            return false;
        i += more + 1;
    }
    return true;
}

// Text with its five entities and character references replaced; false for
// anything else after "&", or a "<" or "]]>" a parser would refuse.
bool unescape(std::string_view s, std::string& out) {
    out.clear();
    if (s.find("]]>") != std::string_view::npos) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '&') {
            out += s[i];
            continue;
        }
        const size_t semi = s.find(';', i);
        if (semi == std::string_view::npos || semi - i > 10) return false;
        const std::string_view ref = s.substr(i + 1, semi - i - 1);
        if (ref == "amp") out += '&';
        else if (ref == "lt") out += '<';
        else if (ref == "gt") out += '>';
        else if (ref == "quot") out += '"';
        else if (ref == "apos") out += '\'';
        else if (ref.size() > 1 && ref[0] == '#') {
            const bool hex = ref[1] == 'x';
            const std::string digits(ref.substr(hex ? 2 : 1));
            if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") !=
                                      std::string::npos)
                return false;
            const unsigned long code = std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10);
            // Only characters XML allows; a reference to a line end or tab
            // is kept as such, which blank handling must not touch: leave
            // those to the parser.
            if (code < 0x20 || code > 0x10ffff || (code >= 0xd800 && code < 0xe000) || code == 0xfffe ||
                code == 0xffff)
                return false;
            appendUtf8(out, static_cast<unsigned>(code));
        } else {
            return false;
        }
        i = semi;
    }
    return true;
}

class Reader {
public:
    Reader(std::string_view text, xmlDocPtr doc) : s_(text), doc_(doc) {}

    bool read() {
        if (!prolog()) return false;
        skipMisc();
        xmlNodePtr root = nullptr;
        if (!ok_ || !element(nullptr, root)) return false;
        skipMisc();
        return ok_ && at_ == s_.size();
    }

private:
    void skipBlanks() {
        while (at_ < s_.size() && blankChar(s_[at_])) ++at_;
    }
    // A comment, kept in the tree as the parser keeps it, under `parent`
    // (the document when null). False when there is none or it is not
    // well-formed (ok_ then says so).
    bool comment(xmlNodePtr parent) {
        if (s_.compare(at_, 4, "<!--") != 0) return false;
        const size_t end = s_.find("-->", at_ + 4);
        const std::string_view body = end == std::string_view::npos ? std::string_view() : s_.substr(at_ + 4, end - at_ - 4);
        // "--" inside a comment is not well-formed.
        if (end == std::string_view::npos || body.find("--") != std::string_view::npos || !plainText(body)) {
            ok_ = false;
            return false;
        }
        buffer_.assign(body);
        xmlNodePtr c = xmlNewDocComment(doc_, reinterpret_cast<const xmlChar*>(buffer_.c_str()));
        if (!c) {
            ok_ = false;
            return false;
        }
        xmlAddChild(parent ? parent : reinterpret_cast<xmlNodePtr>(doc_), c);
        at_ = end + 3;
        return true;
    }
    void skipMisc() {
        for (;;) {
            skipBlanks();
            if (!comment(nullptr)) return;
        }
    }
    // The XML declaration, if any: version 1.0, and UTF-8 if it names an
    // encoding (another is the parser's to convert).
    bool prolog() {
        if (s_.compare(0, 5, "<?xml") != 0) return true;
        const size_t end = s_.find("?>");
        if (end == std::string_view::npos) return false;
        const std::string_view decl = s_.substr(5, end - 5);
        if (decl.find("standalone") != std::string_view::npos) return false;
        if (decl.find("version=\"1.0\"") == std::string_view::npos && decl.find("version='1.0'") == std::string_view::npos)
            return false;
        if (const size_t enc = decl.find("encoding"); enc != std::string_view::npos) {
            const std::string_view value = decl.substr(enc + 8);
            if (value != "=\"UTF-8\"" && value != "=\"utf-8\"" && value != "='UTF-8'" && value != "='utf-8'" &&
                value.substr(0, value.find_last_not_of(' ') + 1) != "=\"UTF-8\"")
                return false;
            doc_->encoding = xmlStrdup(BAD_CAST "UTF-8");
        }
        at_ = end + 2;
        return true;
    }

    bool name(std::string_view& out) {
        const size_t from = at_;
        if (at_ >= s_.size() || !nameStart(s_[at_])) return false;
        while (at_ < s_.size() && nameChar(s_[at_])) ++at_;
        out = s_.substr(from, at_ - from);
        return true;
    }

    // An element and all within it.
    bool element(xmlNodePtr parent, xmlNodePtr& out) {
        if (at_ >= s_.size() || s_[at_] != '<') return false;
        ++at_;
        std::string_view tag;
        if (!name(tag)) return false;
        skipBlanks();
        out = xmlNewDocNodeEatName(doc_, nullptr, dictName(tag), nullptr);
        if (!out) return false;
        if (parent) xmlAddChild(parent, out);
        else xmlDocSetRootElement(doc_, out);
        if (s_.compare(at_, 2, "/>") == 0) {
            at_ += 2;
            return true;
        }
        if (at_ >= s_.size() || s_[at_] != '>') return false;  // an attribute: the parser's work
        ++at_;
        // Text alone, elements alone (blank text between them), or nothing.
        const size_t textFrom = at_;
        const size_t lt = s_.find('<', at_);
        if (lt == std::string_view::npos) return false;
        const std::string_view text = s_.substr(textFrom, lt - textFrom);
        at_ = lt;
        if (s_.compare(at_, 2, "</") == 0) {
            if (!text.empty()) {
                if (!plainText(text) || !unescape(text, buffer_)) return false;
                xmlNodePtr t = xmlNewDocTextLen(doc_, reinterpret_cast<const xmlChar*>(buffer_.data()),
                                                static_cast<int>(buffer_.size()));
                if (!t) return false;
                xmlAddChild(out, t);
            }
            return endTag(tag);
        }
        for (char c : text)
            if (!blankChar(c)) return false;  // text beside elements
        for (;;) {
            skipBlanks();
            if (s_.compare(at_, 4, "<!--") == 0) {
                if (!comment(out)) return false;
                continue;
            }
            if (s_.compare(at_, 2, "</") == 0) return endTag(tag);
            xmlNodePtr child = nullptr;
            if (!element(out, child)) return false;
        }
    }

    bool endTag(std::string_view tag) {
        at_ += 2;
        std::string_view closing;
        if (!name(closing) || closing != tag) return false;
        skipBlanks();
        if (at_ >= s_.size() || s_[at_] != '>') return false;
        ++at_;
        return true;
    }

    xmlChar* dictName(std::string_view n) {
        xmlDictPtr dict = doc_->dict;
        if (dict) return const_cast<xmlChar*>(xmlDictLookup(dict, reinterpret_cast<const xmlChar*>(n.data()),
                                                            static_cast<int>(n.size())));
        return xmlStrndup(reinterpret_cast<const xmlChar*>(n.data()), static_cast<int>(n.size()));
    }

    std::string_view s_;
    xmlDocPtr doc_;
    size_t at_ = 0;
    bool ok_ = true;
    std::string buffer_;
};

}  // namespace

xmlDocPtr readDataFile(std::string_view text, xmlDictPtr dict, const char* url) {
    // A byte order mark or another encoding's first bytes: the parser's work.
    if (text.empty() || text[0] != '<') return nullptr;
    xmlDocPtr doc = xmlNewDoc(BAD_CAST "1.0");
    if (!doc) return nullptr;
    if (dict) {
        doc->dict = dict;
        xmlDictReference(dict);
    }
    if (url) doc->URL = xmlStrdup(BAD_CAST url);
    if (!Reader(text, doc).read()) {
        xmlFreeDoc(doc);
        return nullptr;
    }
    return doc;
}

}  // namespace qv::engine
