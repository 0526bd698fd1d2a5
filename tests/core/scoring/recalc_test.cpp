// The season recalculation: the one-pass algorithm against the plain one on
// generated seasons, and its edge cases.

#include <map>
#include <random>

#include "core/scoring/Recalculation.h"
#include "tests/core/scoring/ClubFixture.h"
#include "tests/core/scoring/QuadraticOracle.h"

namespace qvtest {
namespace {

class Recalculation : public ClubTest {
protected:
    std::map<int32_t, Decimal> progressOfAll() {
        std::map<int32_t, Decimal> out;
        EXPECT_TRUE(oracle::walkAll<TripMember>(*store, "byTripMemberId", {}, [&](const TripMember& tm) {
                        out[tm.TripMemberId] = tm.ProgressPoints;
                        return true;
                    }).isOk());
        return out;
    }
    void restore(const std::map<int32_t, Decimal>& progress) {
        for (const auto& [id, p] : progress) {
            TripMember tm = readTripMember(id);
            tm.ProgressPoints = p;
            ASSERT_TRUE(updateRecord(*store, tm).isOk());
        }
    }
    RecalculationCounts recalc(const char* season) {
        RecalculationCounts n;
        Status s = RecalculateSeasonProgress(*ctx, season, &n);
        EXPECT_TRUE(s.isOk()) << describe(s);
        return n;
    }
    // Several seasons and divisions entered in mixed order with dates that do
    // not follow the ids, members and non-members, penalties and handicaps.
    void generateClub(std::mt19937& rng) {
        season("2001");
        season("2002");
        season("999");
        int32_t g = grade("A");
        std::vector<int32_t> members;
        for (int i = 0; i < 8; ++i) members.push_back(member());
        std::vector<int32_t> divisions{division(), division(), division()};
        const std::vector<std::string> seasons{"2001", "2002", "999"};
        for (int k = 0; k < 30; ++k) {
            const std::string& season = seasons[rng() % seasons.size()];
            int32_t d = divisions[rng() % divisions.size()];
            int32_t tripId = trip(d, season, 80000 + static_cast<int32_t>(rng() % 400));
            std::shuffle(members.begin(), members.end(), rng);
            const int n = 2 + static_cast<int>(rng() % 6);
            for (int i = 0; i < n; ++i) {
                std::string points = std::to_string(rng() % 5000) + "." + std::to_string(10 + rng() % 90);
                angler(tripId, members[i], points.c_str(), static_cast<int32_t>(rng() % 3),
                       static_cast<int32_t>(rng() % 10));
            }
            if (rng() % 3 == 0) angler(tripId, 0, "12.34", 1, 0, nonMember(tripId, g));
        }
    }
};

class GeneratedSeasons : public Recalculation, public ::testing::WithParamInterface<unsigned> {};

TEST_P(GeneratedSeasons, MatchThePlainAlgorithm) {
    std::mt19937 rng(GetParam());
    generateClub(rng);
    // Stale progress points to start from.
    std::map<int32_t, Decimal> start = progressOfAll();
    for (auto& [id, p] : start) p = Decimal::fromUnits(static_cast<int64_t>(rng() % 99999), 2);
    restore(start);

    for (const char* season : {"2001", "2002", "999"}) {
        ASSERT_TRUE(quadraticRecalculation(*store, season).isOk());
        std::map<int32_t, Decimal> plain = progressOfAll();
        restore(start);
        RecalculationCounts n = recalc(season);
        EXPECT_GT(n.tripMembers, 0);
        EXPECT_EQ(progressOfAll(), plain) << "season " << season;
        // Running it again changes nothing.
        EXPECT_EQ(recalc(season).rewritten, 0);
        restore(start);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedSeasons, ::testing::Values(4242u, 7u, 2026u));

TEST_F(Recalculation, EdgeCases) {
    season("2005");
    season("999");  // sorts after 2005 as text
    int32_t d = division();
    int32_t ann = member(), bob = member();
    int32_t g = grade("A");
    int32_t t1 = trip(d, "2005");
    int32_t later = trip(d, "999");
    int32_t t2 = trip(d, "2005");
    int32_t t3 = trip(d, "2005");
    TripMember a1 = angler(t1, ann, "10.00", 1);
    angler(t1, bob, "5.00");
    TripMember other = angler(later, ann, "77.00");
    TripMember visitor = angler(t2, 0, "8.00", 3, 0, nonMember(t2, g));
    angler(t2, ann, "20.00");
    TripMember a3 = angler(t3, ann, "30.00");
    TripMember b3 = angler(t3, bob, "6.00");

    EXPECT_EQ(recalc("1999").tripMembers, 0);  // a season without trips
    std::vector<std::string> statuses;
    ctx->progress = [&](std::string_view s, int, int) { statuses.emplace_back(s); };
    RecalculationCounts n = recalc("2005");
    EXPECT_EQ(n.trips, 3);
    EXPECT_EQ(n.tripMembers, 6);
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(statuses.front(), " Recalculating All Members Scores ");
    EXPECT_EQ(readTripMember(a3.TripMemberId).ProgressPoints, dec("59.00"));
    EXPECT_EQ(readTripMember(b3.TripMemberId).ProgressPoints, dec("11.00"));
    EXPECT_EQ(readTripMember(visitor.TripMemberId).ProgressPoints, dec("5.00"));
    EXPECT_EQ(readTripMember(other.TripMemberId).ProgressPoints, dec("0"));  // other season untouched

    // Changed points on the first trip move the member's later totals by as much.
    a1 = readTripMember(a1.TripMemberId);
    a1.TotalTripPoints = dec("14.50");
    ASSERT_TRUE(updateRecord(*store, a1).isOk());
    EXPECT_EQ(recalc("2005").rewritten, 3);
    EXPECT_EQ(readTripMember(a3.TripMemberId).ProgressPoints, dec("63.50"));
    EXPECT_EQ(readTripMember(b3.TripMemberId).ProgressPoints, dec("11.00"));
}

TEST_F(Recalculation, OnlyForAScorer) {
    season("2005");
    int32_t d = division();
    TripMember tm = angler(trip(d, "2005"), member(), "10.00");
    globals.SecurityLevel = "Administrator";
    RecalculationCounts n;
    Status s = RecalculateSeasonProgress(*ctx, "2005", &n);
    ASSERT_TRUE(s.isFailed());
    EXPECT_NE(s.message().text.find("Scorer"), std::string::npos);
    EXPECT_EQ(readTripMember(tm.TripMemberId).ProgressPoints, dec("0"));
}

}  // namespace
}  // namespace qvtest
