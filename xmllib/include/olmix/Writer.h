#pragma once
// The XML writer. It keeps its state per thread between calls: a caller opens
// a file (or a string), creates and opens parent elements, adds elements and
// comments, closes the parents and closes the document.
//
// Lines end in CR LF and lose their trailing blanks. Each open parent indents
// the next line by one blank. Values are escaped (&amp; &apos; &quot; &gt;
// &lt;) and lose their trailing blanks; names lose their trailing blanks.
// An omitted optional flag counts as 0, an omitted text as empty.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "olmix/Export.h"
#include "olmix/Record.h"

OLMIX_BEGIN_OPERATIONS

// Opens `fileName` (replacing it) for writing. Returns 0, 5 when a document is
// already open on this thread, or the file error code (see Errors.h). A failed
// open still leaves the writer busy: every later open returns 5 until
// XML_CLOSEXMLFILE. With a version or encoding the declaration line comes
// first; with `banner` non-zero a comment with the local date and time follows.
OLMIX_API std::int16_t XML_CREATEXMLFILE(std::string_view fileName,
                                         std::optional<std::string_view> version = std::nullopt,
                                         std::optional<std::string_view> encoding = std::nullopt,
                                         std::optional<std::uint8_t> banner = std::nullopt);
// As XML_CREATEXMLFILE, building the document in memory. Returns 0 or 5.
OLMIX_API std::int16_t XML_CREATEXMLSTRING(std::optional<std::string_view> version = std::nullopt,
                                           std::optional<std::string_view> encoding = std::nullopt,
                                           std::optional<std::uint8_t> banner = std::nullopt);

// Pushes a parent; nothing is written until XML_ADDPARENT.
OLMIX_API void XML_CREATEPARENT(std::string_view name);
// Adds an attribute to the next start tag. The value "*ISO8601GMT" stands for
// the local date and time with its offset from UTC, e.g. 2024-03-09T14:05:00+1300.
OLMIX_API void XML_CREATEATTRIBUTE(std::string_view name, std::string_view value);
// Writes the start tag of the innermost created parent with the pending
// attributes. With `closeAtOnce` non-zero the element is finished on the same
// line (<name>value</name>, or <name/> without a value) and needs no close.
OLMIX_API void XML_ADDPARENT(std::optional<std::uint8_t> closeAtOnce = std::nullopt,
                             std::optional<std::string_view> value = std::nullopt);
// Writes the end tag of the innermost open parent.
OLMIX_API void XML_CLOSEPARENT();
// Writes <name>value</name>; with `rawSection` non-zero the value goes
// unescaped into a CDATA section (five lines in a file, one in a string).
OLMIX_API void XML_ADDELEMENT(std::string_view name, std::string_view value,
                              std::optional<std::uint8_t> rawSection = std::nullopt);
OLMIX_API void XML_ADDCOMMENT(std::string_view text);
// Sets the namespace prefix of every later element name; blank clears it.
OLMIX_API void XML_SETELEMENTPREFIX(std::string_view prefix);

// Writes every record of `queue` as an element named `rowName` whose children
// are the fields, named after their labels without the prefix (lower case when
// `lowerCase` is 1). Groups become nested elements; array elements repeat the
// enclosing group once per index. With `attributeMode` non-zero the plain
// fields before the first group become attributes of the row, and with
// `selfClose` 1 a row holding nothing else is one self-closed tag.
OLMIX_API void XML_ADDFROMQUEUE(const olmix::RecordQueue& queue, std::string_view rowName,
                                std::optional<std::uint8_t> attributeMode = std::nullopt,
                                std::optional<std::uint8_t> selfClose = std::nullopt,
                                std::optional<std::uint8_t> lowerCase = std::nullopt);
// The same for the buffer of one record; element names keep the labels' case.
OLMIX_API void XML_ADDFROMGROUP(const olmix::Record& record, std::string_view name,
                                std::optional<std::uint8_t> attributeMode = std::nullopt,
                                std::optional<std::uint8_t> selfClose = std::nullopt);

// File: writes `text` as a line of its own. String: appends it to the end of
// the document without a line break. Escaped first when `escape` is 1.
OLMIX_API void XML_ADDSTRINGTEXT(std::string_view text,
                                 std::optional<std::uint8_t> escape = std::nullopt);

// Closes the document; with `closeAll` 1 the open parents are closed first.
OLMIX_API void XML_CLOSEXMLFILE(std::optional<std::uint8_t> closeAll = std::nullopt);
// As XML_CLOSEXMLFILE for a string document; returns its text.
OLMIX_API std::string XML_CLOSEXMLSTRING(std::optional<std::uint8_t> closeAll = std::nullopt);

OLMIX_END_OPERATIONS
