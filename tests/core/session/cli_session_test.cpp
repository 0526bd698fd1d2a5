// The command line as a user meets it: start-up, login, password changes and
// the scoring commands on the demo club.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int exitCode = -1;
    std::string output;
};

class CliSession : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::random_device rd;
        folder_ = fs::temp_directory_path() / ("quillavon-cli-" + std::to_string(rd()));
        fs::create_directories(folder_);
        ASSERT_EQ(run("", "init --demo").exitCode, 0);
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    // Runs the test build of quillavon-cli on the demo workstation.
    static CliRun run(const std::string& env, const std::string& args) {
        std::string cmd = env + " '" + std::string(QUILLAVON_CLI) + "' -C '" + folder_.string() + "' " +
                          args + " 2>&1 </dev/null";
        CliRun r;
        FILE* p = ::popen(cmd.c_str(), "r");
        char buf[4096];
        for (size_t n; p && (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.output.append(buf, n);
        int status = p ? ::pclose(p) : -1;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return r;
    }
    static fs::path folder_;
};

fs::path CliSession::folder_;

TEST_F(CliSession, StartAndLoginSpeakAsTheProgramDoes) {
    EXPECT_EQ(run("", "start").exitCode, 0);
    CliRun ok = run("QUILLAVON_PASSWORD=member1", "login --user member");
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_NE(ok.output.find("Level: Member"), std::string::npos) << ok.output;
    CliRun wrong = run("QUILLAVON_PASSWORD=nope", "login --user member");
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_EQ(wrong.output, "Quillavon: Password incorrect. Access denied.\n");
    CliRun built = run("QUILLAVON_PASSWORD=" QUILLAVON_TEST_BUILTIN_PASSWORD, "login --user " QUILLAVON_TEST_BUILTIN_ID);
    EXPECT_NE(built.output.find("System Test User"), std::string::npos) << built.output;
    // No password anywhere in what the program prints.
    EXPECT_EQ(run("QUILLAVON_PASSWORD=admin1", "list Users --user admin").output.find("$argon2"), std::string::npos);
}

TEST_F(CliSession, PasswordChangeTakesEffect) {
    ASSERT_EQ(run("QUILLAVON_PASSWORD=developer1 QUILLAVON_NEW_PASSWORD=fresh9", "passwd --user developer").exitCode, 0);
    EXPECT_EQ(run("QUILLAVON_PASSWORD=fresh9", "login --user developer").exitCode, 0);
    EXPECT_EQ(run("QUILLAVON_PASSWORD=developer1", "login --user developer").exitCode, 1);
}

TEST_F(CliSession, ScoringCommandsOnTheDemoClub) {
    CliRun refused = run("QUILLAVON_PASSWORD=admin1", "recalc --season 2026 --user admin");
    EXPECT_EQ(refused.exitCode, 1) << refused.output;
    CliRun recalc = run("QUILLAVON_PASSWORD=scorer1", "recalc --season 2026 --user scorer");
    EXPECT_EQ(recalc.exitCode, 0) << recalc.output;
    EXPECT_NE(recalc.output.find(", 0 rewritten"), std::string::npos) << "the demo is up to date: " << recalc.output;
    CliRun winners = run("QUILLAVON_PASSWORD=member1", "winners --trip 1 --user member");
    EXPECT_EQ(winners.exitCode, 0) << winners.output;
    EXPECT_FALSE(winners.output.empty());
    CliRun standings = run("QUILLAVON_PASSWORD=member1", "standings --division 1 --season 2026 --user member");
    EXPECT_EQ(standings.exitCode, 0) << standings.output;
    CliRun score = run("QUILLAVON_PASSWORD=scorer1", "score-member --trip-member 1 --user scorer");
    EXPECT_EQ(score.exitCode, 0) << score.output;
    // The working behind the points, for any user, agreeing with what is stored.
    CliRun explained = run("QUILLAVON_PASSWORD=member1", "explain --trip-member 1 --user member");
    EXPECT_EQ(explained.exitCode, 0) << explained.output;
    EXPECT_NE(explained.output.find("Progress points"), std::string::npos) << explained.output;
    EXPECT_EQ(explained.output.find("holds"), std::string::npos) << explained.output;
}

}  // namespace
