// Grade winners of earlier trips and of one trip, the winner handicap and
// progress points of the trip member being scored.

#include <set>
#include <tuple>

#include "core/scoring/NetPoints.h"
#include "core/scoring/Winners.h"
#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {
namespace {

class Winners : public ClubTest {
protected:
    void SetUp() override {
        ClubTest::SetUp();
        div = division();
        other = division();
        season("2005", "W", "P");
        season("2006", "W", "N");
        gradeA = grade("A Grade");
        gradeB = grade("B Grade");
        for (int32_t* m : {&ann, &bob, &cat, &dan}) *m = member();
        for (int32_t m : {ann, bob, cat}) history(m, div, gradeA, "2005");
        history(dan, div, gradeB, "2005");
        editSettings([](System& s) {
            s.HandicapInitial = dec("5.00");
            s.HandicapFollowOn = dec("2.00");
        });
    }
    // Handicap and progress of `memberId` entered on `tripId` with 10.00 points.
    TripMember scoreOn(int32_t tripId, int32_t memberId, int32_t handicap = 0, int32_t divisionId = 0,
                       const char* seasonId = "2005") {
        TripMember tm;
        tm.TripId = tripId;
        tm.MemberId = memberId;
        tm.TotalTripPoints = dec("10.00");
        tm.Penalty = 1;
        tm.Handicap = handicap;
        StepResult r = WinnerHandicapAndProgress(*ctx, tm, {tripId, divisionId ? divisionId : div, seasonId});
        EXPECT_TRUE(r.ran && r.status.isOk()) << describe(r.status);
        return tm;
    }
    int32_t div = 0, other = 0, gradeA = 0, gradeB = 0, ann = 0, bob = 0, cat = 0, dan = 0;
};

TEST_F(Winners, TiesForAGradeWinEachCountAWin) {
    int32_t t1 = trip(div, "2005");
    angler(t1, ann, "20.00");
    angler(t1, bob, "20.00");
    angler(t1, cat, "19.99");
    angler(t1, dan, "5.00");  // alone in B grade: a win too
    int32_t t2 = trip(div, "2005");
    ASSERT_TRUE(BuildPriorTripWinners(*ctx, t2, div, "2005").ran);
    std::set<int32_t> won;
    for (const PriorTripWinner& w : ctx->priorTripWinners.rows) won.insert(w.MemberId);
    EXPECT_EQ(won, (std::set<int32_t>{ann, bob, dan}));

    EXPECT_EQ(scoreOn(t2, ann).Handicap, 5);
    EXPECT_EQ(scoreOn(t2, bob).Handicap, 5);
    EXPECT_EQ(scoreOn(t2, cat, 7).Handicap, 7);  // no win: left as it was
}

TEST_F(Winners, WinsAddTheFollowOnHandicapAndProgressIgnoresIt) {
    for (int i = 0; i < 3; ++i) {
        int32_t t = trip(div, "2005");
        angler(t, ann, "30.00", 2);
        angler(t, bob, "10.00");
    }
    int32_t t4 = trip(div, "2005");
    TripMember tm = scoreOn(t4, ann);
    EXPECT_EQ(tm.Handicap, 9);                      // 5 + 2 × 2
    EXPECT_EQ(tm.ProgressPoints, dec("93.00"));     // 10 − 1 + 3 × (30 − 2)

    // Decimal handicap settings come to the nearest whole number.
    editSettings([](System& s) {
        s.HandicapInitial = dec("5.50");
        s.HandicapFollowOn = dec("0.25");
    });
    EXPECT_EQ(scoreOn(t4, ann).Handicap, 6);  // 6.00
    editSettings([](System& s) { s.HandicapFollowOn = dec("0.24"); });
    EXPECT_EQ(scoreOn(t4, ann).Handicap, 6);  // 5.98
    editSettings([](System& s) { s.HandicapInitial = dec("5.49"); s.HandicapFollowOn = dec("0"); });
    EXPECT_EQ(scoreOn(t4, ann).Handicap, 5);
}

TEST_F(Winners, EarlierMeansLowerTripIdWhateverTheDate) {
    int32_t late = trip(div, "2005", 90000);   // entered first, fished last
    angler(late, ann, "40.00");
    int32_t early = trip(div, "2005", 80000);  // entered second, fished first
    angler(early, ann, "15.00");
    angler(early, bob, "30.00");
    trip(other, "2005");  // another division's trips never count
    int32_t otherTrip = trip(other, "2005");
    angler(otherTrip, ann, "99.00");

    TripMember onLate = scoreOn(late, ann);
    EXPECT_EQ(onLate.ProgressPoints, dec("9.00"));
    EXPECT_EQ(onLate.Handicap, 0);
    TripMember onEarly = scoreOn(early, ann);
    EXPECT_EQ(onEarly.ProgressPoints, dec("49.00"));
    EXPECT_EQ(onEarly.Handicap, 5);

    Decimal prior;
    ASSERT_TRUE(PriorProgressPoints(*store, ann, div, "2005", early + 100, prior).isOk());
    EXPECT_EQ(prior, dec("55.00"));
    ASSERT_TRUE(PriorProgressPoints(*store, ann, div, "2006", early + 100, prior).isOk());
    EXPECT_EQ(prior, dec("0"));
}

TEST_F(Winners, NonMembersAndUngradedMembersDoNotTakeAMembersWin) {
    int32_t t1 = trip(div, "2005");
    int32_t visitor = nonMember(t1, gradeA);
    angler(t1, 0, "90.00", 0, 0, visitor);
    int32_t ungraded = member();
    angler(t1, ungraded, "80.00");
    angler(t1, ann, "20.00");
    int32_t t2 = trip(div, "2005");
    EXPECT_EQ(scoreOn(t2, ann).Handicap, 5);

    // A non-member's handicap is never set; its progress is its own points.
    TripMember tm;
    tm.TripId = t2;
    tm.NonMemberId = visitor;
    tm.TotalTripPoints = dec("12.00");
    tm.Penalty = 2;
    tm.Handicap = 4;
    WinnerHandicapAndProgress(*ctx, tm, {t2, div, "2005"});
    EXPECT_EQ(tm.Handicap, 4);
    EXPECT_EQ(tm.ProgressPoints, dec("10.00"));
}

TEST_F(Winners, ALeftOverListOfAnotherTripIsGatheredAgain) {
    int32_t t1 = trip(div, "2005");
    angler(t1, ann, "20.00");
    int32_t t2 = trip(div, "2005");
    ASSERT_TRUE(BuildPriorTripWinners(*ctx, t1, div, "2005").ran);  // for the first trip: empty
    EXPECT_TRUE(ctx->priorTripWinners.rows.empty());
    EXPECT_EQ(scoreOn(t2, ann).Handicap, 5);

    globals.SecurityLevel = "Administrator";
    EXPECT_FALSE(BuildPriorTripWinners(*ctx, t2, div, "2005").ran);
    EXPECT_TRUE(ctx->priorTripWinners.rows.empty());
}

TEST_F(Winners, TripGradeWinnersRankByNetPoints) {
    int32_t t = trip(div, "2005");  // percent handicaps
    angler(t, ann, "50.00", 0, 10);  // 45.00
    angler(t, bob, "46.00");         // 46.00: wins A
    angler(t, cat, "47.00", 1);      // 46.00: tied
    angler(t, dan, "10.00");         // B
    int32_t visitor = nonMember(t, gradeB);
    angler(t, 0, "11.00", 0, 0, visitor);  // beats dan in B
    int32_t ungraded = member();
    angler(t, ungraded, "1.00");           // grade 0 of its own
    globals.SecurityLevel = "Member";      // the reports run for everyone
    ASSERT_TRUE(BuildTripGradeWinners(*ctx, t).isOk());
    std::vector<std::tuple<int32_t, int32_t, int32_t, Decimal>> got;
    for (const TripGradeWinner& w : ctx->tripGradeWinners)
        got.emplace_back(w.GradeId, w.MemberId, w.NonMemberId, w.CalculatedPoints);
    std::vector<std::tuple<int32_t, int32_t, int32_t, Decimal>> want{
        {0, ungraded, 0, dec("1.00")},
        {gradeA, bob, 0, dec("46.00")},
        {gradeA, cat, 0, dec("46.00")},
        {gradeB, 0, visitor, dec("11.00")}};
    EXPECT_EQ(got, want);

    int32_t t2 = trip(div, "2006");  // points handicaps
    angler(t2, ann, "50.00", 0, 10);
    angler(t2, bob, "41.00");
    ASSERT_TRUE(BuildTripGradeWinners(*ctx, t2).isOk());
    ASSERT_EQ(ctx->tripGradeWinners.size(), 1u);
    EXPECT_EQ(ctx->tripGradeWinners[0].MemberId, bob);
    EXPECT_FALSE(BuildTripGradeWinners(*ctx, 9999).isOk());
}

TEST_F(Winners, AGradeBookReadOnceGivesTheSameWinners) {
    int32_t t = trip(div, "2005");
    angler(t, ann, "50.00");
    angler(t, bob, "40.00");
    angler(t, dan, "30.00");
    const int32_t ungraded = member();
    angler(t, ungraded, "60.00");
    globals.SecurityLevel = "Member";
    const auto winners = [&] {
        std::vector<std::pair<int32_t, int32_t>> got;
        for (const TripGradeWinner& w : ctx->tripGradeWinners) got.emplace_back(w.GradeId, w.MemberId);
        return got;
    };
    ASSERT_TRUE(BuildTripGradeWinners(*ctx, t).isOk());
    const auto alone = winners();
    GradeBook book(*store);
    ASSERT_TRUE(book.readAll().isOk());
    ASSERT_TRUE(BuildTripGradeWinners(*ctx, t, book).isOk());
    EXPECT_EQ(winners(), alone);
    EXPECT_EQ(alone.front(), std::make_pair(0, ungraded)) << "a member without history stays ungraded";
    int32_t grade = -1;
    ASSERT_TRUE(book.gradeFor(ann, div, "2005", grade).isOk());
    EXPECT_EQ(grade, gradeA);
}

}  // namespace
}  // namespace qvtest
