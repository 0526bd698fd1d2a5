#pragma once
// The report data files, read quickly. A data file is rows of fields:
// elements without attributes, each holding either elements or text, with
// line breaks and indents between elements. This reader builds the tree of
// such a file in one pass, several times faster than the general XML
// parser; the tree is the one that parser builds when told to leave out
// blank text between elements. Anything else (an attribute, a namespace,
// CDATA, a document type, text beside elements, an unknown entity, bytes
// that are not UTF-8) makes it give up, and the general parser reads the
// file instead.

#include <libxml/tree.h>

#include <string_view>

namespace qv::engine {

// The document `text` holds, with its names in `dict` (may be null) and
// `url` as its address; null when the text is not a plain data file.
xmlDocPtr readDataFile(std::string_view text, xmlDictPtr dict, const char* url);

}  // namespace qv::engine
