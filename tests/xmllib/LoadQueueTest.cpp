// Loading nodes into record queues, with the loading options.

#include "XmlTestSupport.h"

namespace {

class LoadQueue : public XmlTest {
  protected:
    // Loads `text` and moves down `levels` children from the top.
    static void at(const std::string& text, int levels) {
        ASSERT_EQ(XML_LOADFROMSTRING(text), 0);
        XML_GOTOTOP();
        for (int i = 0; i < levels; ++i) ASSERT_EQ(XML_GOTOCHILD(), 0);
    }

    // Every record of `q` as "v1|v2|...".
    static std::vector<std::string> rows(olmix::RecordQueue& q) {
        std::vector<std::string> out;
        for (std::size_t i = 1; q.get(i); ++i) {
            std::string row;
            for (std::size_t n = 1; n <= q.fieldCount(); ++n) {
                if (q.isGroup(n)) continue;
                for (std::uint32_t e = 1; e <= q.dimension(n); ++e) row += "|" + q.text(n, e);
            }
            out.push_back(row.substr(1));
        }
        return out;
    }
    using Rows = std::vector<std::string>;
};

TEST_F(LoadQueue, RecordEndLoadsEveryRecordOfTheName) {
    olmix::RecordQueue q;
    q.addText("Q:A");
    q.addInteger("Q:B");
    at("<Data><Row><a>1</a><b>2</b></Row><Row><a>3</a></Row></Data>", 2);
    EXPECT_EQ(XML_LOADQUEUE(q, 0, 1), 2);
    EXPECT_EQ(rows(q), (Rows{"1|2", "3|0"}));

    // Without the flag only the current record; earlier records stay.
    XML_GOTOTOP();
    XML_GOTOCHILD();
    XML_GOTOCHILD();
    EXPECT_EQ(XML_LOADQUEUE(q), 3);
    EXPECT_EQ(rows(q), (Rows{"1|2", "3|0", "1|2"}));
}

TEST_F(LoadQueue, RepeatedFieldsStartNewRecordsOrFillArrays) {
    olmix::RecordQueue plain;
    plain.addText("Q:A");
    at("<d><a>1</a><a>2</a><a>3</a></d>", 1);
    XML_LOADQUEUE(plain);
    EXPECT_EQ(rows(plain), (Rows{"1", "2", "3"}));

    olmix::RecordQueue array;
    array.addText("Q:A", 2);
    XML_GOTOTOP();
    XML_GOTOCHILD();
    XML_LOADQUEUE(array);
    EXPECT_EQ(rows(array), (Rows{"1|2", "3|"}));
}

TEST_F(LoadQueue, CountIsReturnedAsAByte) {
    std::string text = "<Data>";
    for (int i = 0; i < 300; ++i) text += "<Row><n>" + std::to_string(i) + "</n></Row>";
    text += "</Data>";
    olmix::RecordQueue q;
    q.addInteger("Q:N");
    at(text, 2);
    EXPECT_EQ(XML_LOADQUEUE(q, 0, 1), 44);
    EXPECT_EQ(q.records(), 300u);
    ASSERT_TRUE(q.get(300));
    EXPECT_EQ(q.integer(1), 299);
}

TEST_F(LoadQueue, PrimaryFieldsAndKeysCascade) {
    const std::string text =
        "<Data><Order><id>1</id><Line><item>a</item></Line><Line><item>b</item></Line></Order>"
        "<Order><id>2</id><Line><item>c</item></Line></Order></Data>";
    olmix::RecordQueue q;
    q.addText("Q:TRIP");
    q.addInteger("Q:ID");
    q.addText("Q:ITEM");
    XML_PRIMARYFIELDCASCADE("T9", "TRIP");
    at(text, 2);
    XML_LOADQUEUE(q, 1, 1);
    EXPECT_EQ(rows(q), (Rows{"T9|1|a", "T9|0|b", "T9|2|c"}));

    q.freeRecords();
    XML_PRIMARYKEYCASCADE("id", "unknown");
    XML_PRIMARYFIELDCLEAR();
    XML_GOTOTOP();
    XML_GOTOCHILD();
    XML_GOTOCHILD();
    XML_LOADQUEUE(q, 1, 1);
    EXPECT_EQ(rows(q), (Rows{"|1|a", "|1|b", "|2|c"}));

    q.freeRecords();
    XML_PRIMARYKEYCLEAR();
    XML_GOTOTOP();
    XML_GOTOCHILD();
    XML_GOTOCHILD();
    XML_LOADQUEUE(q, 1, 1);
    EXPECT_EQ(rows(q), (Rows{"|1|a", "|0|b", "|2|c"}));
}

TEST_F(LoadQueue, RequiredAttributeFieldsAndPictures) {
    olmix::RecordQueue q;
    q.addText("Q:CODE");
    q.addText("Q:N");
    XML_ATTRIBUTEFIELDSET("Code", 1, "@N03");
    at("<Data><Row code=\"5\"><n>x</n></Row><Row><n>y</n></Row><Row code=\" \"><n>z</n></Row>"
       "<Row code=\"-2.6\"><n>w</n></Row></Data>",
       2);
    XML_LOADQUEUE(q, 0, 1);
    EXPECT_EQ(rows(q), (Rows{"005|x", "-03|w"}));

    // Setting again with the flag omitted keeps it; clearing the field lets every record in.
    XML_ATTRIBUTEFIELDSET("code", std::nullopt, "@S1");
    q.freeRecords();
    XML_GOTOTOP();
    XML_GOTOCHILD();
    XML_GOTOCHILD();
    XML_LOADQUEUE(q, 0, 1);
    EXPECT_EQ(rows(q), (Rows{"5|x", "-|w"}));
    XML_ATTRIBUTEFIELDCLEAR("CODE");
    q.freeRecords();
    XML_GOTOTOP();
    XML_GOTOCHILD();
    XML_GOTOCHILD();
    XML_LOADQUEUE(q, 0, 1);
    EXPECT_EQ(rows(q).size(), 4u);
}

TEST_F(LoadQueue, QualifyFieldsTakeTheirParentsNames) {
    olmix::RecordQueue q;
    q.addText("Q:HOMENAME");
    q.addText("Q:AWAYNAME");
    q.addText("Q:ROWAWAYNAME");
    const std::string text =
        "<Data><Row><Home><Name>A</Name></Home><Away><Name>B</Name></Away></Row></Data>";
    XML_QUALIFYFIELDSET("NAME");
    at(text, 2);
    XML_LOADQUEUE(q, 1);
    EXPECT_EQ(rows(q), (Rows{"A|B|"}));

    q.freeRecords();
    XML_QUALIFYFIELDSET("name", 1);
    XML_GOTOTOP();
    XML_GOTOCHILD();
    XML_GOTOCHILD();
    XML_LOADQUEUE(q, 1);
    EXPECT_EQ(rows(q), (Rows{"||B"}));

    q.freeRecords();
    XML_QUALIFYFIELDCLEAR();
    XML_GOTOTOP();
    XML_GOTOCHILD();
    XML_GOTOCHILD();
    EXPECT_EQ(XML_LOADQUEUE(q, 1), 0);
}

TEST_F(LoadQueue, PrefixesAreMatchedWhenKept) {
    olmix::RecordQueue q;
    q.addText("Q:A");
    at("<Data><Row><q:a>1</q:a></Row></Data>", 2);
    EXPECT_EQ(XML_LOADQUEUE(q), 0);
    XML_GOTOTOP();
    XML_GOTOCHILD();
    XML_GOTOCHILD();
    EXPECT_EQ(XML_LOADQUEUE(q, 0, 0, 1), 1);
}

TEST_F(LoadQueue, AutomaticRootReturnsThePosition) {
    olmix::RecordQueue q;
    q.addText("Q:A");
    at("<Data><Row><a>1</a><b>2</b></Row><Row><a>3</a></Row></Data>", 2);
    XML_AUTOROOTSET();
    XML_LOADQUEUE(q, 0, 1);
    EXPECT_EQ(XML_GETPOINTER(), 1);
    EXPECT_EQ(XML_GOTOSIBLING(), 0);

    XML_AUTOROOTCLEAR();
    XML_GOTOTOP();
    XML_GOTOCHILD();
    XML_GOTOCHILD();
    XML_LOADQUEUE(q, 0, 1);
    EXPECT_EQ(XML_GETPOINTER(), 5);
}

TEST_F(LoadQueue, FreeDropsEveryOption) {
    olmix::RecordQueue q;
    q.addText("Q:X");
    q.addText("Q:A");
    XML_PRIMARYFIELDCASCADE("p", "x");
    XML_ATTRIBUTEFIELDSET("x", 1);
    XML_FREE();
    at("<d><a>1</a></d>", 1);
    XML_LOADQUEUE(q);
    EXPECT_EQ(rows(q), (Rows{"|1"}));
}

}  // namespace
