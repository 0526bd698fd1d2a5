#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/Store.h"
#include "core/data/SystemSettings.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/data/Workstation.h"
#include "core/demo/DemoClub.h"
#include "core/scoring/Recalculation.h"
#include "core/scoring/ScoringContext.h"
#include "core/scoring/TripMemberScoring.h"

using namespace qv;
using namespace qv::data;

namespace {

namespace fs = std::filesystem;

const char* const kClubFiles[] = {
    "Division",   "Season",       "Grade",        "Species", "Trophy",      "Members",
    "NonMembers", "GradeHistory", "Users",        "Trips",   "TripMember",  "TripScore",
    "TripCatch",  "TripTrophy",   "SeasonTrophy", "Teams",   "AccessLevels"};

// A new workstation in a folder of its own, removed afterwards.
struct DemoWorkstation {
    DemoWorkstation() {
        std::random_device rd;
        folder = fs::temp_directory_path() /
                 ("quillavon-demo-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(folder);
        EXPECT_TRUE(initWorkstation(folder.string()).isOk());
        EXPECT_TRUE(openWorkstation(folder.string(), store).isOk());
        for (const char* label : kClubFiles) EXPECT_TRUE(store->open(label).isOk()) << label;
    }
    ~DemoWorkstation() {
        store.reset();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    fs::path folder;
    std::unique_ptr<Store> store;
};

template <typename T>
std::vector<T> all(Store& s, std::string_view key = "") {
    std::vector<T> out;
    Cursor c = s.walk(T::kLabel, key);
    Record r = s.newRecord(T::kLabel);
    while (c.next(r).isOk()) out.emplace_back().fromRecord(r);
    return out;
}

template <typename T, typename Id>
std::map<Id, T> byId(const std::vector<T>& list, Id T::*id) {
    std::map<Id, T> out;
    for (const T& r : list) out[r.*id] = r;
    return out;
}

// Every record of every club file as text, in record-number order.
std::string dump(Store& s) {
    std::string out;
    for (const char* label : kClubFiles) {
        Cursor c = s.walk(label, "");
        Record r = s.newRecord(label);
        while (c.next(r).isOk()) {
            out += label;
            for (size_t i = 0; i < r.size(); ++i) out += "|" + r.display(static_cast<int>(i));
            out += "\n";
        }
    }
    return out;
}

// A member's grade: the last history row (by start season) of the division
// that starts at or before the season and has not ended before it.
int32_t gradeFor(const std::vector<GradeHistory>& rows, int32_t member, int32_t division,
                 const std::string& season) {
    int32_t grade = 0;
    for (const GradeHistory& r : rows)
        if (r.MemberId == member && r.DivisionId == division && r.StartSeasonId <= season &&
            (r.EndSeasonId.empty() || r.EndSeasonId >= season))
            grade = r.GradeId;
    return grade;
}

// One demo club, built once and read by the checks.
class DemoClubTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ws = new DemoWorkstation;
        status = demo::buildDemoClub(*ws->store);
    }
    static void TearDownTestSuite() { delete ws; }
    void SetUp() override { ASSERT_TRUE(status.isOk()) << status.message().text; }
    static Store& store() { return *ws->store; }

