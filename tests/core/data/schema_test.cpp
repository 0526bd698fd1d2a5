// Only the making of a workstation creates databases; an older database of
// ours is brought up to date, anything else is refused untouched.

#include <sqlite3.h>

#include "core/data/NamedSettings.h"
#include "core/data/Schema.h"
#include "tests/core/data/TestWorkstation.h"

using namespace qvtest;

namespace {

void exec(const std::string& db, const std::string& text) {
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &h), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(h, text.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(h);
    sqlite3_close(h);
}

class Schema : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(initWorkstation(folder.str()).isOk()); }
    std::string club() const { return folder.str() + "/DATA/QUILLAVON.DB"; }
    Status openClub() {
        std::unique_ptr<Store> store;
        if (Status s = openWorkstation(folder.str(), store); !s) return s;
        FileUse use(*store, "Division");
        return use.status();
    }
    TempFolder folder;
};

TEST_F(Schema, AnOlderDatabaseOfOursIsUpgradedInSteps) {
    // What the first version of the program made: no table of wrong passwords.
    exec(club(), "DROP TABLE \"_LoginFailures\"; PRAGMA user_version = 1");
    ASSERT_TRUE(openClub().isOk()) << describe(openClub());
    qv::sql::Database db;
    ASSERT_TRUE(db.open(club(), nullptr));
    EXPECT_EQ(db.userVersion(), currentSchemaVersion());
    db.exec("SELECT count(*) FROM \"_LoginFailures\"");
}

TEST_F(Schema, AWorkstationOfVersionThreeGetsItsOwnSettingsTable) {
    const std::string station = folder.str() + "/DATA/WORKSTATION.DB";
    exec(station, "DROP TABLE \"_StationSettings\"; PRAGMA user_version = 3");
    std::unique_ptr<Store> store;
    ASSERT_TRUE(openWorkstation(folder.str(), store).isOk());
    ASSERT_TRUE(writeSetting(*store, Location::Workstation, "MailPort", "587").isOk());
    ASSERT_TRUE(writeSetting(*store, Location::Workstation, "MailPort", "465").isOk());
    std::string port, club;
    ASSERT_TRUE(readSetting(*store, Location::Workstation, "MailPort", port).isOk());
    EXPECT_EQ(port, "465");
    ASSERT_TRUE(readSetting(*store, Location::Club, "MailPort", club).isOk());
    EXPECT_EQ(club, "") << "a workstation's setting is not the club's";
}

TEST_F(Schema, AnUpgradeThatLeavesADamagedDatabaseIsUndone) {
    exec(club(), "DROP TABLE \"_LoginFailures\"; DROP TABLE Grade; PRAGMA user_version = 1");
    Status s = openClub();
    ASSERT_TRUE(s.isFailed());
    EXPECT_NE(s.message().text.find("the table Grade is missing"), std::string::npos) << describe(s);
    qv::sql::Database db;
    ASSERT_TRUE(db.open(club(), nullptr));
    EXPECT_EQ(db.userVersion(), 1) << "the upgrade is rolled back with the refusal";
}

TEST_F(Schema, ANewerOrVersionlessDatabaseIsRefused) {
    exec(club(), "PRAGMA user_version = 99");
    EXPECT_NE(openClub().message().text.find("newer version of the program"), std::string::npos);
    exec(club(), "PRAGMA user_version = 0");
    EXPECT_NE(openClub().message().text.find("carries no schema version of ours"), std::string::npos);
}

TEST_F(Schema, AColumnMissingIsNamed) {
    exec(club(), "ALTER TABLE Members DROP COLUMN Email");
    EXPECT_NE(openClub().message().text.find("the column Members.Email is missing"), std::string::npos);
}

}  // namespace
