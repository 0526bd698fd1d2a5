// Grades by division and season, veteran class, display names, the
// sub-grade standings and the member-grade cache.

#include <set>

#include "core/scoring/Grades.h"
#include "core/scoring/Standings.h"
#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {
namespace {

class Grades : public ClubTest {
protected:
    int32_t gradeOf(int32_t m, int32_t d, const char* season) {
        int32_t g = -1;
        EXPECT_TRUE(GradeFor(*store, m, d, season, g).isOk());
        return g;
    }
};

TEST_F(Grades, HistoryBoundariesAndOverlaps) {
    int32_t d = division(), other = division();
    int32_t a = grade("A"), b = grade("B");
    int32_t m = member();
    history(m, d, a, "2004", "2006");
    history(m, d, b, "2007");
    history(m, other, a, "2000");
    EXPECT_EQ(gradeOf(m, d, "2003"), 0);
    EXPECT_EQ(gradeOf(m, d, "2004"), a);
    EXPECT_EQ(gradeOf(m, d, "2006"), a);
    EXPECT_EQ(gradeOf(m, d, "2007"), b);
    EXPECT_EQ(gradeOf(m, d, "2010"), b);
    EXPECT_EQ(gradeOf(m, d, "2006 "), a);  // trailing blanks do not count
    EXPECT_EQ(gradeOf(m, other, "2010"), a);
    EXPECT_EQ(gradeOf(member(), d, "2010"), 0);

    // Overlapping rows from old data: the latest start season wins while it lasts.
    int32_t n = member();
    history(n, d, a, "2004");
    history(n, d, b, "2006", "2008");
    EXPECT_EQ(gradeOf(n, d, "2005"), a);
    EXPECT_EQ(gradeOf(n, d, "2007"), b);
    EXPECT_EQ(gradeOf(n, d, "2009"), a);
}

TEST_F(Grades, VeteransAndDisplayNames) {
    Members vet;
    vet.FirstName = "Ann";
    vet.LastName = "Smith";
    vet.LadiesFlag = "Y";
    vet.VeteranFlag = "Y";
    vet.VeteranStartSeason = "2008";
    EXPECT_EQ(VeteranFor(vet, "2007"), "N");
    EXPECT_EQ(VeteranFor(vet, "2008"), "Y");
    EXPECT_EQ(VeteranFor(vet, "2010"), "Y");
    vet.VeteranStartSeason = "";
    EXPECT_EQ(VeteranFor(vet, "1990"), "Y");
    // The display name does not look at the start season.
    vet.VeteranStartSeason = "2030";
    EXPECT_EQ(MemberDisplayName(vet), "Ann Smith (L) (V)");

    int32_t id = member("Bob", "Jones");
    std::string name;
    ASSERT_TRUE(MemberDisplayName(*store, id, name).isOk());
    EXPECT_EQ(name, "Bob Jones");
    ASSERT_TRUE(MemberDisplayName(*store, 999, name).isOk());
    EXPECT_EQ(name, "");
}

TEST_F(Grades, StandingCodesByClassSettings) {
    System s;
    Members lady;
    lady.LadiesFlag = "Y";
    s.ReportLadiesAsGrade = 1;
    s.ReportLadiesAsSubGrade = 1;
    EXPECT_EQ(standingCodes(s, lady, "3", "2008"), (std::vector<std::string>{"3", "L", "~L3"}));
    Members man;
    s.NonLadiesFlag = 1;
    EXPECT_EQ(standingCodes(s, man, "3", "2008"), (std::vector<std::string>{"3", "M", "~M3"}));

    System v;
    v.NonVeteranFlag = 1;
    v.ReportVeteranAsGrade = 1;
    v.ReportVeteranAsSubGrade = 1;
    Members vet;
    vet.VeteranFlag = "Y";
    vet.VeteranStartSeason = "2008";
    EXPECT_EQ(standingCodes(v, vet, "2", "2007"), (std::vector<std::string>{"2", "N", "~N2"}));
    EXPECT_EQ(standingCodes(v, vet, "2", "2008"), (std::vector<std::string>{"2", "V", "~V2"}));
    v.NonVeteranFlag = 0;
    EXPECT_EQ(standingCodes(v, vet, "2", "2007"), (std::vector<std::string>{"2"}));

    // Codes are cut to 20 characters.
    EXPECT_EQ(standingCodes(s, lady, std::string(19, '9'), "2008")[2], "~L" + std::string(18, '9'));
}

TEST_F(Grades, StandingsPlaceThreePositionsWithTies) {
    std::vector<StandingCandidate> c;
    for (const char* p : {"70", "80", "75", "70", "80"}) c.push_back({"1", static_cast<int32_t>(c.size() + 1), dec(p)});
    c.push_back({"2", 9, dec("10")});
    std::vector<SubGradeStanding> st = placeCandidates(c);
    std::vector<std::pair<int16_t, Decimal>> got;
    for (const auto& s : st) got.emplace_back(s.Position, s.ProgressPoints);
    std::vector<std::pair<int16_t, Decimal>> want{
        {1, dec("80")}, {1, dec("80")}, {2, dec("75")}, {3, dec("70")}, {1, dec("10")}};
    EXPECT_EQ(got, want);
}

TEST_F(Grades, StandingsFromTheSeasonsTrips) {
    editSettings([](System& s) {
        s = System();
        s.ReportLadiesAsGrade = 1;
        s.ReportLadiesAsSubGrade = 1;
    });
    int32_t d = division();
    season("2008");
    season("2009");
    int32_t g = grade("A");
    int32_t lady = member("Ann", "Smith", "Y");
    std::vector<int32_t> men;
    for (int i = 0; i < 4; ++i) men.push_back(member("Man", "X"));
    for (int32_t m : men) history(m, d, g, "2008");
    history(lady, d, g, "2008");
    int32_t t1 = trip(d, "2008"), t2 = trip(d, "2008"), t3 = trip(d, "2009");
    auto progress = [&](int32_t t, int32_t m, const char* p) {
        TripMember tm = angler(t, m, "0");
        tm.ProgressPoints = dec(p);
        ASSERT_TRUE(updateRecord(*store, tm).isOk());
    };
    progress(t1, lady, "90");
    progress(t2, lady, "80");  // her best counts, not her last
    progress(t1, men[0], "80");
    progress(t1, men[1], "75");
    progress(t2, men[2], "70");
    progress(t2, men[3], "70");
    progress(t3, men[3], "500");  // another season
    angler(t1, 0, "99", 0, 0, nonMember(t1, g));

    ASSERT_TRUE(BuildSubGradeStandings(*ctx, d, "2008").isOk());
    std::vector<std::tuple<std::string, int16_t, int32_t>> got;
    for (const auto& s : ctx->subGradeStandings) got.emplace_back(s.GradeId, s.Position, s.MemberId);
    const std::string a = std::to_string(g);
    std::vector<std::tuple<std::string, int16_t, int32_t>> want{
        {a, 1, lady}, {a, 2, men[0]}, {a, 3, men[1]}, {"L", 1, lady}, {"~L" + a, 1, lady}};
    EXPECT_EQ(got, want);
}

TEST_F(Grades, MemberGradeCacheUsesTheCurrentSeason) {
    season("2005", "W", "P", "Y");
    season("2006", "W", "P", "Y");
    season("2007", "W", "P", "N");
    int32_t d = division();
    Division off;
    off.DivisionName = "Closed";
    off.InactiveFlag = "Y";
    int32_t closed = put(off).DivisionId;
    int32_t a = grade("A"), b = grade("B");
    int32_t m1 = member(), m2 = member(), ungraded = member();
    Members gone;
    gone.FirstName = "Gone";
    gone.InactiveFlag = "Y";
    int32_t inactive = put(gone).MemberId;
    history(m1, d, a, "2005", "2005");
    history(m1, d, b, "2006");
    history(m2, d, a, "2007");
    history(m2, closed, a, "2000");
    history(inactive, d, a, "2000");
    history(ungraded, d, a, "2000", "2001");
    ASSERT_TRUE(BuildMemberGradeCache(*ctx).isOk());
    EXPECT_EQ(globals.SeasonId.str(), "2006");
    ASSERT_EQ(ctx->memberGradeCache.size(), 1u);
    EXPECT_EQ(ctx->memberGradeCache[0].MemberId, m1);
    EXPECT_EQ(ctx->memberGradeCache[0].GradeId, b);
    EXPECT_EQ(ctx->memberGradeCache[0].DivisionId, d);
}

}  // namespace
}  // namespace qvtest
