// Scoring one stored trip member as the trip member form does, and scoring
// every trip of a club in order.

#include "core/scoring/Explain.h"
#include "core/scoring/Recalculation.h"
#include "core/scoring/TripMemberScoring.h"
#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {
namespace {

class TripMemberScoring : public ClubTest {
protected:
    void SetUp() override {
        ClubTest::SetUp();
        div = division();
        season("2005", "W", "P");
        gradeA = grade("A");
        ann = member();
        history(ann, div, gradeA, "2005");
        for (int i = 1; i <= 3; ++i) {
            Species sp;
            sp.DivisionId = div;
            sp.SpeciesName = "Species " + std::to_string(i);
            sp.ReportPosition = static_cast<int16_t>(i);
            sp.InactiveFlag = "N";
            sp.FightFactor = Decimal::fromUnits(100 * i, 2);
            species.push_back(put(sp).SpeciesId);
        }
        editSettings([](System& s) {
            s.FightFactorScoring = 1;
            s.IndividualCatchesApplies = 1;
            s.ParticipationPoints = dec("5.00");
            s.HandicapInitial = dec("10.00");
        });
    }
    TripCatch addCatch(int32_t tm, int32_t speciesIndex, const char* weight, const char* lineClass) {
        TripCatch c;
        c.TripMemberId = tm;
        c.SpeciesId = species[speciesIndex];
        c.SpeciesWeight = dec(weight);
        c.LineClass = dec(lineClass);
        c.FightFactor = Decimal::fromUnits(100 * (speciesIndex + 1), 2);
        return put(c);
    }
    TripScore addRow(int32_t tm, int32_t speciesIndex, int32_t count, const char* weight) {
        TripScore r;
        r.TripMemberId = tm;
        r.SpeciesId = species[speciesIndex];
        r.SpeciesNumberCaught = count;
        r.HeaviestWeight = dec(weight);
        r.LineClass = dec("6.00");
        return put(r);
    }
    int32_t div = 0, gradeA = 0, ann = 0;
    std::vector<int32_t> species;
};

TEST_F(TripMemberScoring, FromCatchesRebuildsTheSummaryAndStoresEverything) {
    int32_t t = trip(div, "2005");
    TripMember tm = angler(t, ann, "0");
    addRow(tm.TripMemberId, 0, 9, "9.999");  // stale: replaced by the catches
    TripCatch c1 = addCatch(tm.TripMemberId, 0, "2.500", "6.00");   // 2.5 × 1 × 100 / 6 = 41.67
    addCatch(tm.TripMemberId, 1, "1.000", "4.00");                  // 1 × 2 × 100 / 4 = 50.00
    TripCatch zero = addCatch(tm.TripMemberId, 1, "3.000", "0.00");  // line class 0: no points

    TripMemberScore score;
    Status s = ScoreTripMember(*ctx, tm.TripMemberId, &score);
    ASSERT_TRUE(s.isOk()) << describe(s);
    EXPECT_EQ(score.warnings.zeroLineClass, 1);
    TripMember stored = readTripMember(tm.TripMemberId);
    EXPECT_EQ(stored.TotalTripPoints, dec("96.67"));
    EXPECT_EQ(stored.TotalNumberFish, 3);
    EXPECT_EQ(stored.TotalWeightFish, dec("6.50"));
    EXPECT_EQ(stored.ProgressPoints, dec("96.67"));
    EXPECT_EQ(stored.TripCatchList, "Y");
    TripCatch back;
    back.TripCatchId = c1.TripCatchId;
    ASSERT_TRUE(fetchRecord(*store, back, "byTripCatchId").isOk());
    EXPECT_EQ(back.Score, dec("41.67"));
    back.TripCatchId = zero.TripCatchId;
    ASSERT_TRUE(fetchRecord(*store, back, "byTripCatchId").isOk());
    EXPECT_EQ(back.Score, dec("0"));

    // The first species' row was rewritten; the second species had none and got one.
    std::vector<SummaryRow> rows;
    ASSERT_TRUE(loadSummaryRows(*store, tm.TripMemberId, rows).isOk());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].count, 1);
    EXPECT_EQ(rows[0].weight, dec("2.500"));
    EXPECT_EQ(rows[1].count, 2);
    EXPECT_EQ(rows[1].weight, dec("4.000"));
}

