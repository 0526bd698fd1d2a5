#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/session/Login.h"
#include "core/session/Startup.h"
#include "tests/core/session/AppFixture.h"

using namespace qv;
using namespace qv::data;
using qv::testing::WorkstationTest;

namespace {

std::string only(const session::StartupResult& r) {
    return r.messages.size() == 1 ? r.messages[0].text : "(" + std::to_string(r.messages.size()) + " messages)";
}

void setClientVersion(Store& store, const std::string& v) {
    FileUse use(store, "ClientVersion");
    ClientVersion clv;
    ASSERT_TRUE(fetchRecordNumber(store, clv, 2).isOk());
    clv.VersionNumberServer = v;
    ASSERT_TRUE(updateRecord(store, clv).isOk());
}

void setDataVersion(Store& store, const std::string& v) {
    FileUse use(store, "DataVersion");
    DataVersion dav;
    ASSERT_TRUE(fetchRecordNumber(store, dav, 2).isOk());
    dav.VersionNumberClient = v;
    ASSERT_TRUE(updateRecord(store, dav).isOk());
}

}  // namespace

// ---------------------------------------------------------------- start-up

TEST_F(WorkstationTest, StartsCleanOnAFreshWorkstation) {
    session::Globals g;
    g.TripId = 7;
    auto r = session::runStartup(folder(), g);
    EXPECT_TRUE(r.goOn);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(g.TripId, 0) << "globals are cleared at start";
    EXPECT_EQ(r.clubDatabase, folder() + "/DATA/QUILLAVON.DB");
    EXPECT_EQ(r.exportFile, folder() + "/DATA/EXPORT.CSV");
}

TEST_F(WorkstationTest, MissingSettingsRecordStopsBeforeAnythingElse) {
    {
        auto store = openStore();
        FileUse use(*store, "System");
        Record sys = store->newRecord("System");
        ASSERT_TRUE(store->fetchByRecno(sys, 2).isOk());
        ASSERT_TRUE(store->remove(sys).isOk());
    }
    auto r = session::runStartup(folder());
    EXPECT_FALSE(r.goOn);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].title, "Quillavon");
    EXPECT_EQ(r.messages[0].text,
              "System Settings not found (Record not found (1)). System exiting. You should "
              "reinstall the client application.");
}

TEST(Startup, AFolderThatIsNoWorkstationStops) {
    auto r = session::runStartup("/nonexistent/quillavon/start");
    EXPECT_FALSE(r.goOn);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text.rfind("System Settings not found (", 0), 0u);
}

TEST_F(WorkstationTest, MissingDataFolderFallsBackForThisRunOnly) {
    editSettings([](System& s) { s.DataFileLocation = "/nonexistent/club/"; });
    auto r = session::runStartup(folder());
    EXPECT_TRUE(r.goOn);
    EXPECT_EQ(only(r),
              "System Data File Location not found (No such file or directory (2)). Using default "
              "location.");
    EXPECT_EQ(r.dataFolder, folder() + "/DATA/");
    EXPECT_EQ(r.clubDatabase, folder() + "/DATA/QUILLAVON.DB");
    auto store = openStore();
    System stored;
    ASSERT_TRUE(readSystem(*store, stored).isOk());
    EXPECT_EQ(stored.DataFileLocation, "/nonexistent/club/") << "the stored setting is unchanged";
}

TEST_F(WorkstationTest, DataFolderWithoutSeparatorIsJoinedAsTyped) {
    std::filesystem::create_directories(folder() + "/club");
    editSettings([&](System& s) { s.DataFileLocation = folder() + "/club"; });
    auto r = session::runStartup(folder());
    // A new club database there has no version record: reported, then on.
    EXPECT_EQ(r.clubDatabase, folder() + "/clubQUILLAVON.DB");
    EXPECT_TRUE(r.goOn);
    EXPECT_EQ(only(r), std::string("Incorrect Version Number reported (Expected  - Reported ") +
                           programVersion() + "). System will exit,");
}

TEST_F(WorkstationTest, VersionCheckComparesClippedExactText) {
    {
        auto store = openStore();
        setClientVersion(*store, "1.2  ");
        setDataVersion(*store, "1.2");
    }
    EXPECT_TRUE(session::runStartup(folder()).messages.empty()) << "trailing blanks do not count";
    {
        auto store = openStore();
        setDataVersion(*store, "1.20");
    }
    auto r = session::runStartup(folder());
    EXPECT_FALSE(r.goOn);
    EXPECT_EQ(only(r), "Incorrect Version Number reported (Expected 1.2 - Reported 1.20). System will exit,");
}

