#include "Parser.h"

#include <cstring>

#include "Support.h"
#include "Text.h"
#include "olmix/Errors.h"

namespace olmix::detail {

namespace {

constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCdataOpen = "<![CDATA[";
constexpr std::size_t kShownTagText = 100;

std::string position(std::uint64_t base, std::size_t at) {
    return std::to_string(base + at + 1);
}

// The '>' ending a tag whose text starts at `from`. A quoted attribute value
// may hold '>'. kNeedMore-like npos when the end is not in `text`.
std::size_t findTagEnd(std::string_view text, std::size_t from, bool final) {
    const std::size_t n = text.size();
    if (from < n && text[from] == '/') return text.find('>', from);
    for (std::size_t j = from; j < n; ++j) {
        char c = text[j];
        if (c == '>') return j;
        if (c != '=') continue;
        std::size_t m = j + 1;
        while (m < n && isSpace(text[m])) ++m;
        if (m >= n) return std::string_view::npos;
        if (text[m] != '"' && text[m] != '\'') continue;
        std::size_t close = text.find(text[m], m + 1);
        if (close == std::string_view::npos) {
            // Without its closing quote the value cannot hide a '>'.
            return final ? text.find('>', m + 1) : std::string_view::npos;
        }
        j = close;
    }
    return std::string_view::npos;
}

// Where text without markup may be cut at the end of a piece so that an
// entity is not split.
std::size_t textCut(std::string_view text, std::size_t from) {
    std::size_t amp = text.rfind('&');
    if (amp == std::string_view::npos || amp < from) return text.size();
    if (text.size() - amp < 6 && text.find(';', amp) == std::string_view::npos) return amp;
    return text.size();
}

}  // namespace

Parser::Parser(NodeStore& store, bool quiet)
    : store_(store), quiet_(quiet), pendingStart_(store.valueBuffer().size()) {}

void Parser::fail(const std::string& message) {
    error_ = error::kParse;
    if (!quiet_ && !message.empty()) showMessage("Error Occurred", message);
}

void Parser::appendText(std::string_view text) {
    if (text.empty()) return;
    std::string& buffer = store_.valueBuffer();
    if (std::memchr(text.data(), '&', text.size()))
        appendUnescaped(buffer, text);
    else
        buffer.append(text);
}

void Parser::clearPending() {
    store_.valueBuffer().resize(pendingStart_);
}

void Parser::addElementNode(std::uint32_t path) {
    store_.addNodeFromTail(path, pendingStart_);
    pendingStart_ = store_.valueBuffer().size();
}

void Parser::finish() {
    clearPending();
}

std::size_t Parser::parse(std::string_view text, std::uint64_t base, bool final) {
    const char* s = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && !error_) {
        const void* hit = std::memchr(s + i, '<', n - i);
        if (!hit) {
            std::size_t keep = final ? n : textCut(text, i);
            appendText(text.substr(i, keep - i));
            i = keep;
            break;
        }
        std::size_t at = std::size_t(static_cast<const char*>(hit) - s);
        appendText(text.substr(i, at - i));
        i = at;
        std::size_t next = markup(text, at, base, final);
        if (next == kNeedMore) break;
        i = next;
    }
    return error_ ? n : i;
}

