// grading: a member's grade history and the grade each season comes to.

#include "tests/cli/CliRunner.h"

using namespace qvcli;

namespace {

using Grading = DemoWorkstation;

// The value of `name=` in a line `list` or `add` printed.
std::string field(const std::string& line, const std::string& name) {
    const auto at = line.find(name + "=");
    if (at == std::string::npos) return {};
    const auto from = at + name.size() + 1;
    return line.substr(from, line.find(' ', from) - from);
}

TEST_F(Grading, EachSeasonShowsTheGradeItsGradingGives) {
    const Outcome member = as("admin", "add Members FirstName=Gus LastName=Grader LadiesFlag=N VeteranFlag=N "
                                       "InactiveFlag=N");
    ASSERT_EQ(member.exitCode, 0) << member.err;
    const std::string id = field(member.out, "MemberId");
    for (const std::string row : {"GradeId=1 StartSeasonId=2024 EndSeasonId=2024", "GradeId=2 StartSeasonId=2025"})
        ASSERT_EQ(as("admin", "add GradeHistory MemberId=" + id + " DivisionId=1 " + row).exitCode, 0);

    const Outcome out = as("member", "grading --member " + id);
    ASSERT_EQ(out.exitCode, 0) << out.err;
    const auto at = [&](const std::string& line) { return out.out.find(line + "\n"); };
    EXPECT_EQ(out.out.rfind("Member " + id + " Grader, Gus\nDivision 1 ", 0), 0u) << out.out;
    EXPECT_NE(at("  grading 2024 to 2024: 1 A Grade"), std::string::npos) << out.out;
    EXPECT_NE(at("  grading 2025 to (current): 2 B Grade"), std::string::npos) << out.out;
    ASSERT_NE(at("  season 2024: 1 A Grade"), std::string::npos) << out.out;
    ASSERT_NE(at("  season 2026: 2 B Grade"), std::string::npos) << out.out;
    EXPECT_LT(at("  season 2024: 1 A Grade"), at("  season 2025: 2 B Grade"));
    EXPECT_LT(at("  season 2025: 2 B Grade"), at("  season 2026: 2 B Grade"));
    EXPECT_EQ(out.out.find("Division 2"), std::string::npos) << "no grading in division 2";
}

TEST_F(Grading, AMissingMemberIsRefusedAndABadIdIsAUsageError) {
    const Outcome missing = as("member", "grading --member 9999");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Quillavon: There is no member 9999.\n");
    for (const char* args : {"grading --member 0", "grading --member x1", "grading", "grading --member 1 extra"})
        EXPECT_EQ(as("member", args).exitCode, 2) << args;
    EXPECT_EQ(cli("", "grading --member 1").exitCode, 2) << "needs a login";
}

}  // namespace