TEST_F(TripMemberScoring, FromTheSummaryAndByCountAndWeight) {
    int32_t t = trip(div, "2005");
    TripMember tm = angler(t, ann, "0", 2);
    addRow(tm.TripMemberId, 0, 2, "3.000");  // 3 × 1 × 100 / 6 = 50
    addRow(tm.TripMemberId, 2, 1, "0.600");  // 0.6 × 3 × 100 / 6 = 30
    editSettings([](System& s) { s.IndividualCatchesApplies = 0; });
    ASSERT_TRUE(ScoreTripMember(*ctx, tm.TripMemberId).isOk());
    TripMember stored = readTripMember(tm.TripMemberId);
    EXPECT_EQ(stored.TotalTripPoints, dec("85.00"));
    EXPECT_EQ(stored.TotalNumberFish, 3);
    EXPECT_EQ(stored.TotalWeightFish, dec("3.60"));
    EXPECT_EQ(stored.ProgressPoints, dec("83.00"));

    // Count and weight: the typed total weight is kept.
    editSettings([](System& s) {
        s.FightFactorScoring = 0;
        s.PerSpeciesCaughtPoints = dec("1.00");
        s.PerSpeciesWeightPoints = dec("1.00");
        s.Rounding = 1;
    });
    stored.TotalWeightFish = dec("4.37");
    ASSERT_TRUE(updateRecord(*store, stored).isOk());
    ASSERT_TRUE(ScoreTripMember(*ctx, tm.TripMemberId).isOk());
    stored = readTripMember(tm.TripMemberId);
    EXPECT_EQ(stored.TotalWeightFish, dec("4.37"));
    EXPECT_EQ(stored.TotalTripPoints, dec("12.50"));  // 3 + 4.37 + 5 = 12.37
}

TEST_F(TripMemberScoring, RefusedForOtherLevelsAndForUnknownTripMembers) {
    int32_t t = trip(div, "2005");
    TripMember tm = angler(t, ann, "0");
    addCatch(tm.TripMemberId, 0, "2.500", "6.00");
    globals.SecurityLevel = "Administrator";
    EXPECT_TRUE(ScoreTripMember(*ctx, tm.TripMemberId).isFailed());
    EXPECT_TRUE(ScoreAllTrips(*ctx).isFailed());
    EXPECT_EQ(readTripMember(tm.TripMemberId).TotalTripPoints, dec("0"));
    globals.SecurityLevel = "Scorer";
    EXPECT_TRUE(ScoreTripMember(*ctx, 4711).isFailed());
}

TEST_F(TripMemberScoring, AllTripsInIdOrderGiveHandicapsAndProgress) {
    int32_t t1 = trip(div, "2005", 90000), t2 = trip(div, "2005", 80000);
    TripMember a1 = angler(t1, ann, "0");
    addCatch(a1.TripMemberId, 0, "0.600", "6.00");  // 10 points
    TripMember a2 = angler(t2, ann, "0");
    addCatch(a2.TripMemberId, 0, "1.200", "6.00");  // 20 points
    ScoreAllCounts n;
    Status s = ScoreAllTrips(*store, ctx->settings(), &n);  // as the demo club does, without a login
    ASSERT_TRUE(s.isOk()) << describe(s);
    EXPECT_EQ(n.trips, 2);
    EXPECT_EQ(n.tripMembers, 2);
    TripMember first = readTripMember(a1.TripMemberId), second = readTripMember(a2.TripMemberId);
    EXPECT_EQ(first.TotalTripPoints, dec("15.00"));
    EXPECT_EQ(first.Handicap, 0);
    EXPECT_EQ(second.TotalTripPoints, dec("25.00"));
    EXPECT_EQ(second.Handicap, 10);  // won grade A on the first trip
    EXPECT_EQ(second.ProgressPoints, dec("40.00"));
    // The progress points need no recalculation afterwards.
    RecalculationCounts rc;
    ASSERT_TRUE(RecalculateSeasonProgress(*ctx, "2005", &rc).isOk());
    EXPECT_EQ(rc.rewritten, 0);
}


// The working behind the points comes from the same rules that scored them.
class ExplainScore : public TripMemberScoring {
protected:
    Working explain(int32_t tripMemberId) {
        Working w;
        Status s = ExplainTripMember(*ctx, tripMemberId, w);
        EXPECT_TRUE(s.isOk()) << describe(s);
        return w;
    }
    static const WorkingSection& section(const Working& w, const std::string& title) {
        for (const WorkingSection& s : w.sections)
            if (s.title == title) return s;
        throw std::runtime_error("no section " + title);
    }
};

