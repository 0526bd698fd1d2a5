// The arithmetic of the rule book: catch scores, summary terms, half-point
// rounding, count-and-weight points, net points and the totals.

#include "core/scoring/CatchScoring.h"
#include "core/scoring/NetPoints.h"
#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {
namespace {

TripCatch fish(const char* weight, const char* length, const char* factor, const char* lineClass) {
    TripCatch c;
    c.SpeciesWeight = dec(weight);
    c.SpeciesLength = dec(length);
    c.FightFactor = dec(factor);
    c.LineClass = dec(lineClass);
    c.Score = dec("-1.00");  // shows whether a score was written
    return c;
}

SummaryRow row(int count, const char* weight, const char* length, const char* factor,
               const char* lineClass) {
    SummaryRow r;
    r.count = count;
    r.weight = dec(weight);
    r.length = dec(length);
    r.fightFactor = dec(factor);
    r.lineClass = dec(lineClass);
    return r;
}

TEST(CatchScore, ScoresByTheSeasonLetter) {
    TripCatch w = fish("2.500", "0", "1.50", "6.00");
    EXPECT_TRUE(CatchScore(w, "W"));
    EXPECT_EQ(w.Score, dec("62.50"));

    TripCatch l = fish("0", "45.00", "2.00", "10.00");
    EXPECT_TRUE(CatchScore(l, "L"));
    EXPECT_EQ(l.Score, dec("90.00"));

    // "B": the weight when there is one, else the length.
    TripCatch b1 = fish("0", "30.00", "1.00", "6.00");
    CatchScore(b1, "B");
    EXPECT_EQ(b1.Score, dec("50.00"));
    TripCatch b2 = fish("1.000", "30.00", "1.00", "6.00");
    CatchScore(b2, "B");
    EXPECT_EQ(b2.Score, dec("16.67"));
    TripCatch b3 = fish("0", "0", "1.00", "6.00");
    CatchScore(b3, "B");
    EXPECT_EQ(b3.Score, dec("0"));

    // A season without a scoring letter leaves the stored score.
    TripCatch n = fish("2.500", "45.00", "1.50", "6.00");
    EXPECT_FALSE(CatchScore(n, "N"));
    EXPECT_EQ(n.Score, dec("-1.00"));

    // Brought to 2 places with halves away from zero: 0.125 gives 0.13.
    TripCatch half = fish("0.001", "0", "1.25", "1.00");
    CatchScore(half, "W");
    EXPECT_EQ(half.Score, dec("0.13"));
}

TEST(CatchScore, LineClassZeroScoresNothingAndWarns) {
    ScoreWarnings w;
    TripCatch c = fish("2.500", "45.00", "1.50", "0.00");
    EXPECT_TRUE(CatchScore(c, "W", &w));
    EXPECT_EQ(c.Score, dec("0"));
    EXPECT_EQ(w.zeroLineClass, 1);
    EXPECT_EQ(SummaryRowTerm(row(2, "3.000", "40.00", "1.00", "0"), "L", &w), dec("0"));
    EXPECT_EQ(w.zeroLineClass, 2);
    EXPECT_NE(w.text().find("line class of 0"), std::string::npos);
    EXPECT_TRUE(ScoreWarnings().text().empty());
}

TEST(SummaryRowTerm, BothUsesTheWeightEvenWithoutOne) {
    EXPECT_EQ(SummaryRowTerm(row(1, "0", "30.00", "1.00", "6.00"), "B"), dec("0"));
    EXPECT_EQ(SummaryRowTerm(row(1, "0", "30.00", "1.00", "6.00"), "L"), dec("50"));
    EXPECT_EQ(SummaryRowTerm(row(1, "2.500", "0", "1.50", "6.00"), "W"), dec("62.5"));
    // Kept to more places than the points so that the running sum rounds.
    EXPECT_EQ(SummaryRowTerm(row(1, "0.001", "0", "0.05", "1.00"), "W"), dec("0.005"));
}

TEST(RoundToHalfPoint, Boundaries) {
    const char* cases[][2] = {{"12.25", "12.00"}, {"12.26", "12.50"}, {"12.75", "12.50"},
                              {"12.76", "13.00"}, {"12.00", "12.00"}, {"0.00", "0.00"},
                              {"12.37", "12.50"}, {"12.80", "13.00"}, {"12.20", "12.00"},
                              {"0.26", "0.50"},   {"-12.37", "-12.50"}};
    for (auto& [in, out] : cases) EXPECT_EQ(RoundToHalfPoint(dec(in)), dec(out)) << in;
}

TEST(CountAndWeight, PointsWithAndWithoutRounding) {
    System s;
    s.PerSpeciesCaughtPoints = dec("1.00");
    s.PerSpeciesWeightPoints = dec("1.00");
    s.ParticipationPoints = dec("5.00");
    s.Rounding = 1;
    EXPECT_EQ(CountAndWeightPoints(s, 4, dec("3.37")), dec("12.50"));
    EXPECT_EQ(CountAndWeightPoints(s, 4, dec("3.80")), dec("13.00"));
    EXPECT_EQ(CountAndWeightPoints(s, 4, dec("3.20")), dec("12.00"));
    EXPECT_EQ(CountAndWeightPoints(s, 0, dec("0")), dec("5.00"));
    s.Rounding = 0;
    EXPECT_EQ(CountAndWeightPoints(s, 4, dec("3.37")), dec("12.37"));
    s.PerSpeciesWeightPoints = dec("0.33");
    EXPECT_EQ(CountAndWeightPoints(s, 0, dec("1.50")), dec("5.50"));  // 0.495 → 0.50
}

TEST(NetTripPoints, PercentAndPointsHandicaps) {
    EXPECT_EQ(NetTripPoints(dec("50.00"), 2, 10, "P"), dec("43.20"));
    EXPECT_EQ(NetTripPoints(dec("50.00"), 2, 10, "N"), dec("38.00"));
    EXPECT_EQ(NetTripPoints(dec("50.00"), 2, 0, "P"), dec("48.00"));
    EXPECT_EQ(NetTripPoints(dec("50.00"), 2, 10, ""), dec("38.00"));
    EXPECT_EQ(NetTripPoints(dec("33.33"), 0, 7, "P"), dec("31.00"));  // 30.9969
}

class Totals : public ClubTest {};

TEST_F(Totals, SummaryRunningSumRoundsAfterEachRow) {
    editSettings([](System& s) {
        s.FightFactorScoring = 1;
        s.IndividualCatchesApplies = 0;
        s.ParticipationPoints = dec("5.00");
    });
    TripMember tm;
    // Two terms of 0.005: 0.01 after the first, 0.015 → 0.02 after the second.
    std::vector<SummaryRow> rows{row(1, "0.001", "0", "0.05", "1.00"), row(1, "0.001", "0", "0.05", "1.00")};
    StepResult r = ScoreFromSummary(*ctx, rows, "W", tm);
    EXPECT_TRUE(r.ran);
    EXPECT_EQ(tm.TotalTripPoints, dec("5.02"));

    rows = {row(3, "2.500", "40.00", "1.50", "6.00"), row(1, "1.000", "20.00", "1.00", "0")};
    r = ScoreFromSummary(*ctx, rows, "W", tm);
    EXPECT_EQ(tm.TotalTripPoints, dec("67.50"));
    EXPECT_EQ(r.warnings.zeroLineClass, 1);

    // The weights at 2 places each, or the lengths in a length season.
    rows = {row(2, "0.005", "10.50", "1", "6"), row(3, "0.005", "4.25", "1", "6")};
    SummaryTotals(*ctx, rows, "W", tm);
    EXPECT_EQ(tm.TotalNumberFish, 5);
    EXPECT_EQ(tm.TotalWeightFish, dec("0.02"));
    SummaryTotals(*ctx, rows, "L", tm);
    EXPECT_EQ(tm.TotalWeightFish, dec("14.75"));

    // Summary scoring is not used when catches are recorded one by one.
    editSettings([](System& s) { s.IndividualCatchesApplies = 1; });
    tm.TotalTripPoints = dec("1.00");
    EXPECT_FALSE(ScoreFromSummary(*ctx, rows, "W", tm).ran);
    EXPECT_EQ(tm.TotalTripPoints, dec("1.00"));
}

TEST_F(Totals, OnlyAScorerComputesAndTheFishCountAlwaysRuns) {
    editSettings([](System& s) {
        s.FightFactorScoring = 1;
        s.IndividualCatchesApplies = 0;
    });
    std::vector<SummaryRow> rows{row(4, "2.500", "40.00", "1.50", "6.00")};
    for (const char* level : {"Administrator", "Member", "Developer", "scorer", ""}) {
        globals.SecurityLevel = level;
        TripMember tm;
        tm.TotalWeightFish = dec("9.99");
        tm.TotalTripPoints = dec("1.00");
        tm.ProgressPoints = dec("2.00");
        tm.Handicap = 3;
        EXPECT_FALSE(SummaryTotals(*ctx, rows, "W", tm).ran);
        EXPECT_EQ(tm.TotalNumberFish, 4) << level;
        EXPECT_EQ(tm.TotalWeightFish, dec("9.99")) << level;
        EXPECT_FALSE(ScoreFromSummary(*ctx, rows, "W", tm).ran);
        EXPECT_FALSE(ScoreFromCatches(*ctx, tm, "W").ran);
        editSettings([](System& s) { s.FightFactorScoring = 0; });
        EXPECT_FALSE(ScoreFromCountAndWeight(*ctx, tm).ran);
        editSettings([](System& s) { s.FightFactorScoring = 1; });
        EXPECT_EQ(tm.TotalTripPoints, dec("1.00")) << level;
        EXPECT_EQ(tm.ProgressPoints, dec("2.00")) << level;
    }
    globals.SecurityLevel = "Scorer";
    TripMember tm;
    EXPECT_TRUE(SummaryTotals(*ctx, rows, "W", tm).ran);
    EXPECT_EQ(tm.TotalWeightFish, dec("2.50"));
}

}  // namespace
}  // namespace qvtest
