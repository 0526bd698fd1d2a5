#pragma once
// The XML reader. A load turns a document into a flat list of nodes, one per
// element and per attribute, in the order they are completed: an element's
// node follows all of its descendants, an attribute's node comes when its
// start tag is read. Nodes are numbered from 1. Each node has a path (root
// element first) and a value: an element's text with the five entities
// &amp; &apos; &quot; &gt; &lt; read once each, CDATA taken literally.
//
// A position (current node and current path) is kept per thread, with the
// node list and the loading options. Name comparisons ignore case. Every
// navigation and read operation records its result as the last error code.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "olmix/Export.h"
#include "olmix/Record.h"

OLMIX_BEGIN_OPERATIONS

// Loading. Without `append` 1 the earlier nodes are dropped first. Errors in
// the document stop the load with 1000; nodes read before stay. Unless `quiet`
// is 1 the error is also shown through the message handler. A file is read
// line by line; each line loses its surrounding blanks and line end and the
// lines are joined, so line breaks inside values do not survive a file load.
OLMIX_API std::int16_t XML_LOADFROMFILE(std::string_view fileName,
                                        std::optional<std::uint8_t> append = std::nullopt,
                                        std::optional<std::uint8_t> quiet = std::nullopt);
OLMIX_API std::int16_t XML_LOADFROMSTRING(std::string_view text,
                                          std::optional<std::uint8_t> append = std::nullopt,
                                          std::optional<std::uint8_t> quiet = std::nullopt);
// Drops every node, the position, the saved states and every loading option.
OLMIX_API void XML_FREE();
// The progress handler is told about loads of at least `minimumSize` bytes.
OLMIX_API void XML_SETPROGRESSWINDOW(std::uint32_t minimumSize,
                                     std::optional<std::string_view> text = std::nullopt);

// Navigation.
OLMIX_API void XML_GOTOTOP();
OLMIX_API std::int16_t XML_GOTOCHILD();
OLMIX_API std::int16_t XML_GOTOPARENT();
OLMIX_API std::int16_t XML_GOTOSIBLING();
OLMIX_API std::int16_t XML_SETPOINTER(std::int32_t node);
OLMIX_API std::int32_t XML_GETPOINTER();
OLMIX_API std::int16_t XML_FINDNEXTNODE(std::string_view name,
                                        std::optional<std::string_view> name2 = std::nullopt,
                                        std::optional<std::string_view> name3 = std::nullopt,
                                        std::optional<std::string_view> name4 = std::nullopt,
                                        std::optional<std::string_view> name5 = std::nullopt);
OLMIX_API std::int16_t XML_FINDNEXTCONTENT(std::string_view text, std::uint8_t exactMatch,
                                           std::uint8_t caseSensitive);

// Reading a node: `names` (its first field, a text) receives one record per
// name of the node's path, root first; `value` receives the node's value.
OLMIX_API std::int16_t XML_READCURRENTRECORD(olmix::RecordQueue& names, std::string& value);
OLMIX_API std::int16_t XML_READNEXTRECORD(olmix::RecordQueue& names, std::string& value);
OLMIX_API std::int16_t XML_READPREVIOUSRECORD(olmix::RecordQueue& names, std::string& value);

// Saved positions: 16 slots. XML_SAVESTATE returns the slot used, 0 when all
// are taken.
OLMIX_API std::int16_t XML_SAVESTATE();
OLMIX_API std::int16_t XML_RESTORESTATE(std::int16_t slot);
OLMIX_API void XML_FREESTATE(std::int16_t slot);

// Loads the nodes of the current path into `queue`, record by record; see
// the fields' matching rules in the documentation of each option below.
// Returns the number of records now in the queue, low eight bits.
//  allLevels 1: every node below the current path, else only its children.
//  recordEnd 1: the node closing each record ends it and loading goes on
//               with the next record of the same name; else one record.
//  keepPrefix 1: labels are matched with their prefix ("lq1:name").
OLMIX_API std::uint8_t XML_LOADQUEUE(olmix::RecordQueue& queue,
                                     std::optional<std::uint8_t> allLevels = std::nullopt,
                                     std::optional<std::uint8_t> recordEnd = std::nullopt,
                                     std::optional<std::uint8_t> keepPrefix = std::nullopt);
// A value put into the named field of every new record.
OLMIX_API void XML_PRIMARYFIELDCASCADE(std::string_view value, std::string_view fieldName);
OLMIX_API void XML_PRIMARYFIELDCLEAR();
// Fields kept, not cleared, from one record to the next.
OLMIX_API void XML_PRIMARYKEYCASCADE(std::string_view name1,
                                     std::optional<std::string_view> name2 = std::nullopt,
                                     std::optional<std::string_view> name3 = std::nullopt,
                                     std::optional<std::string_view> name4 = std::nullopt,
                                     std::optional<std::string_view> name5 = std::nullopt,
                                     std::optional<std::string_view> name6 = std::nullopt,
                                     std::optional<std::string_view> name7 = std::nullopt,
                                     std::optional<std::string_view> name8 = std::nullopt,
                                     std::optional<std::string_view> name9 = std::nullopt,
                                     std::optional<std::string_view> name10 = std::nullopt);
OLMIX_API void XML_PRIMARYKEYCLEAR();
// A field whose non-blank values are formatted with `picture`, and without
// which (when `required` is 1) a record is not added. Pictures: @Sw keeps the
// first w characters; @N[0]w[.d] writes the number with d places,
// right-aligned in w characters (zero-filled with the 0). Other pictures
// leave the value as it is.
OLMIX_API void XML_ATTRIBUTEFIELDSET(std::string_view fieldName,
                                     std::optional<std::uint8_t> required = std::nullopt,
                                     std::optional<std::string_view> picture = std::nullopt);
OLMIX_API void XML_ATTRIBUTEFIELDCLEAR(std::optional<std::string_view> fieldName = std::nullopt);
// A node named `fieldName` is matched as parent name + its name (level 1:
// grandparent + parent + name), lower case, without separator.
OLMIX_API void XML_QUALIFYFIELDSET(std::string_view fieldName,
                                   std::optional<std::uint8_t> level = std::nullopt);
OLMIX_API void XML_QUALIFYFIELDCLEAR(std::optional<std::string_view> fieldName = std::nullopt);
// XML_LOADQUEUE returns to the position current at XML_AUTOROOTSET.
OLMIX_API void XML_AUTOROOTSET();
OLMIX_API void XML_AUTOROOTCLEAR();

OLMIX_END_OPERATIONS

namespace olmix {

// Facts about the node list of this thread, for diagnostics and viewers.
struct ReaderInfo {
    std::uint32_t nodes = 0;
    std::uint32_t deepestLevel = 0;
    std::uint32_t loadTimeHundredths = 0;
    std::string lastFile;
};
OLMIX_API ReaderInfo readerInfo();
// Node `number` (from 1): its path with "/" between names, and its value.
// False when there is no such node.
OLMIX_API bool nodeAt(std::uint32_t number, std::string& path, std::string& value);

}  // namespace olmix