TEST_F(ExplainScore, EachModeAgreesWithWhatWasStored) {
    int32_t t = trip(div, "2005");
    TripMember tm = angler(t, ann, "0", 1);
    addCatch(tm.TripMemberId, 0, "2.500", "6.00");
    addCatch(tm.TripMemberId, 1, "3.000", "0.00");
    ASSERT_TRUE(ScoreTripMember(*ctx, tm.TripMemberId).isOk());
    Working w = explain(tm.TripMemberId);
    const WorkingSection& points = section(w, "Trip points");
    ASSERT_EQ(points.lines.size(), 3u);
    EXPECT_EQ(points.lines[0].rule, "2.500 kg × 1.00 × 100 ÷ 6.00");
    EXPECT_EQ(points.lines[0].value, dec("41.67"));
    EXPECT_NE(points.lines[1].rule.find("a line class of 0 scores 0"), std::string::npos);
    EXPECT_EQ(points.result, dec("46.67"));
    EXPECT_EQ(w.warnings.zeroLineClass, 1);
    for (const WorkingSection& s : w.sections) EXPECT_FALSE(s.differs) << s.title;
    EXPECT_EQ(section(w, "Progress points").result, dec("45.67"));

    TripMember other = angler(t, member("Bo", "Lee"), "0");
    addRow(other.TripMemberId, 0, 2, "3.000");
    addRow(other.TripMemberId, 2, 1, "0.600");
    editSettings([](System& s) { s.IndividualCatchesApplies = 0; });
    ASSERT_TRUE(ScoreTripMember(*ctx, other.TripMemberId).isOk());
    Working summary = explain(other.TripMemberId);
    EXPECT_EQ(section(summary, "Trip points").result, dec("85.00"));
    EXPECT_FALSE(section(summary, "Trip points").differs);

    editSettings([](System& s) {
        s.FightFactorScoring = 0;
        s.PerSpeciesCaughtPoints = dec("1.00");
        s.PerSpeciesWeightPoints = dec("1.00");
        s.Rounding = 1;
    });
    ASSERT_TRUE(ScoreTripMember(*ctx, other.TripMemberId).isOk());
    Working counted = explain(other.TripMemberId);
    EXPECT_EQ(section(counted, "Trip points").result, readTripMember(other.TripMemberId).TotalTripPoints);
    EXPECT_NE(section(counted, "Trip points").resultRule.find("to the half point"), std::string::npos);
}

TEST_F(ExplainScore, EarlierWinsAndTripsAreListedForEveryLevel) {
    int32_t t1 = trip(div, "2005"), t2 = trip(div, "2005");
    addCatch(angler(t1, ann, "0").TripMemberId, 0, "0.600", "6.00");
    TripMember second = angler(t2, ann, "0");
    addCatch(second.TripMemberId, 0, "1.200", "6.00");
    ASSERT_TRUE(ScoreAllTrips(*store, ctx->settings()).isOk());
    globals.SecurityLevel = "Member";  // a member who disputes a result may see it all
    Working w = explain(second.TripMemberId);
    const WorkingSection& handicap = section(w, "Handicap");
    ASSERT_EQ(handicap.lines.size(), 1u);
    EXPECT_EQ(handicap.lines[0].term, "Trip " + std::to_string(t1));
    EXPECT_EQ(handicap.result, Decimal(10));
    const WorkingSection& progress = section(w, "Progress points");
    ASSERT_EQ(progress.lines.size(), 2u);
    EXPECT_EQ(progress.lines[0].value, dec("15.00"));
    EXPECT_EQ(progress.result, dec("40.00"));
    EXPECT_EQ(section(w, "Net points").result, dec("22.50"));  // 25 less 10 %

    // A total typed over by hand is shown beside what the rules give.
    TripMember stored = readTripMember(second.TripMemberId);
    stored.TotalTripPoints = dec("99.00");
    ASSERT_TRUE(updateRecord(*store, stored).isOk());
    const WorkingSection& points = section(explain(second.TripMemberId), "Trip points");
    EXPECT_TRUE(points.differs);
    EXPECT_EQ(points.held, dec("99.00"));
    EXPECT_EQ(points.result, dec("25.00"));
}

}  // namespace
}  // namespace qvtest
