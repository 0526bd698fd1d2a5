// The update and delete rules between files: restrict, cascade and none, and
// that a refusal at any depth leaves every file as it was.

#include "tests/core/data/TestWorkstation.h"

using namespace qvtest;

namespace {

class Relations : public WorkstationTest {
  protected:
    static void expectDeleteRefused(const Status& s, const std::string& childFile) {
        ASSERT_TRUE(s.isFailed()) << describe(s);
        EXPECT_EQ(s.message().number, 33);
        EXPECT_EQ(s.message().title, "Referential Integrity Delete Error");
        EXPECT_EQ(s.message().text, "This record is referenced from the file " + childFile +
                                        ". This record cannot be deleted while these references "
                                        "exist.");
    }
    void history(int32_t memberId, std::string startSeason = "2008") {
        GradeHistory h;
        h.MemberId = memberId;
        h.StartSeasonId = std::move(startSeason);
        add(*store, h);
    }
    void trophy(int32_t tripId, int32_t memberId) {
        TripTrophy t;
        t.TripId = tripId;
        t.MemberId = memberId;
        add(*store, t);
    }
    template <typename T>
    size_t countWhere(int32_t T::*field, int32_t value) {
        size_t n = 0;
        for (const T& r : walkAll<T>(*store)) n += r.*field == value;
        return n;
    }
};

}  // namespace

TEST_F(Relations, MemberWhoFishedCannotBeDeleted) {
    Members fished = add(*store, member("Fished"));
    history(fished.MemberId);
    add(*store, angler(1, fished.MemberId));
    // The grade history goes first by cascade; the trip member then refuses
    // and the history must come back with the member.
    expectDeleteRefused(removeRecord(*store, fished), "TripMember");
    EXPECT_EQ(countOf<Members>(*store), 1u);
    EXPECT_EQ(countOf<GradeHistory>(*store), 1u);

    Members gone = add(*store, member("Gone"));
    history(gone.MemberId, "2008");
    history(gone.MemberId, "2009");
    ASSERT_TRUE(removeRecord(*store, gone).isOk());
    EXPECT_EQ(countOf<Members>(*store), 1u);
    EXPECT_EQ(countWhere(&GradeHistory::MemberId, gone.MemberId), 0u);
    EXPECT_EQ(countOf<GradeHistory>(*store), 1u);
}

TEST_F(Relations, RefusalDeepInCascadeLeavesEverythingAsItWas) {
    Trips busy = add(*store, trip(1, "2008", 1));
    trophy(busy.TripId, 1);
    trophy(busy.TripId, 2);
    TripMember tm = add(*store, angler(busy.TripId, 1));
    add(*store, TripCatch{.TripMemberId = tm.TripMemberId});

    expectDeleteRefused(removeRecord(*store, busy), "TripMember");
    EXPECT_EQ(countOf<Trips>(*store), 1u);
    EXPECT_EQ(countWhere(&TripTrophy::TripId, busy.TripId), 2u);
    EXPECT_EQ(countOf<TripCatch>(*store), 1u);

    // Once its angler is gone (catches first) the trip goes too.
    ASSERT_TRUE(removeRecord(*store, tm).isOk());
    ASSERT_TRUE(removeRecord(*store, busy).isOk());
    EXPECT_EQ(countOf<TripTrophy>(*store), 0u);
    EXPECT_EQ(countOf<TripCatch>(*store), 0u);
}

TEST_F(Relations, EmptyTripTakesItsTrophiesButNotItsTeams) {
    Trips empty = add(*store, trip(1, "2008", 1));
    Trips other = add(*store, trip(1, "2008", 2));
    trophy(empty.TripId, 1);
    trophy(other.TripId, 2);
    add(*store, Teams{.TripId = empty.TripId});
    ASSERT_TRUE(removeRecord(*store, empty).isOk());
    EXPECT_EQ(countWhere(&TripTrophy::TripId, empty.TripId), 0u);
    EXPECT_EQ(countWhere(&TripTrophy::TripId, other.TripId), 1u);
    EXPECT_EQ(countWhere(&Teams::TripId, empty.TripId), 1u);
}

