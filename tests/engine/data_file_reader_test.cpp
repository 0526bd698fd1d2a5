// The quick reader of report data files builds the very tree the general
// parser builds without blank text between elements, and gives up on
// anything it does not follow rather than read it differently.

#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/DataFileReader.h"

namespace {

using qv::engine::readDataFile;

std::string dump(xmlDocPtr doc) {
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpMemory(doc, &text, &size);
    std::string out(reinterpret_cast<const char*>(text), size);
    xmlFree(text);
    return out;
}

// What the general parser makes of `text`, as the engine asks it; empty
// when it refuses it.
std::string parsed(const std::string& text) {
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), "data.xml", nullptr,
                                  XML_PARSE_NOBLANKS | XML_PARSE_COMPACT | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) return {};
    std::string out = dump(doc);
    xmlFreeDoc(doc);
    return out;
}

std::string quick(const std::string& text) {
    xmlDictPtr dict = xmlDictCreate();
    xmlDocPtr doc = readDataFile(text, dict, "data.xml");
    xmlDictFree(dict);
    if (!doc) return {};
    std::string out = dump(doc);
    xmlFreeDoc(doc);
    return out;
}

TEST(DataFileReader, BuildsTheParsersTree) {
    const std::string rows =
        "<!-- written 07/12/2026 14:05 -->\n<!--Trip report-->\n <Data>\n  <Row>\n  <fullname>Ann &amp; Bo &lt;A&gt; "
        "&quot;x&quot; &apos;y&apos; &#233;&#x2013;</fullname>\n  <blank>   </blank>\n  <empty></empty>\n  <closed/>\n"
        "  <name>M\xc4\x81ori \xe2\x80\x94 \xf0\x9f\x90\x9f</name>\n  <!-- a note -->\n  </Row>\n  <Row><data>12.50</data></Row>\n"
        " </Data>\n<!-- end -->\n";
    std::string crlf;
    for (char c : rows) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& text : {"<?xml version=\"1.0\"?>\n" + rows, rows, "<?xml version=\"1.0\"?>\r\n" + crlf,
                                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + rows, std::string("<Data/>")}) {
        const std::string expected = parsed(text);
        ASSERT_FALSE(expected.empty()) << text;
        EXPECT_EQ(quick(text), expected) << text;
    }
}

TEST(DataFileReader, LeavesWhatItDoesNotFollowToTheParser) {
    for (const std::string& text : {
             std::string("<Data><Row id=\"1\"><a>1</a></Row></Data>"),      // an attribute
             std::string("<q:Data xmlns:q=\"urn:x\"><a>1</a></q:Data>"),     // a namespace
             std::string("<Data><a><![CDATA[1]]></a></Data>"),              // CDATA
             std::string("<!DOCTYPE Data><Data><a>1</a></Data>"),           // a document type
             std::string("<Data>text<a>1</a></Data>"),                       // text beside elements
             std::string("<Data><a>&nbsp;</a></Data>"),                      // an entity XML does not know
             std::string("<Data><a>\xff\xfe</a></Data>"),                    // not UTF-8
             std::string("<Data><a>\xc0\xaf</a></Data>"),                    // an overlong sequence
             std::string("<Data>\r\n<a>1\r\n2</a></Data>"),                  // a carriage return in a field
             std::string("<Data><a>1&#10;2</a></Data>"),                     // a reference to a line end
             std::string("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Data><a>1</a></Data>"),
             std::string("<?xml version=\"1.0\" standalone=\"yes\"?><Data><a>1</a></Data>"),
             std::string("<Data><a>1</b></Data>"),                           // not well-formed
             std::string("<Data><a>1</a>"),                                  // cut short
             std::string("<Data><a>1</a></Data><More/>"),                    // a second root
             std::string("<Data><!-- a -- b --></Data>"),                    // "--" in a comment
             std::string("<Data><a>]]></a></Data>"),
             std::string("\xef\xbb\xbf<Data/>"),                             // a byte order mark
             std::string("")}) {
        EXPECT_TRUE(quick(text).empty()) << text;
    }
}

TEST(DataFileReader, ReadsEveryGoldenDataFileAsTheParserDoes) {
    int read = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUILLAVON_GOLDEN)) {
        if (entry.path().extension() != ".xml") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string quickTree = quick(text);
        EXPECT_FALSE(quickTree.empty()) << entry.path();
        EXPECT_EQ(quickTree, parsed(text)) << entry.path();
        ++read;
    }
    EXPECT_GE(read, 10);
}

}  // namespace