    static inline DemoWorkstation* ws = nullptr;
    static inline Status status = Status::notFound();
};

TEST_F(DemoClubTest, ReferenceRecordsCoverEverySeasonMode) {
    std::vector<Season> seasons = all<Season>(store(), "bySeasonId");
    ASSERT_EQ(seasons.size(), 3u);
    std::set<std::string> scoring, handicap;
    int current = 0, imperial = 0;
    for (const Season& s : seasons) {
        scoring.insert(s.ScoringApplies);
        handicap.insert(s.Handicap);
        current += s.CurrentSeasonFlag == "Y";
        imperial += s.Measurement == "I";
    }
    EXPECT_EQ(current, 1);
    EXPECT_EQ(seasons.back().CurrentSeasonFlag, "Y") << "the latest season is the current one";
    EXPECT_EQ(imperial, 1);
    EXPECT_EQ(scoring, (std::set<std::string>{"B", "L", "W"}));
    EXPECT_EQ(handicap, (std::set<std::string>{"N", "P"}));

    std::map<int32_t, std::set<int16_t>> positions;  // species report positions per division
    for (const Species& s : all<Species>(store()))
        EXPECT_TRUE(positions[s.DivisionId].insert(s.ReportPosition).second) << s.SpeciesName;
    EXPECT_EQ(positions.size(), 2u);
}

TEST_F(DemoClubTest, GradeHistoryHasNoOverlapsAndGradesEveryActiveMember) {
    std::vector<GradeHistory> rows = all<GradeHistory>(store(), "byMemberIdStartSeasonId");
    std::map<std::pair<int32_t, int32_t>, std::vector<GradeHistory>> periods;
    for (const GradeHistory& r : rows) periods[{r.MemberId, r.DivisionId}].push_back(r);
    int changes = 0;
    for (auto& [who, list] : periods)
        for (size_t i = 1; i < list.size(); ++i, ++changes) {
            ASSERT_FALSE(list[i - 1].EndSeasonId.empty()) << "member " << who.first;
            EXPECT_EQ(std::stoi(list[i - 1].EndSeasonId) + 1, std::stoi(list[i].StartSeasonId))
                << "member " << who.first;
        }
    EXPECT_GE(changes, 3);

    std::set<std::string> veteranStarts;
    int ladies = 0, inactive = 0;
    std::vector<Members> members = all<Members>(store());
    EXPECT_GE(members.size(), 35u);
    for (const Members& m : members) {
        EXPECT_EQ(m.FullName, m.FirstName + " " + m.LastName);
        ladies += m.LadiesFlag == "Y";
        inactive += m.InactiveFlag == "Y";
        if (m.VeteranFlag == "Y") veteranStarts.insert(m.VeteranStartSeason);
        const bool current = std::any_of(rows.begin(), rows.end(), [&](const GradeHistory& r) {
            return r.MemberId == m.MemberId && r.EndSeasonId.empty();
        });
        EXPECT_EQ(current, m.InactiveFlag != "Y") << m.FullName;
    }
    EXPECT_GE(ladies, 5);
    EXPECT_GE(inactive, 2);
    EXPECT_EQ(veteranStarts, (std::set<std::string>{"2024", "2025"}));
}

TEST_F(DemoClubTest, TripsAreNumberedAndDatedInOrderWithinTheirSeason) {
    std::map<std::pair<std::string, int32_t>, std::vector<Trips>> groups;
    for (const Trips& t : all<Trips>(store(), "byDivisionIdSesaonIdTripNumberUnique"))
        groups[{t.SeasonId, t.DivisionId}].push_back(t);
    ASSERT_EQ(groups.size(), 6u);
    int interClub = 0;
    for (auto& [key, trips] : groups) {
        EXPECT_GE(trips.size(), 8u);
        EXPECT_LE(trips.size(), 10u);
        const int year = std::stoi(key.first);
        for (size_t i = 0; i < trips.size(); ++i) {
            EXPECT_EQ(trips[i].SeasonTripNumber, int(i + 1));
            EXPECT_GE(trips[i].TripDate, *Date::fromCivil(year, 2, 1));
            EXPECT_LE(trips[i].TripDate, *Date::fromCivil(year, 11, 30));
            if (i > 0) {
                EXPECT_GT(trips[i].TripDate, trips[i - 1].TripDate);
            }
            interClub += !trips[i].InterClubTripDesc.empty();
        }
    }
    EXPECT_GT(interClub, 0);
}

TEST_F(DemoClubTest, AnglersBelongOnTheirTrip) {
    auto trips = byId(all<Trips>(store()), &Trips::TripId);
    auto visitors = byId(all<NonMembers>(store()), &NonMembers::NonMemberId);
    auto teams = byId(all<Teams>(store()), &Teams::TeamId);
    std::vector<GradeHistory> rows = all<GradeHistory>(store(), "byMemberIdStartSeasonId");
    std::map<int32_t, int> perTrip;
    int visiting = 0, inTeams = 0;
    for (const TripMember& tm : all<TripMember>(store())) {
        const Trips& trip = trips.at(tm.TripId);
        ++perTrip[tm.TripId];
        ASSERT_TRUE((tm.MemberId == 0) != (tm.NonMemberId == 0)) << tm.TripMemberId;
        if (tm.MemberId) {
            EXPECT_NE(gradeFor(rows, tm.MemberId, trip.DivisionId, trip.SeasonId), 0)
                << "member " << tm.MemberId << " has no grade for trip " << tm.TripId;
        } else {
            ++visiting;
            EXPECT_EQ(trip.AllowNonMembers, "Y") << "visitor on closed trip " << tm.TripId;
            EXPECT_EQ(visitors.at(tm.NonMemberId).TripId, tm.TripId);
        }
        if (tm.TeamId) {
            ++inTeams;
            EXPECT_EQ(teams.at(tm.TeamId).TripId, tm.TripId);
        }
        EXPECT_TRUE(tm.Penalty >= 0 && tm.Penalty <= 2);
        // Scored: at least the participation points, and progress covers this trip.
        EXPECT_GE(tm.TotalTripPoints, Decimal::fromUnits(500, 2));
        EXPECT_GE(tm.ProgressPoints, tm.TotalTripPoints - Decimal(tm.Penalty));
    }
    EXPECT_EQ(perTrip.size(), trips.size()) << "every trip was fished";
    for (auto [trip, n] : perTrip) EXPECT_TRUE(n >= 10 && n <= 21) << "trip " << trip << ": " << n;
    EXPECT_GT(visiting, 0);
    EXPECT_GT(inTeams, 0);
}

TEST_F(DemoClubTest, SummariesAndTotalsFollowFromTheCatches) {
    auto species = byId(all<Species>(store()), &Species::SpeciesId);
    auto trips = byId(all<Trips>(store()), &Trips::TripId);
    auto seasons = byId(all<Season>(store()), &Season::SeasonId);
    std::map<int32_t, std::vector<TripCatch>> catches;
    for (const TripCatch& c : all<TripCatch>(store())) catches[c.TripMemberId].push_back(c);
    std::map<int32_t, std::vector<TripScore>> rows;
    for (const TripScore& r : all<TripScore>(store())) rows[r.TripMemberId].push_back(r);

    for (const TripMember& tm : all<TripMember>(store())) {
        const Trips& trip = trips.at(tm.TripId);
        const bool byLength = seasons.at(trip.SeasonId).ScoringApplies == "L";
        const std::vector<TripCatch>& mine = catches[tm.TripMemberId];
        std::vector<Decimal> weights;
        for (const TripCatch& c : mine) {
            const Species& sp = species.at(c.SpeciesId);
            EXPECT_TRUE(sp.DivisionId == trip.DivisionId && sp.InactiveFlag == "N");
            EXPECT_EQ(c.SpeciesName, sp.SpeciesName);
            EXPECT_EQ(c.FightFactor, sp.FightFactor);
            EXPECT_TRUE(c.ReleaseKill == "Caught" || c.ReleaseKill == "Release");
            EXPECT_TRUE(c.FlyCaught == "Fly" || c.FlyCaught == "Non-Fly" ||
                        c.FlyCaught == "No Record");
            EXPECT_FALSE(c.SpeciesWeight.isZero() || c.SpeciesLength.isZero() ||
                         c.WitnessName.empty());
            weights.push_back(c.SpeciesWeight);
        }
        // One summary row per active species of the division, summing its catches.
        std::set<int32_t> active;
        for (auto& [id, sp] : species)
            if (sp.DivisionId == trip.DivisionId && sp.InactiveFlag == "N") active.insert(id);
        std::set<int32_t> summarised;
        int32_t number = 0;
        Decimal total;
        for (const TripScore& r : rows[tm.TripMemberId]) {
            summarised.insert(r.SpeciesId);
            int32_t n = 0;
            Decimal weight, length;
            for (const TripCatch& c : mine)
                if (c.SpeciesId == r.SpeciesId)
                    ++n, weight += c.SpeciesWeight, length += c.SpeciesLength;
            EXPECT_EQ(r.SpeciesNumberCaught, n);
            EXPECT_EQ(r.HeaviestWeight, weight);
            EXPECT_EQ(r.BestLength, length);
            number += n;
            total += (byLength ? length : weight).roundedTo(2);
        }
        EXPECT_EQ(summarised, active) << "trip member " << tm.TripMemberId;
        EXPECT_EQ(rows[tm.TripMemberId].size(), active.size());
        EXPECT_EQ(tm.TotalNumberFish, number);
        EXPECT_EQ(tm.TotalWeightFish, total) << "trip member " << tm.TripMemberId;
        std::sort(weights.rbegin(), weights.rend());
        Decimal best3;
        for (size_t i = 0; i < weights.size() && i < 3; ++i) best3 += weights[i];
        EXPECT_EQ(tm.VarietyWeightFish, best3.roundedTo(2));
    }
}

TEST_F(DemoClubTest, TrophiesGoToAnglersOfTheTripAndChampionsArePlaced) {
    std::set<std::pair<int32_t, int32_t>> fished;  // trip, member (negative: visitor)
    for (const TripMember& tm : all<TripMember>(store()))
        fished.insert({tm.TripId, tm.MemberId ? tm.MemberId : -tm.NonMemberId});
    auto trophies = byId(all<Trophy>(store()), &Trophy::TrophyId);
    bool visitorWon = false;
    for (const TripTrophy& w : all<TripTrophy>(store())) {
        EXPECT_TRUE(trophies.count(w.TrophyId));
        EXPECT_TRUE(fished.count({w.TripId, w.MemberId ? w.MemberId : -w.NonMemberId}))
            << "trophy winner did not fish trip " << w.TripId;
        visitorWon |= w.NonMemberId != 0;
    }
    EXPECT_TRUE(visitorWon);

    std::map<std::string, std::set<std::string>> placings;  // division/season/trophy
    int other = 0;
    for (const SeasonTrophy& w : all<SeasonTrophy>(store())) {
        EXPECT_TRUE(trophies.count(w.TrophyId));
        if (w.PositionalTrophy == "Y")
            placings[std::to_string(w.DivisionId) + "/" + w.SeasonId + "/" +
                     std::to_string(w.TrophyId)]
                .insert(w.Position);
        else
            other += w.Position.empty();
    }
    EXPECT_EQ(placings.size(), 6u) << "a championship per division and season";
    for (auto& [key, places] : placings)
        EXPECT_EQ(places, (std::set<std::string>{"1", "2", "3"})) << key;
    EXPECT_GT(other, 0);
}

TEST_F(DemoClubTest, EachDemoUserLogsOnWithTheListedPassword) {
    ASSERT_EQ(all<Users>(store()).size(), std::size(demo::kDemoUsers));
    for (const demo::DemoUser& demo : demo::kDemoUsers) {
        Users u;
        u.UserId = demo.userId;
        ASSERT_TRUE(fetchRecord(store(), u, "byUserId").isOk()) << demo.userId;
        EXPECT_EQ(u.SecurityLevel, demo.securityLevel);
        bool matches = false;
        ASSERT_TRUE(store().checkPassword(toRecord(store(), u), demo.password, matches).isOk());
        EXPECT_TRUE(matches) << demo.userId;
    }
}

TEST_F(DemoClubTest, SecondBuildIsRefusedAndChangesNothing) {
    const std::string before = dump(store());
    Status again = demo::buildDemoClub(store());
    ASSERT_TRUE(again.isFailed());
    EXPECT_NE(again.message().text.find("already holds records"), std::string::npos);
    EXPECT_EQ(dump(store()), before);
}

TEST_F(DemoClubTest, EveryBuildWritesTheSameClubAndCountsIt) {
    DemoWorkstation other;
    demo::DemoClubCounts counts;
    ASSERT_TRUE(demo::buildDemoClub(*other.store, &counts).isOk());
    EXPECT_EQ(dump(*other.store), dump(store()));
    EXPECT_EQ(counts.tripMembers, all<TripMember>(store()).size());
    EXPECT_EQ(counts.catches, all<TripCatch>(store()).size());
    EXPECT_EQ(counts.summaries, all<TripScore>(store()).size());
}

TEST(DemoClubRefusal, ClubWithAnyRecordIsLeftAlone) {
    DemoWorkstation ws;
    Members m;
    m.FirstName = "Existing";
    m.LastName = "Member";
    m.FullName = "Existing Member";
    ASSERT_TRUE(insertRecord(*ws.store, m).isOk());
    const std::string before = dump(*ws.store);
    Status s = demo::buildDemoClub(*ws.store);
    ASSERT_TRUE(s.isFailed());
    EXPECT_NE(s.message().text.find("Members"), std::string::npos) << s.message().text;
    EXPECT_EQ(dump(*ws.store), before);
}

}  // namespace

