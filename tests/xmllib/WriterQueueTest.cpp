// Writing records: field plans, groups, arrays, attribute mode.

#include "XmlTestSupport.h"

namespace {

class WriterQueue : public XmlTest {
  protected:
    static std::string write(const olmix::RecordQueue& q, std::uint8_t attributeMode,
                             std::uint8_t selfClose, std::uint8_t lowerCase) {
        EXPECT_EQ(XML_CREATEXMLSTRING(), 0);
        XML_CREATEPARENT("Data");
        XML_ADDPARENT();
        XML_ADDFROMQUEUE(q, "Row", attributeMode, selfClose, lowerCase);
        return XML_CLOSEXMLSTRING(1);
    }
};

TEST_F(WriterQueue, EmptyQueueWritesNothingAndBlankValuesGiveEmptyElements) {
    olmix::RecordQueue q;
    q.addText("LQ2:SEASONDESC");
    q.addInteger("LQ2:ID");
    q.addDecimal("LQ2:POINTS", 2);
    EXPECT_EQ(write(q, 0, 1, 1), " <Data>\r\n </Data>");

    q.setText(1, "   ");
    q.setInteger(2, -3);
    q.setText(3, "5");
    q.add();
    EXPECT_EQ(write(q, 0, 1, 1),
              " <Data>\r\n  <Row>\r\n  <seasondesc></seasondesc>\r\n  <id>-3</id>\r\n"
              "  <points>5.00</points>\r\n  </Row>\r\n </Data>");
    EXPECT_NE(write(q, 0, 1, 0).find("<SEASONDESC></SEASONDESC>"), std::string::npos);
}

TEST_F(WriterQueue, GroupsNestAndArraysRepeatTheirGroup) {
    olmix::RecordQueue q;
    q.addText("T:NAME");
    q.beginGroup("T:Catch");
    q.addText("T:Species", 3);
    q.addDecimal("T:Weight", 3, 3);
    q.endGroup();
    q.addText("T:Note");
    q.setText(1, "Ann");
    q.setText(3, "Snapper", 1);  // the group has field number 2
    q.setText(4, "1.5", 1);
    q.setText(3, "Kahawai", 2);
    q.add();
    EXPECT_EQ(write(q, 0, 0, 0),
              " <Data>\r\n"
              "  <Row>\r\n"
              "  <NAME>Ann</NAME>\r\n"
              "   <Catch>\r\n"
              "   <Species>Snapper</Species>\r\n"
              "   <Weight>1.500</Weight>\r\n"
              "   </Catch>\r\n"
              "   <Catch>\r\n"
              "   <Species>Kahawai</Species>\r\n"
              "   <Weight>0.000</Weight>\r\n"
              "   </Catch>\r\n"
              "   <Catch>\r\n"
              "   <Weight>0.000</Weight>\r\n"
              "   </Catch>\r\n"
              "  <Note></Note>\r\n"
              "  </Row>\r\n"
              " </Data>");
}

TEST_F(WriterQueue, ArraysOutsideGroupsAndEmptyGroupsStayInPlace) {
    olmix::RecordQueue q;
    q.addText("T:Tag", 3);
    q.beginGroup("T:Empty");
    q.endGroup();
    q.addText("T:After");
    q.setText(1, "a", 1);
    q.setText(1, "b", 2);
    q.setText(3, "z");
    q.add();
    EXPECT_EQ(
        write(q, 0, 0, 0),
        " <Data>\r\n  <Row>\r\n  <Tag>a</Tag>\r\n  <Tag>b</Tag>\r\n   <Empty>\r\n   </Empty>\r\n"
        "  <After>z</After>\r\n  </Row>\r\n </Data>");
}

TEST_F(WriterQueue, AttributeModeAndSelfClose) {
    olmix::RecordQueue q;
    q.addInteger("A:ID");
    q.addText("A:NAME");
    q.setInteger(1, 7);
    q.setText(2, "O'Neil");
    q.add();
    EXPECT_EQ(write(q, 1, 1, 1), " <Data>\r\n  <Row id=\"7\" name=\"O&apos;Neil\"/>\r\n </Data>");
    EXPECT_EQ(write(q, 1, 0, 1),
              " <Data>\r\n  <Row id=\"7\" name=\"O&apos;Neil\">\r\n  </Row>\r\n </Data>");

    // A group opens the row; fields after it are elements.
    olmix::RecordQueue g;
    g.addInteger("A:ID");
    g.beginGroup("A:Detail");
    g.addText("A:Code");
    g.endGroup();
    g.addText("A:Tail");
    g.setInteger(1, 1);
    g.setText(3, "X");
    g.setText(4, "t");
    g.add();
    EXPECT_EQ(write(g, 1, 1, 0),
              " <Data>\r\n  <Row ID=\"1\">\r\n   <Detail>\r\n   <Code>X</Code>\r\n   </Detail>\r\n"
              "  <Tail>t</Tail>\r\n  </Row>\r\n </Data>");
}

TEST_F(WriterQueue, RecordOfOneGroupKeepsTheLabelsCase) {
    olmix::Record r;
    r.addText("P:Name");
    r.addDecimal("P:Weight", 3);
    r.setText(1, "Ben & Co");
    r.setText(2, "2.25");
    ASSERT_EQ(XML_CREATEXMLSTRING(), 0);
    XML_ADDFROMGROUP(r, "Angler");
    XML_ADDFROMGROUP(r, "Angler", 1, 1);
    EXPECT_EQ(XML_CLOSEXMLSTRING(),
              " <Angler>\r\n <Name>Ben &amp; Co</Name>\r\n <Weight>2.250</Weight>\r\n </Angler>\r\n"
              " <Angler Name=\"Ben &amp; Co\" Weight=\"2.250\"/>");
}

TEST_F(WriterQueue, ManyFieldsAreAllWritten) {
    olmix::RecordQueue q;
    for (int i = 1; i <= 300; ++i) q.addInteger("F:F" + std::to_string(i));
    q.setInteger(300, 300);
    q.add();
    EXPECT_NE(write(q, 0, 0, 1).find("<f300>300</f300>"), std::string::npos);
}

}  // namespace
