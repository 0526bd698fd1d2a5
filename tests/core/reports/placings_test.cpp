// Season placings as the prize lists read them: the same places as the
// standings rules give, and the labels of their groups.

#include <algorithm>

#include "core/reports/Placings.h"
#include "core/scoring/Standings.h"
#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {
namespace {

using qv::reports::ClassStyle;

class Placings : public ClubTest {
protected:
    void SetUp() override {
        ClubTest::SetUp();
        div = division();
        season("2005");
        season("2006");
        gradeA = grade("A Grade");
        gradeB = grade("B Grade");
    }
    void fished(int32_t tripId, int32_t memberId, const char* progress) {
        TripMember tm;
        tm.TripId = tripId;
        tm.MemberId = memberId;
        tm.ProgressPoints = dec(progress);
        put(tm);
    }
    std::string label(const std::string& code, ClassStyle style) {
        qv::reports::NameBook names(*store);
        std::string out;
        EXPECT_TRUE(qv::reports::placingGroupLabel(names, code, style, out).isOk());
        return out;
    }
    int32_t div = 0, gradeA = 0, gradeB = 0;
};

TEST_F(Placings, TheSameAsTheStandingsForEverySeasonAsked) {
    editSettings([](System& s) {
        s.ReportLadiesAsGrade = s.ReportLadiesAsSubGrade = s.NonLadiesFlag = 1;
        s.ReportVeteranAsGrade = s.ReportVeteranAsSubGrade = s.NonVeteranFlag = 1;
    });
    const int32_t ann = member("Ann", "Smith", "Y"), bob = member("Bob", "Jones", "N", "Y", "2006"),
                  cy = member("Cy", "Brown"), di = member("Di", "Green", "Y", "Y", "2000"), ed = member("Ed", "Grey");
    for (int32_t m : {ann, bob, cy}) history(m, div, gradeA, "2005");
    history(di, div, gradeB, "2005");  // ed has no grade
    for (const char* season : {"2005", "2006"}) {
        const int32_t t1 = trip(div, season), t2 = trip(div, season);
        fished(t1, ann, "30.00");
        fished(t2, ann, "45.00");
        fished(t1, bob, "45.00");  // tied with ann's best
        fished(t2, cy, "20.00");
        fished(t1, di, "12.00");
        fished(t2, ed, "50.00");
        fished(t2, 0, "99.00");  // a visitor is never placed
    }
    qv::reports::PlacingBook book(*ctx);
    for (const char* season : {"2005", "2006", "2005"}) {
        std::vector<SubGradeStanding> got;
        ASSERT_TRUE(book.placings(div, season, got).isOk());
        ASSERT_TRUE(BuildSubGradeStandings(*ctx, div, season).isOk());
        std::vector<SubGradeStanding> want = ctx->subGradeStandings;
        std::stable_sort(want.begin(), want.end(), [](const SubGradeStanding& a, const SubGradeStanding& b) {
            return std::tie(a.GradeId, a.Position, a.MemberId) < std::tie(b.GradeId, b.Position, b.MemberId);
        });
        ASSERT_EQ(got.size(), want.size()) << season;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].GradeId, want[i].GradeId) << season << " row " << i;
            EXPECT_EQ(got[i].Position, want[i].Position) << season << " row " << i;
            EXPECT_EQ(got[i].MemberId, want[i].MemberId) << season << " row " << i;
        }
        EXPECT_FALSE(std::any_of(got.begin(), got.end(), [](const SubGradeStanding& p) { return p.MemberId == 0; }));
    }
}

TEST_F(Placings, GroupLabels) {
    EXPECT_EQ(label("L", ClassStyle::Plain), "Ladies");
    EXPECT_EQ(label("N", ClassStyle::Bracketed), "Non-Veteran");
    EXPECT_EQ(label(std::to_string(gradeB), ClassStyle::Plain), "B Grade");
    EXPECT_EQ(label("~V" + std::to_string(gradeA), ClassStyle::Bracketed), "A Grade (Veteran)");
    EXPECT_EQ(label("~M" + std::to_string(gradeA), ClassStyle::Plain), "A Grade Men");
    EXPECT_EQ(label("0", ClassStyle::Plain), "") << "members without a grade";
    EXPECT_EQ(qv::reports::placeWords(3), "Third Place");
    EXPECT_EQ(qv::reports::placeWords(4), "");
}

}  // namespace
}  // namespace qvtest