// ---------------------------------------------------------------- login

class Login : public WorkstationTest {
protected:
    session::LoginResult login(const std::string& id, const std::string& password) {
        g = session::Globals();
        g.UserId = id;
        g.UserPassword = password;
        auto store = openStore();
        return session::checkLogin(*store, g);
    }
    session::Globals g;
};

TEST_F(Login, KnownUserGetsNameAndLevel) {
    addUser("scorer", "fish42", "Scorer", "Sam Scorer");
    auto r = login("scorer", "fish42");
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(g.UserName.str(), "Sam Scorer");
    EXPECT_EQ(g.SecurityLevel.str(), "Scorer");
    EXPECT_TRUE(r.refreshGrades);
}

TEST_F(Login, RefusalsNameTheRightReason) {
    addUser("admin", "secret", "Administrator");
    addUser("!early", "secret", "Administrator");

    auto wrong = login("admin", "Secret");
    EXPECT_FALSE(wrong.accepted);
    EXPECT_EQ(wrong.refusal->text, "Password incorrect. Access denied.");

    auto otherCase = login("ADMIN", "secret");
    EXPECT_FALSE(otherCase.accepted);
    EXPECT_EQ(otherCase.refusal->text, "Unauthorised Access!");

    // Ids sorting before "0" are never reached by the walk.
    auto early = login("!early", "secret");
    EXPECT_FALSE(early.accepted);
    EXPECT_EQ(early.refusal->text, "Unauthorised Access!");
    EXPECT_TRUE(g.SecurityLevel.empty());
}

TEST_F(Login, BuiltInAccountWorksWithEmptyUsersFile) {
    auto r = login(QUILLAVON_TEST_BUILTIN_ID, QUILLAVON_TEST_BUILTIN_PASSWORD "  ");
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(g.UserName.str(), "System Test User");
    EXPECT_EQ(g.SecurityLevel.str(), "Developer");
    EXPECT_FALSE(r.refreshGrades);
    EXPECT_FALSE(login(QUILLAVON_TEST_BUILTIN_ID, "abc124").accepted);
}

TEST_F(Login, PasswordsAreStoredOnlyAsHashes) {
    addUser("keeper", "PlainTextPassword9", "Administrator");
    std::ifstream in(folder() + "/DATA/QUILLAVON.DB", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.find("PlainTextPassword9"), std::string::npos);
    EXPECT_NE(bytes.find("$argon2id$"), std::string::npos);

    auto store = openStore();
    FileUse use(*store, "Users");
    Users u;
    u.UserId = "keeper";
    ASSERT_TRUE(fetchRecord(*store, u, "byUserId").isOk());
    EXPECT_TRUE(u.UserPassword.empty()) << "the field never gives the password back";
}

TEST_F(Login, ChangedPasswordReplacesTheOldOne) {
    addUser("member", "old-one", "Member");
    ASSERT_TRUE(login("member", "old-one").accepted);
    {
        auto store = openStore();
        g.NewPassword = "new-one";
        ASSERT_TRUE(session::changePassword(*store, g).isOk());
    }
    EXPECT_EQ(g.UserPassword.str(), "new-one");
    EXPECT_TRUE(g.NewPassword.empty());
    EXPECT_TRUE(login("member", "new-one").accepted);
    EXPECT_EQ(login("member", "old-one").refusal->text, "Password incorrect. Access denied.");

    // A level change elsewhere keeps the stored password.
    {
        auto store = openStore();
        FileUse use(*store, "AccessLevels");
        AccessLevels acc;
        acc.SecurityLevel = "Member";
        ASSERT_TRUE(fetchRecord(*store, acc, "bySecurityLevel").isOk());
        acc.SecurityLevel = "Club Member";
        ASSERT_TRUE(updateRecord(*store, acc).isOk());
    }
    EXPECT_TRUE(login("member", "new-one").accepted);
    EXPECT_EQ(g.SecurityLevel.str(), "Club Member");
}

TEST_F(Login, BuiltInAccountChangesOnlyTheRememberedPassword) {
    ASSERT_TRUE(login(QUILLAVON_TEST_BUILTIN_ID, QUILLAVON_TEST_BUILTIN_PASSWORD).accepted);
    auto store = openStore();
    g.NewPassword = "xyz789";
    ASSERT_TRUE(session::changePassword(*store, g).isOk());
    EXPECT_EQ(g.UserPassword.str(), "xyz789");
    g.NewPassword = "";
    EXPECT_FALSE(session::changePassword(*store, g).isOk()) << "a blank password is refused";
}
