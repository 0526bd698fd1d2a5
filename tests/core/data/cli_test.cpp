// The command-line program, run as a separate process on a scratch folder.

#include <sys/wait.h>

#include <cstdio>

#include "tests/core/data/TestWorkstation.h"

using namespace qvtest;

namespace {

struct CliRun {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

CliRun cli(const TempFolder& folder, const std::string& args) {
    // init asks for the club's first Administrator; it is given here.
    std::string cmd =
        "QUILLAVON_ADMIN_ID=admin QUILLAVON_ADMIN_NAME=Admin QUILLAVON_PASSWORD=pw '" +
        std::string(QUILLAVON_CLI) + "' -C '" + folder.str() + "' " + args + " 2>&1 </dev/null";
    CliRun r;
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.output.append(buf, n);
    int status = ::pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

class Cli : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(cli(folder, "init").exitCode, 0); }
    TempFolder folder;
};

}  // namespace

TEST_F(Cli, InitRefusesAnExistingWorkstation) {
    CliRun again = cli(folder, "init");
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.output.find("is a workstation already"), std::string::npos) << again.output;
    EXPECT_EQ(cli(folder, "list AccessLevels --user admin").output,
              "SecurityLevel=Administrator\nSecurityLevel=Developer\nSecurityLevel=Member\n"
              "SecurityLevel=Scorer\n");
}

TEST_F(Cli, RecordsAreAddedListedChangedAndDeleted) {
    CliRun added =
        cli(folder, "add Season SeasonId=2008 'SeasonDesc=2008-2009' CurrentSeasonFlag=Y --user admin");
    ASSERT_EQ(added.exitCode, 0) << added.output;
    EXPECT_EQ(added.output,
              "SeasonId=2008 SeasonDesc=2008-2009 CurrentSeasonFlag=Y Measurement=M Handicap=P "
              "ScoringApplies=N\n");
    ASSERT_EQ(cli(folder, "add Season SeasonId=2009 CurrentSeasonFlag=N --user admin").exitCode, 0);
    CliRun dup = cli(folder, "add Season 'SeasonId=2008 ' --user admin");
    EXPECT_EQ(dup.exitCode, 1);
    EXPECT_EQ(dup.output,
              "Duplicate Key Error: Adding this record creates a duplicate entry for the key: "
              "bySeasonId\n");
    EXPECT_EQ(
        cli(folder, "list Season --key byCurrentSeason --reverse --user admin").output.find("SeasonId=2009"),
        0u);

    CliRun changed = cli(folder, "change Season SeasonId=2009 'SeasonDesc=Next one' --user admin");
    ASSERT_EQ(changed.exitCode, 0) << changed.output;
    EXPECT_NE(changed.output.find("SeasonDesc=\"Next one\""), std::string::npos);

    ASSERT_EQ(cli(folder, "add Members FullName=Ann --user admin").exitCode, 0);
    ASSERT_EQ(cli(folder, "add TripMember TripId=1 MemberId=1 --user admin").exitCode, 0);
    CliRun refused = cli(folder, "delete Members MemberId=1 --user admin");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.output,
              "Referential Integrity Delete Error: This record is referenced from the file "
              "TripMember. This record cannot be deleted while these references exist.\n");
    EXPECT_EQ(cli(folder, "delete Season SeasonId=2009 --user admin").exitCode, 0);
    EXPECT_EQ(cli(folder, "list Season --user admin").output.find("SeasonId=2009"), std::string::npos);
    EXPECT_EQ(cli(folder, "delete Season SeasonId=2009 --user admin").exitCode, 1);
}