TEST_F(DemoClubTest, EveryPointIsWhatTheRuleBookGives) {
    System settings;
    ASSERT_TRUE(readSystem(store(), settings).isOk());
    EXPECT_EQ(settings.FightFactorScoring, 1);
    const std::string before = dump(store());
    // Scoring every trip again and recalculating every season changes nothing.
    ASSERT_TRUE(scoring::ScoreAllTrips(store(), settings).isOk());
    EXPECT_EQ(dump(store()), before);
    session::Globals g;
    g.SecurityLevel = "Scorer";
    scoring::ScoringContext ctx(store(), settings, g);
    for (const Season& season : all<Season>(store())) {
        scoring::RecalculationCounts counts;
        ASSERT_TRUE(scoring::RecalculateSeasonProgress(ctx, season.SeasonId, &counts).isOk());
        EXPECT_GT(counts.tripMembers, 0);
        EXPECT_EQ(counts.rewritten, 0) << "season " << season.SeasonId;
    }
    bool anyHandicap = false, anyCatchScore = false;
    for (const TripMember& tm : all<TripMember>(store())) anyHandicap |= tm.Handicap > 0;
    for (const TripCatch& c : all<TripCatch>(store())) anyCatchScore |= !c.Score.isZero();
    EXPECT_TRUE(anyHandicap) << "earlier grade wins give handicaps";
    EXPECT_TRUE(anyCatchScore);
}
