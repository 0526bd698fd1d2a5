// The writer's line-by-line output and its single-element operations.

#include "olmix/Writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "Support.h"
#include "Text.h"
#include "WriterState.h"
#include "olmix/Errors.h"

namespace olmix::detail {

namespace {

constexpr std::size_t kFlushSize = 256 * 1024;
constexpr std::string_view kNowStamp = "*ISO8601GMT";

void flush(WriterState& w) {
    std::size_t done = 0;
    while (w.fd >= 0 && done < w.out.size()) {
        ssize_t n = ::write(w.fd, w.out.data() + done, w.out.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // write errors are not reported; the rest is dropped
        done += std::size_t(n);
    }
    w.out.clear();
}

void appendIndent(WriterState& w) {
    w.out.append(w.parents.size(), ' ');
}

void appendName(WriterState& w, std::string_view name) {
    if (!w.prefix.empty()) {
        w.out.append(w.prefix);
        w.out.push_back(':');
    }
    w.out.append(clip(name));
}

void writeLine(WriterState& w, std::string_view text) {
    beginLine(w);
    w.out.append(text);
    endLine(w);
}

void writeDeclarationAndBanner(WriterState& w, std::string_view version, std::string_view encoding,
                               bool banner) {
    version = clip(version);
    encoding = clip(encoding);
    if (!version.empty() || !encoding.empty()) {
        beginLine(w);
        w.out.append("<?xml");
        if (!version.empty()) {
            w.out.append(" version=\"");
            w.out.append(version);
            w.out.push_back('"');
        }
        if (!encoding.empty()) {
            w.out.append(" encoding=\"");
            w.out.append(encoding);
            w.out.push_back('"');
        }
        w.out.append("?>");
        endLine(w);
    }
    if (banner) writeLine(w, "<!--" + bannerText() + "-->");
}

}  // namespace

void beginLine(WriterState& w) {
    if (w.mode == OutputMode::String && !w.out.empty()) w.out.append("\r\n");
    w.lineStart = w.out.size();
}

void endLine(WriterState& w) {
    while (w.out.size() > w.lineStart && w.out.back() == ' ') w.out.pop_back();
    if (w.mode == OutputMode::File) {
        w.out.append("\r\n");
        if (w.out.size() >= kFlushSize) flush(w);
    }
}

WriterState::~WriterState() {
    if (fd >= 0) {
        flush(*this);
        ::close(fd);
    }
}

WriterState& writer() {
    thread_local WriterState state;
    return state;
}

void createParent(WriterState& w, std::string_view name) {
    w.parents.emplace_back(clip(name));
}

void createAttribute(WriterState& w, std::string_view name, std::string_view value) {
    if (value == kNowStamp)
        w.attributes.emplace_back(std::string(name), iso8601Now());
    else
        w.attributes.emplace_back(std::string(name), std::string(value));
}

void addParent(WriterState& w, bool closeAtOnce, std::string_view value) {
    if (w.parents.empty()) {
        w.attributes.clear();
        return;
    }
    if (w.writing()) {
        const std::string& name = w.parents.back();
        beginLine(w);
        appendIndent(w);
        w.out.push_back('<');
        appendName(w, name);
        for (const auto& [attrName, attrValue] : w.attributes) {
            w.out.push_back(' ');
            w.out.append(clip(attrName));
            w.out.append("=\"");
            appendEscaped(w.out, clip(attrValue));
            w.out.push_back('"');
        }
        if (closeAtOnce) {
            value = clip(value);
            if (!value.empty()) {
                w.out.push_back('>');
                appendEscaped(w.out, value);
                w.out.append("</");
                appendName(w, name);
                w.out.push_back('>');
            } else {
                w.out.append("/>");
            }
        } else {
            w.out.push_back('>');
        }
        endLine(w);
    }
    if (closeAtOnce) w.parents.pop_back();
    w.attributes.clear();
}

void closeParent(WriterState& w) {
    if (w.parents.empty()) return;
    if (w.writing()) {
        beginLine(w);
        appendIndent(w);
        w.out.append("</");
        appendName(w, w.parents.back());
        w.out.push_back('>');
        endLine(w);
    }
    w.parents.pop_back();
}

void addElement(WriterState& w, std::string_view name, std::string_view value, bool rawSection) {
    if (!w.writing()) return;
    value = clip(value);
    if (rawSection && w.mode == OutputMode::File) {
        beginLine(w);
        appendIndent(w);
        w.out.push_back('<');
        appendName(w, name);
        w.out.push_back('>');
        endLine(w);
        writeLine(w, "<![CDATA[");
        writeLine(w, value);
        writeLine(w, "]]>");
        beginLine(w);
        appendIndent(w);
        w.out.append("</");
        appendName(w, name);
        w.out.push_back('>');
        endLine(w);
        return;
    }
    beginLine(w);
    appendIndent(w);
    w.out.push_back('<');
    appendName(w, name);
    w.out.push_back('>');
    if (rawSection) {
        w.out.append("<![CDATA[");
        w.out.append(value);
        w.out.append("]]>");
    } else {
        appendEscaped(w.out, value);
    }
    w.out.append("</");
    appendName(w, name);
    w.out.push_back('>');
    endLine(w);
}

void closeDocument(WriterState& w, bool closeAll) {
    if (closeAll)
        while (!w.parents.empty()) closeParent(w);
    if (w.fd >= 0) {
        flush(w);
        ::close(w.fd);
        w.fd = -1;
    }
    w.mode = OutputMode::None;
    w.parents.clear();
    w.attributes.clear();
    std::string().swap(w.out);
    w.lineStart = 0;
}

}  // namespace olmix::detail

using namespace olmix::detail;

std::int16_t XML_CREATEXMLFILE(std::string_view fileName, std::optional<std::string_view> version,
                               std::optional<std::string_view> encoding,
                               std::optional<std::uint8_t> banner) {
    return guarded("XML:CREATEXMLFILE", olmix::error::kAlreadyOpen, [&]() -> std::int16_t {
        WriterState& w = writer();
        if (w.mode != OutputMode::None) return olmix::error::kAlreadyOpen;
        w.mode = OutputMode::File;
        w.fileName.assign(fileName);
        w.fd = ::open(w.fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (w.fd < 0) return fileErrorCode(errno, w.fileName);
        w.parents.clear();
        w.out.clear();
        writeDeclarationAndBanner(w, version.value_or(""), encoding.value_or(""),
                                  banner.value_or(0) != 0);
        return 0;
    });
}

std::int16_t XML_CREATEXMLSTRING(std::optional<std::string_view> version,
                                 std::optional<std::string_view> encoding,
                                 std::optional<std::uint8_t> banner) {
    return guarded("XML:CREATEXMLSTRING", olmix::error::kAlreadyOpen, [&]() -> std::int16_t {
        WriterState& w = writer();
        if (w.mode != OutputMode::None) return olmix::error::kAlreadyOpen;
        w.mode = OutputMode::String;
        w.parents.clear();
        w.out.clear();
        writeDeclarationAndBanner(w, version.value_or(""), encoding.value_or(""),
                                  banner.value_or(0) != 0);
        return 0;
    });
}

void XML_CREATEPARENT(std::string_view name) {
    guarded("XML:CREATEPARENT", [&] { createParent(writer(), name); });
}

void XML_CREATEATTRIBUTE(std::string_view name, std::string_view value) {
    guarded("XML:CREATEATTRIBUTE", [&] { createAttribute(writer(), name, value); });
}

void XML_ADDPARENT(std::optional<std::uint8_t> closeAtOnce, std::optional<std::string_view> value) {
    guarded("XML:ADDPARENT", [&] {
        addParent(writer(), closeAtOnce.value_or(0) != 0, value.value_or(std::string_view()));
    });
}

void XML_CLOSEPARENT() {
    guarded("XML:CLOSEPARENT", [&] { closeParent(writer()); });
}

void XML_ADDELEMENT(std::string_view name, std::string_view value,
                    std::optional<std::uint8_t> rawSection) {
    guarded("XML:ADDELEMENT",
            [&] { addElement(writer(), name, value, rawSection.value_or(0) != 0); });
}

void XML_ADDCOMMENT(std::string_view text) {
    guarded("XML:ADDCOMMENT", [&] {
        WriterState& w = writer();
        if (!w.writing()) return;
        beginLine(w);
        appendIndent(w);
        w.out.append("<!--");
        w.out.append(clip(text));
        w.out.append("-->");
        endLine(w);
    });
}

void XML_SETELEMENTPREFIX(std::string_view prefix) {
    guarded("XML:SETELEMENTPREFIX", [&] { writer().prefix.assign(clip(prefix)); });
}

void XML_ADDSTRINGTEXT(std::string_view text, std::optional<std::uint8_t> escape) {
    guarded("XML:ADDSTRINGTEXT", [&] {
        WriterState& w = writer();
        if (!w.writing()) return;
        bool escaped = escape.value_or(0) == 1;
        if (w.mode == OutputMode::File) {
            beginLine(w);
            if (escaped)
                appendEscaped(w.out, text);
            else
                w.out.append(text);
            endLine(w);
            return;
        }
        while (!w.out.empty() && w.out.back() == ' ') w.out.pop_back();
        if (escaped)
            appendEscaped(w.out, text);
        else
            w.out.append(text);
    });
}

void XML_CLOSEXMLFILE(std::optional<std::uint8_t> closeAll) {
    guarded("XML:CLOSEXMLFILE", [&] { closeDocument(writer(), closeAll.value_or(0) == 1); });
}

std::string XML_CLOSEXMLSTRING(std::optional<std::uint8_t> closeAll) {
    return guarded("XML:CLOSEXMLSTRING", std::string(), [&] {
        WriterState& w = writer();
        bool closeEvery = closeAll.value_or(0) == 1;
        if (closeEvery)
            while (!w.parents.empty()) closeParent(w);
        std::string text;
        if (w.mode == OutputMode::String) text.assign(clip(w.out));
        closeDocument(w, false);
        return text;
    });
}