std::size_t Parser::markup(std::string_view text, std::size_t at, std::uint64_t base, bool final) {
    const std::size_t n = text.size();
    std::string_view rest = text.substr(at);
    auto missingBracket = [&]() {
        fail("Invalid tag (missing End Bracket) located around position: " + position(base, at) +
             "||" + std::string(rest.substr(0, kShownTagText)));
        return n;
    };
    if (rest.size() < 2) return final ? missingBracket() : kNeedMore;

    if (rest[1] == '?') {
        std::size_t end = text.find("?>", at + 2);
        if (end != std::string_view::npos) return end + 2;
        if (!final) return kNeedMore;
        fail("No End ?> tag found after position: " + position(base, at));
        return n;
    }

    if (rest[1] == '!') {
        // Too short yet to tell a comment or CDATA from other declarations.
        if (!final && rest.size() < kCdataOpen.size() &&
            (kCdataOpen.starts_with(rest) || kCommentOpen.starts_with(rest)))
            return kNeedMore;
        if (rest.starts_with(kCommentOpen)) {
            std::size_t end = text.find("-->", at + kCommentOpen.size());
            if (end != std::string_view::npos) return end + 3;
            if (!final) return kNeedMore;
            fail("No End-Comment tag found after position: " + position(base, at));
            return n;
        }
        if (rest.starts_with(kCdataOpen)) {
            std::size_t from = at + kCdataOpen.size();
            std::size_t end = text.find("]]>", from);
            if (end == std::string_view::npos) {
                if (!final) return kNeedMore;
                fail("");  // an unfinished CDATA section ends the parse without a message
                return n;
            }
            // The content joins the element's text as it stands.
            store_.valueBuffer().append(text.substr(from, end - from));
            return end + 3;
        }
        // Other declarations (DOCTYPE and the like) are skipped whole.
        int depth = 0;
        for (std::size_t j = at; j < n; ++j) {
            if (text[j] == '<') ++depth;
            if (text[j] == '>' && --depth == 0) return j + 1;
        }
        return final ? missingBracket() : kNeedMore;
    }

    std::size_t end = findTagEnd(text, at + 1, final);
    if (end == std::string_view::npos) return final ? missingBracket() : kNeedMore;
    tag(text.substr(at + 1, end - at - 1));
    return end + 1;
}

void Parser::tag(std::string_view text) {
    if (text.empty()) return;
    if (text[0] == '/') {
        std::string_view name = text.substr(1);
        std::size_t blank = 0;
        while (blank < name.size() && !isSpace(name[blank])) ++blank;
        name = name.substr(0, blank);
        if (open_.empty()) return;
        const std::string& openName = store_.pathName(open_.back());
        if (name == openName || equalsIgnoreCase(name, openName)) {
            addElementNode(open_.back());
            open_.pop_back();
        }
        return;
    }

    std::size_t blank = 0;
    while (blank < text.size() && !isSpace(text[blank])) ++blank;
    std::string_view name = text.substr(0, blank);
    std::string_view attributeText = text.substr(blank);
    bool selfClosing = false;
    if (!name.empty() && name.back() == '/') {
        name.remove_suffix(1);
        selfClosing = true;
    } else {
        std::string_view tail = trim(attributeText);
        if (!tail.empty() && tail.back() == '/') {
            selfClosing = true;
            attributeText = tail.substr(0, tail.size() - 1);
        }
    }
    if (name.empty()) return;

    std::uint32_t parent = open_.empty() ? NodeStore::kRoot : open_.back();
    std::uint32_t path = store_.child(parent, name);
    clearPending();
    attributes(path, attributeText);
    pendingStart_ = store_.valueBuffer().size();
    if (selfClosing)
        addElementNode(path);
    else
        open_.push_back(path);
}

void Parser::attributes(std::uint32_t path, std::string_view text) {
    std::size_t p = 0;
    while (p < text.size()) {
        std::size_t eq = text.find('=', p);
        if (eq == std::string_view::npos) break;
        std::size_t quote = text.find_first_of("\"'", eq + 1);
        if (quote == std::string_view::npos) break;
        std::size_t close = text.find(text[quote], quote + 1);
        if (close == std::string_view::npos) break;
        std::string_view name = trim(text.substr(p, eq - p));
        if (!name.empty()) {
            std::string& buffer = store_.valueBuffer();
            std::uint64_t offset = buffer.size();
            appendUnescaped(buffer, text.substr(quote + 1, close - quote - 1));
            store_.addNodeFromTail(store_.child(path, name), offset);
        }
        p = close + 1;
    }
}

}  // namespace olmix::detail
