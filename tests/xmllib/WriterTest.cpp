// The writer: lines, indentation, escaping, attributes, modes and status values.

#include <regex>
#include <thread>

#include "XmlTestSupport.h"

namespace {

class Writer : public XmlTest {
  protected:
    // Runs `body` against a fresh string document and returns its text.
    template <class Body>
    static std::string inString(Body body) {
        EXPECT_EQ(XML_CREATEXMLSTRING(), 0);
        body();
        return XML_CLOSEXMLSTRING();
    }
};

TEST_F(Writer, ExportFileComesOutByteForByte) {
    olmix::RecordQueue q;
    q.addText("LQ1:DIVISIONNAME");
    q.addText("LQ1:INACTIVEDIVISION");
    q.setText(1, "Senior");
    q.setText(2, "NO");
    q.add();

    const std::string file = path("export.xml");
    ASSERT_EQ(XML_CREATEXMLFILE(file, "", "", 1), 0);
    XML_CREATEPARENT("Data");
    XML_ADDPARENT();
    XML_ADDFROMQUEUE(q, "Row", 0, 1, 1);
    XML_CLOSEPARENT();
    XML_CLOSEXMLFILE();

    std::string text = readFile(file);
    std::smatch banner;
    ASSERT_TRUE(std::regex_search(text, banner,
                                  std::regex("^<!-- Olmix XML document written "
                                             "\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d -->\r\n")));
    EXPECT_EQ(text.substr(banner.length()),
              " <Data>\r\n"
              "  <Row>\r\n"
              "  <divisionname>Senior</divisionname>\r\n"
              "  <inactivedivision>NO</inactivedivision>\r\n"
              "  </Row>\r\n"
              " </Data>\r\n");
}

TEST_F(Writer, DeclarationOnlyWithVersionOrEncoding) {
    EXPECT_EQ(inString([] {}), "");
    EXPECT_EQ(inString([] {}), "");
    ASSERT_EQ(XML_CREATEXMLSTRING("1.0"), 0);
    EXPECT_EQ(XML_CLOSEXMLSTRING(), "<?xml version=\"1.0\"?>");
    ASSERT_EQ(XML_CREATEXMLSTRING("", "UTF-8"), 0);
    EXPECT_EQ(XML_CLOSEXMLSTRING(), "<?xml encoding=\"UTF-8\"?>");
    ASSERT_EQ(XML_CREATEXMLSTRING("1.0  ", "UTF-8"), 0);
    EXPECT_EQ(XML_CLOSEXMLSTRING(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
}

TEST_F(Writer, ValuesAreEscapedOnceAndClipped) {
    std::string text = inString([] {
        XML_ADDELEMENT("a", "Fish & <Chips>   ");
        XML_ADDELEMENT("b", "1 < 2");
        XML_ADDELEMENT("c", "it's \"&amp;\"");
        XML_ADDELEMENT("d", "");
    });
    EXPECT_EQ(text,
              "<a>Fish &amp; &lt;Chips&gt;</a>\r\n"
              "<b>1 &lt; 2</b>\r\n"
              "<c>it&apos;s &quot;&amp;amp;&quot;</c>\r\n"
              "<d></d>");
}

TEST_F(Writer, LongValuesAreNotCut) {
    std::string value(5000, '&');
    std::string text = inString([&] { XML_ADDELEMENT("v", value); });
    EXPECT_EQ(text.size(), 3u + 5000u * 5u + 4u);
}

TEST_F(Writer, ParentsIndentByDepthAndCloseAllClosesInnermostFirst) {
    std::string text = inString([] {
        XML_CREATEPARENT("a");
        XML_ADDPARENT();
        XML_CREATEPARENT("b");
        XML_ADDPARENT();
        XML_ADDCOMMENT("note  ");
        XML_CREATEPARENT("c");
        XML_ADDPARENT();
        XML_ADDELEMENT("leaf", "x");
    });
    EXPECT_EQ(text, " <a>\r\n  <b>\r\n  <!--note-->\r\n   <c>\r\n   <leaf>x</leaf>");

    ASSERT_EQ(XML_CREATEXMLSTRING(), 0);
    for (const char* name : {"a", "b", "c"}) {
        XML_CREATEPARENT(name);
        XML_ADDPARENT();
    }
    EXPECT_EQ(XML_CLOSEXMLSTRING(1), " <a>\r\n  <b>\r\n   <c>\r\n   </c>\r\n  </b>\r\n </a>");
}

TEST_F(Writer, CloseAtOnceWritesOneTagAndLeavesTheParent) {
    std::string text = inString([] {
        XML_CREATEPARENT("Root");
        XML_ADDPARENT();
        XML_CREATEPARENT("Row");
        XML_CREATEATTRIBUTE("id", "7");
        XML_CREATEATTRIBUTE("name", "A&B  ");
        XML_ADDPARENT(1);
        XML_CREATEPARENT("Note");
        XML_ADDPARENT(1, "a<b");
        XML_ADDELEMENT("after", "1");
        XML_CLOSEPARENT();
        // Nothing is left to close; a further close writes nothing.
        XML_CLOSEPARENT();
        XML_ADDPARENT();
    });
    EXPECT_EQ(text,
              " <Root>\r\n"
              "  <Row id=\"7\" name=\"A&amp;B\"/>\r\n"
              "  <Note>a&lt;b</Note>\r\n"
              " <after>1</after>\r\n"
              " </Root>");
}

TEST_F(Writer, TimestampAttributeCarriesTheUtcOffset) {
    std::string text = inString([] {
        XML_CREATEPARENT("Run");
        XML_CREATEATTRIBUTE("at", "*ISO8601GMT");
        XML_ADDPARENT(1);
    });
    EXPECT_TRUE(std::regex_match(
        text, std::regex(" <Run at=\"\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d{4}\"/>")))
        << text;
}

TEST_F(Writer, PrefixAppliesToElementsNotAttributes) {
    std::string text = inString([] {
        XML_SETELEMENTPREFIX("q  ");
        XML_CREATEPARENT("Data");
        XML_CREATEATTRIBUTE("id", "1");
        XML_ADDPARENT();
        XML_ADDELEMENT("v", "2");
        XML_CLOSEPARENT();
        XML_SETELEMENTPREFIX(" ");
        XML_ADDELEMENT("w", "3");
    });
    EXPECT_EQ(text, " <q:Data id=\"1\">\r\n <q:v>2</q:v>\r\n </q:Data>\r\n<w>3</w>");
}

TEST_F(Writer, RawSectionsAreUnescaped) {
    EXPECT_EQ(inString([] { XML_ADDELEMENT("s", "<b>&</b>", 1); }), "<s><![CDATA[<b>&</b>]]></s>");

    const std::string file = path("raw.xml");
    ASSERT_EQ(XML_CREATEXMLFILE(file), 0);
    XML_CREATEPARENT("d");
    XML_ADDPARENT();
    XML_ADDELEMENT("s", "<b>&</b>", 1);
    XML_CLOSEXMLFILE(1);
    EXPECT_EQ(readFile(file), " <d>\r\n <s>\r\n<![CDATA[\r\n<b>&</b>\r\n]]>\r\n </s>\r\n </d>\r\n");
}

TEST_F(Writer, StringTextJoinsTheDocumentOrMakesAFileLine) {
    std::string text = inString([] {
        XML_ADDELEMENT("a", "1");
        XML_ADDSTRINGTEXT("  <x>&</x>");
        XML_ADDSTRINGTEXT("&", 1);
        XML_ADDELEMENT("b", "2");
    });
    EXPECT_EQ(text, "<a>1</a>  <x>&</x>&amp;\r\n<b>2</b>");

    const std::string file = path("text.xml");
    ASSERT_EQ(XML_CREATEXMLFILE(file), 0);
    XML_ADDSTRINGTEXT("<raw/>   ");
    XML_ADDSTRINGTEXT("a<b", 1);
    XML_CLOSEXMLFILE();
    EXPECT_EQ(readFile(file), "<raw/>\r\na&lt;b\r\n");
}

TEST_F(Writer, OneDocumentAtATimePerThread) {
    ASSERT_EQ(XML_CREATEXMLSTRING(), 0);
    EXPECT_EQ(XML_CREATEXMLSTRING(), 5);
    EXPECT_EQ(XML_CREATEXMLFILE(path("x.xml")), 5);
    XML_CLOSEXMLSTRING();

    // A failed create keeps the writer busy until it is closed.
    EXPECT_EQ(XML_CREATEXMLFILE(path("missing/dir/x.xml"), "1.0"), 3);
    EXPECT_EQ(XML_CREATEXMLFILE(path("y.xml")), 5);
    XML_ADDELEMENT("lost", "1");
    XML_CLOSEXMLFILE();
    EXPECT_EQ(XML_CREATEXMLFILE(path("y.xml")), 0);
    XML_CLOSEXMLFILE();
    EXPECT_EQ(XML_CREATEXMLFILE(dir_.string()), 5);  // a folder cannot be opened for writing
    XML_CLOSEXMLFILE();
}

TEST_F(Writer, EachThreadWritesItsOwnDocument) {
    ASSERT_EQ(XML_CREATEXMLSTRING(), 0);
    XML_ADDELEMENT("main", "1");
    std::string other;
    std::thread worker([&] {
        EXPECT_EQ(XML_CREATEXMLSTRING(), 0);
        XML_ADDELEMENT("worker", "2");
        other = XML_CLOSEXMLSTRING();
    });
    worker.join();
    EXPECT_EQ(XML_CLOSEXMLSTRING(), "<main>1</main>");
    EXPECT_EQ(other, "<worker>2</worker>");
}

TEST_F(Writer, ErrorTexts) {
    EXPECT_EQ(XML_GETERROR(2), "File not found.");
    EXPECT_EQ(XML_GETERROR(5), "Access Denied.");
    EXPECT_EQ(XML_GETERROR(45), "Invalid File Name.");
    EXPECT_EQ(XML_GETERROR(1007), "Cannot restore state. State never saved.");
    EXPECT_EQ(XML_GETERROR(1054), "Missing end of CDATA tag in XML file.");
    EXPECT_EQ(XML_GETERROR(999), "");
    XML_LOADFROMSTRING("<a>", 0, 1);
    XML_GOTOTOP();
    EXPECT_EQ(XML_GOTOCHILD(), 1003);
    EXPECT_EQ(XML_GETERROR(), "Not on any record.");
    EXPECT_EQ(XML_GETERROR(0), "Not on any record.");
}

}  // namespace