TEST_F(Relations, TripMemberTakesItsCatchesAndSummaries) {
    TripMember gone = add(*store, angler(1, 1));
    TripMember kept = add(*store, angler(1, 2));
    for (int32_t id : {gone.TripMemberId, kept.TripMemberId, gone.TripMemberId}) {
        add(*store, TripCatch{.TripMemberId = id});
        add(*store, TripScore{.TripMemberId = id});
    }
    ASSERT_TRUE(removeRecord(*store, gone).isOk());
    EXPECT_EQ(countWhere(&TripCatch::TripMemberId, kept.TripMemberId), 1u);
    EXPECT_EQ(countWhere(&TripScore::TripMemberId, kept.TripMemberId), 1u);
    EXPECT_EQ(countOf<TripCatch>(*store) + countOf<TripScore>(*store), 2u);
}

TEST_F(Relations, DeletingUsedReferenceRecordsLeavesChildren) {
    Division div = add(*store, Division{});
    Species spe = add(*store, Species{.DivisionId = div.DivisionId});
    Season sea;
    sea.SeasonId = "2008";
    sea = add(*store, sea);
    add(*store, trip(div.DivisionId, "2008", 1));
    add(*store, TripScore{.SpeciesId = spe.SpeciesId});
    EXPECT_TRUE(removeRecord(*store, div).isOk());
    EXPECT_TRUE(removeRecord(*store, sea).isOk());
    EXPECT_TRUE(removeRecord(*store, spe).isOk());
    EXPECT_EQ(countOf<Species>(*store), 0u);
    EXPECT_EQ(countWhere(&Trips::DivisionId, div.DivisionId), 1u);
    EXPECT_EQ(countWhere(&TripScore::SpeciesId, spe.SpeciesId), 1u);
}

TEST_F(Relations, RenamingAnAccessLevelRenamesItsUsers) {
    AccessLevels scorer;
    scorer.SecurityLevel = "scorer";
    add(*store, scorer);
    for (const char* level : {"Scorer", "Scorer", "Member", "scorer"}) {
        Users u;
        u.UserId = "user" + std::to_string(countOf<Users>(*store));
        u.SecurityLevel = level;
        add(*store, u);
    }
    scorer.SecurityLevel = "Scorer";
    ASSERT_TRUE(fetchRecord(*store, scorer, "bySecurityLevel").isOk());
    scorer.SecurityLevel = "Chief Scorer";
    ASSERT_TRUE(updateRecord(*store, scorer).isOk());
    std::vector<std::string> levels;
    for (const Users& u : walkAll<Users>(*store)) levels.push_back(u.SecurityLevel);
    // Only the users of the renamed level change: "scorer" is another level.
    EXPECT_EQ(levels,
              (std::vector<std::string>{"Chief Scorer", "Chief Scorer", "Member", "scorer"}));
    expectDeleteRefused(removeRecord(*store, scorer), "Users");
}

TEST_F(Relations, ChangedIdentifiersCascadeToChildren) {
    Trips t = add(*store, trip(1, "2008", 1));
    TripMember tm = add(*store, angler(t.TripId, 3));
    trophy(t.TripId, 3);
    add(*store, Teams{.TripId = t.TripId});
    add(*store, TripCatch{.TripMemberId = tm.TripMemberId});

    t.TripId = 50;
    ASSERT_TRUE(updateRecord(*store, t).isOk());
    EXPECT_EQ(countWhere(&TripMember::TripId, 50), 1u);
    EXPECT_EQ(countWhere(&TripTrophy::TripId, 50), 1u);
    EXPECT_EQ(countWhere(&Teams::TripId, 1), 1u);  // no rule between trips and teams

    tm = walkAll<TripMember>(*store).at(0);
    tm.TripMemberId = 70;
    ASSERT_TRUE(updateRecord(*store, tm).isOk());
    EXPECT_EQ(countWhere(&TripCatch::TripMemberId, 70), 1u);
    // The buffer handed back still names the record it now is.
    tm.Penalty = 2;
    Status again = updateRecord(*store, tm);
    EXPECT_TRUE(again.isOk()) << describe(again);
    EXPECT_EQ(countWhere(&TripMember::Penalty, 2), 1u);
    EXPECT_EQ(countOf<TripMember>(*store), 1u);
}
