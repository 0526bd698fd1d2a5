// Two stations on one data folder, the use counts of open files, and the
// single-record files of the workstation.

#include <sqlite3.h>

#include "core/data/SystemSettings.h"
#include "tests/core/data/TestWorkstation.h"

using namespace qvtest;

namespace {

class Stations : public WorkstationTest {
  protected:
    void SetUp() override {
        WorkstationTest::SetUp();
        other = otherStation();
        theirs = mine = add(*store, Division{.DivisionName = "Original"});
    }
    std::string storedName() {
        auto all = walkAll<Division>(*store);
        return all.size() == 1 ? all[0].DivisionName : "(" + std::to_string(all.size()) + ")";
    }
    static void expectChangedElsewhere(const Status& s) {
        ASSERT_TRUE(s.isFailed()) << describe(s);
        EXPECT_EQ(s.message().number, 7);
        EXPECT_EQ(s.message().title, "Record Was Not Updated");
        EXPECT_EQ(s.message().text, "This record was changed by another station.");
    }
    std::unique_ptr<Store> other;
    Division mine, theirs;  // the same record as each station read it
};

// A workstation whose store has no file open yet.
class UseCounts : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(initWorkstation(folder.str()).isOk());
        ASSERT_TRUE(openWorkstation(folder.str(), store, &sys).isOk());
    }
    TempFolder folder;
    std::unique_ptr<Store> store;
    System sys;
};

class SingleRecord : public UseCounts {};

}  // namespace

TEST_F(Stations, RecordChangedElsewhereIsNotOverwritten) {
    theirs.DivisionName = "Theirs";
    ASSERT_TRUE(updateRecord(*other, theirs).isOk());
    mine.DivisionName = "Mine";
    expectChangedElsewhere(updateRecord(*store, mine));
    expectChangedElsewhere(removeRecord(*store, mine));
    EXPECT_EQ(storedName(), "Theirs");

    // Read again, the change goes through, also a second time from the buffer
    // handed back; the other station's copy is now the stale one.
    ASSERT_TRUE(fetchRecord(*store, mine, "byDivisionId").isOk());
    mine.DivisionName = "Mine";
    ASSERT_TRUE(updateRecord(*store, mine).isOk());
    ASSERT_TRUE(updateRecord(*store, mine).isOk());
    expectChangedElsewhere(updateRecord(*other, theirs));
    EXPECT_EQ(storedName(), "Mine");
}

TEST_F(Stations, RecordDeletedElsewhereIsNotWrittenBack) {
    ASSERT_TRUE(removeRecord(*other, theirs).isOk());
    mine.DivisionName = "Mine";
    expectChangedElsewhere(updateRecord(*store, mine));
    EXPECT_EQ(countOf<Division>(*store), 0u);
    // A new record under the same number is another record all the same.
    Division replacement = add(*other, Division{.DivisionName = "Replacement"});
    ASSERT_EQ(replacement.DivisionId, mine.DivisionId);
    expectChangedElsewhere(updateRecord(*store, mine));
    expectChangedElsewhere(removeRecord(*store, mine));
    EXPECT_EQ(storedName(), "Replacement");
}

TEST_F(UseCounts, FilesStayOpenUntilTheirLastUserCloses) {
    Record d = store->newRecord("Division");
    Status s = store->primeForInsert(d);
    EXPECT_EQ(s.message().number, 42);
    EXPECT_EQ(s.message().text, "Attempt to use file (Division) before it was opened");
    EXPECT_EQ(store->insert(d).message().number, 42);

    ASSERT_TRUE(store->open("Division").isOk());
    ASSERT_TRUE(store->open("Division").isOk());
    store->close("Division");
    EXPECT_TRUE(store->insert(d).isOk());
    store->close("Division");
    store->close("Division");  // one close too many changes nothing
    EXPECT_EQ(store->useCount("Division"), 0);
    EXPECT_EQ(store->remove(d).message().number, 42);

    // Opening trips opens the files related to them, and closing closes them.
    ASSERT_TRUE(store->open("Trips").isOk());
    for (const char* related : {"Division", "Season", "TripMember", "TripTrophy", "Teams"})
        EXPECT_GE(store->useCount(related), 1) << related;
    store->close("Trips");
    for (const char* related : {"Trips", "Division", "Season", "TripMember", "Teams"})
        EXPECT_EQ(store->useCount(related), 0) << related;
}

TEST_F(SingleRecord, WorkstationRecordsSitAtRecordNumberTwo) {
    EXPECT_EQ(sys.stamp.recno, 2);
    EXPECT_EQ(sys.DataFileLocation, "DATA/") << "kept relative to the start folder";
    EXPECT_EQ(store->paths().clubDb, (folder.path() / "DATA/QUILLAVON.DB").string());
    FileUse use(*store, "System"), clv(*store, "ClientVersion");
    Record r = store->newRecord("System");
    EXPECT_TRUE(store->fetchByRecno(r, 1).isNotFound());
    ClientVersion server;
    ASSERT_TRUE(fetchRecordNumber(*store, server, 2).isOk());
    EXPECT_EQ(server.VersionNumberServer, programVersion());
    System second = defaultSystem("/elsewhere/");  // no second record over the one there is
    EXPECT_TRUE(insertRecord(*store, second).isFailed());
    EXPECT_EQ(countOf<System>(*store), 1u);
    EXPECT_NE(initWorkstation(folder.str()).message().text.find("is a workstation already"),
              std::string::npos);
}

TEST_F(SingleRecord, SettingsRoundTrip) {
    // Every field away from its default: texts at their full widths,
    // decimals at their limits, switches flipped.
    Record fill = toRecord(*store, sys);
    for (size_t i = 0; i < fill.size(); ++i) {
        const FieldDef& f = fill.def().fields[i];
        if (f.kind == FieldKind::Text)
            fill[i].text = std::string(f.width - 1, char('a' + i)) + "\xC3\xA9";  // é does not fit
        else if (f.kind == FieldKind::Decimal)
            fill[i].num = i % 2 ? 9999999 : -1;
        else
            fill[i].num = !fill[i].num;
    }
    sys.fromRecord(fill);
    sys.HandicapFollowOn = qv::Decimal::parse("2.345").value();  // kept at two places
    ASSERT_TRUE(writeSystem(*store, sys).isOk());

    Store fresh(store->paths());
    System back;
    ASSERT_TRUE(readSystem(fresh, back).isOk());
    EXPECT_EQ(back.FtpHostName, std::string(254, char('a' + 14)));
    EXPECT_EQ(back.HandicapFollowOn.toString(), "2.35");
    Record expected = toRecord(fresh, sys), actual = toRecord(fresh, back);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << expected.def().fields[i].name;
}

TEST_F(SingleRecord, DatabaseOfANewerProgramIsRefused) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(store->paths().clubDb.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version=999", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    Status s = store->open("Members");
    ASSERT_TRUE(s.isFailed());
    EXPECT_EQ(s.message().number, 26);
    EXPECT_TRUE(s.message().text.starts_with("File Members could not be opened.  Error: "));
    EXPECT_NE(s.message().text.find("newer version"), std::string::npos);
    EXPECT_EQ(store->useCount("Members"), 0);
}
