// Loading documents into the node list, from strings and files.

#include "XmlTestSupport.h"

namespace {

using Nodes = std::vector<std::string>;

class ReaderLoad : public XmlTest {};

TEST_F(ReaderLoad, NodesStandInOrderOfCompletion) {
    ASSERT_EQ(XML_LOADFROMSTRING("<Data><Row><a>1</a><b>2</b></Row><Row><a>3</a></Row></Data>"), 0);
    EXPECT_EQ(nodes(), (Nodes{"Data/Row/a=1", "Data/Row/b=2", "Data/Row=", "Data/Row/a=3",
                              "Data/Row=", "Data="}));
    EXPECT_EQ(olmix::readerInfo().deepestLevel, 3u);
}

TEST_F(ReaderLoad, AttributesComeWithTheStartTag) {
    ASSERT_EQ(
        XML_LOADFROMSTRING("<Data><Row id='7' name = \"a&amp;b\" x=\"1>2\"><a>1</a></Row></Data>"),
        0);
    EXPECT_EQ(nodes(), (Nodes{"Data/Row/id=7", "Data/Row/name=a&b", "Data/Row/x=1>2",
                              "Data/Row/a=1", "Data/Row=", "Data="}));
}

TEST_F(ReaderLoad, SelfClosingTagsWithAndWithoutBlank) {
    ASSERT_EQ(XML_LOADFROMSTRING("<d>\r\n  <a />\r\n  <b/>\r\n  <c k=\"v\"/></d>"), 0);
    EXPECT_EQ(nodes(), (Nodes{"d/a=", "d/b=", "d/c/k=v", "d/c=", "d="}));
}

TEST_F(ReaderLoad, DeclarationsCommentsAndCdata) {
    ASSERT_EQ(XML_LOADFROMSTRING("<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY e \"x\">]>"
                                 "<d><!-- <a>1</a> --><s><![CDATA[<b>&amp;</b>]]></s>"
                                 "<t>x<![CDATA[&]]>y</t></d>"),
              0);
    EXPECT_EQ(nodes(), (Nodes{"d/s=<b>&amp;</b>", "d/t=x&y", "d="}));
}

TEST_F(ReaderLoad, EachEntityIsReadOnce) {
    ASSERT_EQ(XML_LOADFROMSTRING("<v>&amp;lt; &lt;&gt;&apos;&quot; &unknown; &#65; &</v>"), 0);
    EXPECT_EQ(nodes(), (Nodes{"v=&lt; <>'\" &unknown; &#65; &"}));
}

TEST_F(ReaderLoad, StrayAndMismatchedEndTagsAreIgnored) {
    ASSERT_EQ(XML_LOADFROMSTRING("</x><A><b>1</B></c></a>tail"), 0);
    EXPECT_EQ(nodes(), (Nodes{"A/b=1", "A="}));
}

TEST_F(ReaderLoad, AppendKeepsEarlierNodes) {
    ASSERT_EQ(XML_LOADFROMSTRING("<a>1</a>"), 0);
    ASSERT_EQ(XML_LOADFROMSTRING("<b>2</b>", 1), 0);
    EXPECT_EQ(nodes(), (Nodes{"a=1", "b=2"}));
    ASSERT_EQ(XML_LOADFROMSTRING("<c>3</c>"), 0);
    EXPECT_EQ(nodes(), (Nodes{"c=3"}));
}

TEST_F(ReaderLoad, UnfinishedConstructsEndWithTheirError) {
    struct Case {
        const char* text;
        const char* message;  // empty: no message
    } cases[] = {
        {"<d><a>1</a><b", "Invalid tag (missing End Bracket) located around position: 12||<b"},
        {"<d><?pi x", "No End ?> tag found after position: 4"},
        {"<d><!-- open", "No End-Comment tag found after position: 4"},
        {"<d><![CDATA[open", ""},
        {"<d><!DOCTYPE <x>",
         "Invalid tag (missing End Bracket) located around position: 4||<!DOCTYPE <x>"},
        {"<", "Invalid tag (missing End Bracket) located around position: 1||<"},
    };
    for (const Case& c : cases) {
        messages_.clear();
        EXPECT_EQ(XML_LOADFROMSTRING(c.text), 1000) << c.text;
        EXPECT_EQ(XML_GETERROR(), "Error Parsing Document.");
        if (*c.message) {
            ASSERT_EQ(messages_.size(), 1u) << c.text;
            EXPECT_EQ(messages_[0].first, "Error Occurred");
            EXPECT_EQ(messages_[0].second, c.message);
        } else {
            EXPECT_TRUE(messages_.empty()) << c.text;
        }
    }
    // Nodes read before the error stay; the quiet flag keeps the message back.
    messages_.clear();
    EXPECT_EQ(XML_LOADFROMSTRING("<d><a>1</a><!-- x", 0, 1), 1000);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(nodes(), (Nodes{"d/a=1"}));
}

TEST_F(ReaderLoad, FileLinesAreTrimmedAndJoined) {
    const std::string file = path("small.xml");
    writeFile(file, "<?xml version=\"1.0\"?>\r\n <d>\r\n  <a> x y </a>\r\n  <b>1\r\n2</b>\r\n</d>");
    ASSERT_EQ(XML_LOADFROMFILE(file), 0);
    EXPECT_EQ(nodes(), (Nodes{"d/a= x y ", "d/b=12", "d="}));
    EXPECT_EQ(olmix::readerInfo().lastFile, file);
}

TEST_F(ReaderLoad, FileLineEndsAreDetected) {
    for (const char* end : {"\r\n", "\r", "\n"}) {
        const std::string file = path("ends.xml");
        std::string text =
            std::string("<d>") + end + " <a>1</a>  " + end + "<b>2</b>" + end + "</d>";
        writeFile(file, text);
        ASSERT_EQ(XML_LOADFROMFILE(file), 0);
        EXPECT_EQ(nodes(), (Nodes{"d/a=1", "d/b=2", "d="}));
    }
}

TEST_F(ReaderLoad, LargeFilesLoadLikeTheirText) {
    // Long values and tags cross the chunk boundaries at many places.
    std::string text = "<Data>\r\n";
    std::string joined = "<Data>";
    for (int i = 0; i < 4000; ++i) {
        std::string row = "<Row id=\"" + std::to_string(i) + "\"><v>" + std::string(i % 97, 'x') +
                          "&amp;" + std::string(i % 13, 'y') + "</v><!-- c" + std::to_string(i) +
                          " --><w><![CDATA[" + std::string(i % 31, '<') + "]]></w></Row>";
        text += "  " + row + "\r\n";
        joined += row;
    }
    text += "</Data>\r\n";
    joined += "</Data>";
    const std::string file = path("large.xml");
    writeFile(file, text);
    ASSERT_GT(text.size(), 200000u);

    ASSERT_EQ(XML_LOADFROMSTRING(joined), 0);
    Nodes fromString = nodes();
    ASSERT_EQ(XML_LOADFROMFILE(file), 0);
    EXPECT_EQ(nodes(), fromString);
    EXPECT_EQ(fromString.size(), 4000u * 4u + 1u);
}

TEST_F(ReaderLoad, LargeFileWithAnUnfinishedTagFails) {
    const std::string file = path("broken.xml");
    std::string text = "<Data>\n";
    for (int i = 0; i < 5000; ++i) text += "<Row><a>" + std::to_string(i) + "</a></Row>\n";
    text += "<Row><a>1</a\n";
    writeFile(file, text);
    EXPECT_EQ(XML_LOADFROMFILE(file, 0, 1), 1000);
    EXPECT_EQ(olmix::readerInfo().nodes, 5000u * 2u);
}

TEST_F(ReaderLoad, FileErrors) {
    EXPECT_EQ(XML_LOADFROMFILE(path("none.xml")), 2);
    EXPECT_EQ(XML_GETERROR(), "File not found.");
    EXPECT_EQ(XML_LOADFROMFILE(path("no/none.xml")), 3);
    EXPECT_EQ(XML_LOADFROMFILE(dir_.string()), 5);
}

TEST_F(ReaderLoad, ProgressIsReportedForLargeInput) {
    std::vector<std::uint64_t> seen;
    std::string shown;
    olmix::setProgressHandler(
        [&](const std::string& text, std::uint64_t done, std::uint64_t total) {
            shown = text;
            seen.push_back(done);
            EXPECT_LE(done, total);
        });
    XML_SETPROGRESSWINDOW(100);
    XML_LOADFROMSTRING("<a>short</a>");
    EXPECT_TRUE(seen.empty());
    XML_LOADFROMSTRING("<a>" + std::string(200, 'x') + "</a>");
    EXPECT_EQ(shown, "Loading XML Data ...");
    EXPECT_EQ(seen, (std::vector<std::uint64_t>{0, 207}));
    olmix::setProgressHandler({});
}

}  // namespace
