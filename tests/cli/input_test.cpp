// What the command line takes in and prints: checked as strictly as the
// windows, one record a line, and every usage error with its usage line.

#include "tests/cli/CliRunner.h"

using namespace qvcli;

namespace {

using Input = DemoWorkstation;

size_t lines(const std::string& s) { return static_cast<size_t>(std::count(s.begin(), s.end(), '\n')); }

TEST_F(Input, ValuesTheWindowsWouldNotTakeAreRefusedAndNothingIsStored) {
    const size_t before = lines(as("admin", "list Division").out);
    struct Case {
        std::string args;
        std::string says;
    } cases[] = {
        {"DivisionName=" + std::string(101, 'a'), "DivisionName takes at most 100 bytes (101 given)"},
        {"'DivisionName=\xff\xfe'", "DivisionName takes only UTF-8 text"},
        {"DivisionName=Ok InactiveFlag=X", "InactiveFlag must be one of Y, N"},
        {"DivisionId=-3 DivisionName=Ok", "DivisionId must be 1 or more"},
        {"DivisionId=0 DivisionName=Ok", "DivisionId must be 1 or more"},
        {"Foo=1", "Division has no field Foo"},  // not a numbering failure
    };
    for (const Case& c : cases) {
        Outcome r = as("admin", "add Division " + c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
    }
    EXPECT_EQ(as("admin", "add Season SeasonId=2030 Measurement=Q").exitCode, 2);
    EXPECT_EQ(as("admin", "change System Rounding=7").exitCode, 2);
    EXPECT_EQ(lines(as("admin", "list Division").out), before);
}

TEST_F(Input, AnIdAtTheTopDoesNotStopNumbering) {
    ASSERT_EQ(as("admin", "add Division DivisionId=2147483647 DivisionName=Top").exitCode, 0);
    Outcome next = as("admin", "add Division DivisionName=Next");
    ASSERT_EQ(next.exitCode, 0) << next.err;
    EXPECT_EQ(next.out.rfind("DivisionId=3 ", 0), 0u) << next.out;
}

TEST_F(Input, ARecordIsAlwaysOneLineAndReadsBackThroughAdd) {
    // The forged line as first found: a name carrying a line break and a fake record.
    Outcome added = as("admin", "add Division 'DivisionName=\"Bay\\nDivisionId=99 DivisionName=Forged\\x1b[2J \\\\ \\\"q\\\"\"'");
    ASSERT_EQ(added.exitCode, 0) << added.err;
    Outcome listed = as("admin", "list Division");
    ASSERT_EQ(lines(listed.out), 3u) << listed.out;
    EXPECT_EQ(listed.out.find('\x1b'), std::string::npos);
    EXPECT_NE(listed.out.find("DivisionName=\"Bay\\nDivisionId=99 DivisionName=Forged\\x1b[2J \\\\ \\\"q\\\"\""),
              std::string::npos)
        << listed.out;

    // Deleted and read back from the listing, the records come back the same.
    const std::string third = listed.out.substr(listed.out.find("DivisionId=3"));
    ASSERT_EQ(as("admin", "delete Division DivisionId=3").exitCode, 0);
    Outcome back = as("admin", "add Division -", third);
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(as("admin", "list Division").out, listed.out);
}

TEST_F(Input, EveryUsageErrorPrintsItsUsageLine) {
    const char* wrong[] = {"list",          "list Nowhere",      "list Division --key byNothing",
                           "add Division x", "change Division",  "delete Division DivisionName=A",
                           "login extra",   "passwd extra",      "recalc",
                           "grade --member x --division 1 --season 1", "winners",
                           "standings --division 1", "score-member", "useradd Password=x"};
    for (const char* args : wrong) {
        Outcome r = as("admin", args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("usage: quillavon-cli"), std::string::npos) << args << ": " << r.err;
    }
    for (const char* args : {"start extra", "init --bogus"}) {
        Outcome r = cli("", args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("usage: quillavon-cli"), std::string::npos) << args << ": " << r.err;
    }
}

}  // namespace
