// Moving through the node list, finding nodes and content, saved positions.

#include "XmlTestSupport.h"

namespace {

constexpr const char* kRows = "<Data><Row><a>1</a><b>2</b></Row><Row><a>3</a></Row></Data>";

class Navigation : public XmlTest {
  protected:
    void SetUp() override {
        XmlTest::SetUp();
        ASSERT_EQ(XML_LOADFROMSTRING(kRows), 0);
        XML_GOTOTOP();
    }
};

TEST_F(Navigation, ChildAndSiblingWalkTheRecords) {
    EXPECT_EQ(XML_GOTOCHILD(), 0);
    EXPECT_EQ(XML_GOTOCHILD(), 0);
    EXPECT_EQ(XML_GETPOINTER(), 1);
    EXPECT_EQ(XML_GOTOCHILD(), 1011);
    EXPECT_EQ(XML_GOTOSIBLING(), 0);
    EXPECT_EQ(XML_GETPOINTER(), 4);
    EXPECT_EQ(XML_GOTOSIBLING(), 1010);
    EXPECT_EQ(XML_GETERROR(), "Sibling Not Found.");
    EXPECT_EQ(XML_GETPOINTER(), 4);
}

TEST_F(Navigation, ParentReturnsToTheStartOfItsRun) {
    XML_GOTOCHILD();
    XML_GOTOCHILD();
    XML_GOTOSIBLING();
    EXPECT_EQ(XML_GOTOPARENT(), 0);
    EXPECT_EQ(XML_GETPOINTER(), 1);
    // The path is now Data again: the next child is the first Row.
    EXPECT_EQ(XML_GOTOCHILD(), 0);
    EXPECT_EQ(XML_GOTOPARENT(), 0);
    EXPECT_EQ(XML_GOTOPARENT(), 0);
    EXPECT_EQ(XML_GOTOPARENT(), 1012);
}

TEST_F(Navigation, WithoutACurrentNodeNothingMoves) {
    ASSERT_EQ(XML_SETPOINTER(0), 0);
    EXPECT_EQ(XML_GOTOCHILD(), 1003);
    EXPECT_EQ(XML_GOTOSIBLING(), 1003);
    EXPECT_EQ(XML_GOTOPARENT(), 1003);
    std::string value;
    olmix::RecordQueue names;
    names.addText("N:NAME");
    EXPECT_EQ(XML_READCURRENTRECORD(names, value), 1003);
    // An empty list has no top node either.
    XML_FREE();
    XML_GOTOTOP();
    EXPECT_EQ(XML_GETPOINTER(), 0);
    EXPECT_EQ(XML_READNEXTRECORD(names, value), 1003);
    EXPECT_EQ(XML_FINDNEXTNODE("a"), 1005);
}

TEST_F(Navigation, PointerAndRecordReads) {
    EXPECT_EQ(XML_SETPOINTER(7), 1001);
    EXPECT_EQ(XML_SETPOINTER(-1), 1006);
    ASSERT_EQ(XML_SETPOINTER(4), 0);
    EXPECT_EQ(current(), "Data/Row/a=3");

    olmix::RecordQueue names;
    names.addText("N:NAME");
    std::string value;
    EXPECT_EQ(XML_READNEXTRECORD(names, value), 0);
    EXPECT_EQ(names.records(), 2u);
    EXPECT_EQ(XML_READPREVIOUSRECORD(names, value), 0);
    EXPECT_EQ(value, "3");
    ASSERT_EQ(XML_SETPOINTER(6), 0);
    EXPECT_EQ(XML_READNEXTRECORD(names, value), 1001);
    EXPECT_EQ(XML_GETPOINTER(), 6);
    ASSERT_EQ(XML_SETPOINTER(1), 0);
    EXPECT_EQ(XML_READPREVIOUSRECORD(names, value), 1002);
    EXPECT_EQ(XML_GETPOINTER(), 1);

    olmix::RecordQueue noFields;
    EXPECT_EQ(XML_READCURRENTRECORD(noFields, value), 1006);
}

TEST_F(Navigation, FindNextNodeMatchesNamesAtAnyLevel) {
    EXPECT_EQ(XML_FINDNEXTNODE("ROW", "b"), 0);
    EXPECT_EQ(current(), "Data/Row/b=2");
    EXPECT_EQ(XML_FINDNEXTNODE("a"), 1005);  // the current path is now Data/Row/b

    XML_GOTOTOP();
    EXPECT_EQ(XML_FINDNEXTNODE("Row"), 0);
    EXPECT_EQ(XML_GETPOINTER(), 1);
    EXPECT_EQ(XML_FINDNEXTNODE("Row"), 0);  // the match on the starting node is skipped
    EXPECT_EQ(XML_GETPOINTER(), 2);

    XML_GOTOTOP();
    EXPECT_EQ(XML_FINDNEXTNODE("nothing"), 1005);
    EXPECT_EQ(XML_FINDNEXTNODE("Row", "nothing"), 1005);
    EXPECT_EQ(XML_FINDNEXTNODE(""), 1006);
    EXPECT_EQ(XML_GETPOINTER(), 1);
}

TEST_F(Navigation, FindNextContentContainsOrEquals) {
    ASSERT_EQ(XML_LOADFROMSTRING("<d><a>Hello World</a><b>hello</b><c>x</c></d>"), 0);
    auto fromStart = [] {
        XML_GOTOTOP();
        XML_SETPOINTER(0);
    };
    fromStart();
    EXPECT_EQ(XML_FINDNEXTCONTENT("world", 0, 0), 0);
    EXPECT_EQ(current(), "d/a=Hello World");
    fromStart();
    EXPECT_EQ(XML_FINDNEXTCONTENT("HELLO", 1, 0), 0);
    EXPECT_EQ(XML_GETPOINTER(), 2);
    fromStart();
    EXPECT_EQ(XML_FINDNEXTCONTENT("world", 0, 1), 1020);
    EXPECT_EQ(XML_FINDNEXTCONTENT("", 0, 0), 1006);
    EXPECT_EQ(XML_GETERROR(), "Invalid Parameters Specified.");
}

TEST_F(Navigation, SavedPositionsRestoreNodeAndPath) {
    EXPECT_EQ(XML_SAVESTATE(), 1);  // at the top, with an empty path
    XML_GOTOCHILD();
    XML_GOTOCHILD();
    EXPECT_EQ(XML_SAVESTATE(), 2);
    XML_GOTOSIBLING();
    EXPECT_EQ(XML_RESTORESTATE(2), 0);
    EXPECT_EQ(XML_GETPOINTER(), 1);
    EXPECT_EQ(XML_GOTOSIBLING(), 0);  // the path is Data/Row again
    EXPECT_EQ(XML_RESTORESTATE(1), 0);
    EXPECT_EQ(XML_GOTOCHILD(), 0);
    EXPECT_EQ(XML_GOTOCHILD(), 0);

    EXPECT_EQ(XML_RESTORESTATE(3), 1007);
    EXPECT_EQ(XML_RESTORESTATE(0), 1006);
    EXPECT_EQ(XML_RESTORESTATE(17), 1006);
    XML_FREESTATE(2);
    EXPECT_EQ(XML_RESTORESTATE(2), 1007);
    XML_FREESTATE(99);
    ASSERT_EQ(XML_SETPOINTER(6), 0);
    for (int slot = 2; slot <= 16; ++slot) EXPECT_EQ(XML_SAVESTATE(), slot);
    EXPECT_EQ(XML_SAVESTATE(), 0);

    // A saved node beyond a smaller list is not restored.
    ASSERT_EQ(XML_LOADFROMSTRING("<a/>"), 0);
    EXPECT_EQ(XML_RESTORESTATE(2), 1001);
}

}  // namespace
