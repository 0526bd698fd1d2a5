// Wrong passwords: five are free, then each try waits, doubling to a minute;
// the count is kept with the club's data and a success clears it.

#include "core/session/Gate.h"
#include "core/session/Login.h"
#include "tests/core/session/AppFixture.h"

namespace {

using namespace qv;

class Lockout : public qv::testing::WorkstationTest {
protected:
    void SetUp() override {
        WorkstationTest::SetUp();
        addUser("ann", "right1", "Scorer");
    }
    session::LoginResult at(int64_t now, const std::string& id, const std::string& password) {
        session::Globals g;
        g.UserId = id;
        g.UserPassword = password;
        auto store = openStore();
        return session::checkLogin(*store, g, now);
    }
    static std::string text(const session::LoginResult& r) { return r.refusal ? r.refusal->text : "accepted"; }
};

TEST(LoginWait, FiveAreFreeThenItDoublesToAMinute) {
    const int64_t expected[] = {0, 0, 0, 0, 0, 2, 4, 8, 16, 32, 60, 60, 60, 60};
    for (int n = 0; n < 14; ++n) EXPECT_EQ(session::loginWait(n), expected[n]) << n;
    EXPECT_EQ(session::loginWait(1000), 60);
}

TEST_F(Lockout, ATryBeforeTheWaitIsOverIsRefusedUnchecked) {
    const int64_t t = 1'000'000;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(text(at(t, "ann", "wrong")), session::kWrongPassword);
    EXPECT_EQ(text(at(t + 1, "ann", "right1")), "Too many wrong passwords for this user id. Try again in 1 second.");
    // A refused try is not counted: the wait does not grow while it runs.
    EXPECT_EQ(text(at(t + 1, "ann", "wrong")), "Too many wrong passwords for this user id. Try again in 1 second.");
    EXPECT_EQ(text(at(t + 2, "ann", "wrong")), session::kWrongPassword);
    EXPECT_EQ(text(at(t + 5, "ann", "right1")), "Too many wrong passwords for this user id. Try again in 1 second.");
    EXPECT_TRUE(at(t + 6, "ann", "right1").accepted);
    // Cleared: the next wrong password is the first again.
    EXPECT_EQ(text(at(t + 6, "ann", "wrong")), session::kWrongPassword);
    EXPECT_TRUE(at(t + 6, "ann", "right1").accepted);
    // Failures dated far ahead by a station whose clock is wrong hold the id no
    // longer than their wait from when they are first seen.
    for (int i = 0; i < 5; ++i) at(t + 100000, "ann", "wrong");
    EXPECT_EQ(text(at(t + 7, "ann", "right1")), "Too many wrong passwords for this user id. Try again in 2 seconds.");
    EXPECT_TRUE(at(t + 9, "ann", "right1").accepted);
}

TEST_F(Lockout, UnknownIdsAreCountedAndIdsKeepTheirCase) {
    const int64_t t = 2'000'000;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(text(at(t, "bob", "x")), session::kUnauthorised);
    EXPECT_NE(text(at(t, "bob", "x")).find("Too many"), std::string::npos);
    EXPECT_NE(text(at(t, "bob", "x")).find("Try again in 2 seconds"), std::string::npos);
    for (int i = 0; i < 5; ++i) at(t, "ANN", "right1");
    EXPECT_TRUE(at(t, "ann", "right1").accepted) << "another id's failures do not lock ann";
}

TEST_F(Lockout, TheGateChecksTheLevelAfterTheLogin) {
    auto store = openStore();
    session::Globals g;
    EXPECT_FALSE(session::enter(*store, session::Access::Staff, "ann", "right1", g));
    auto refused = session::enter(*store, session::Access::Admins, "ann", "right1", g);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text, "This needs the security level Developer or Administrator; you are logged in as Scorer.");
    EXPECT_EQ(session::enter(*store, session::Access::AnyUser, "ann", "wrong", g)->text, session::kWrongPassword);
}

}  // namespace
