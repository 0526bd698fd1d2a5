// The rules of a member's grade history: one current grading per division,
// no two gradings sharing a season, seasons compared as texts with a blank
// end season the highest of all.

#include "core/scoring/GradeHistoryRules.h"
#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {
namespace {

constexpr int32_t kMember = 7, kDivision = 1, kGrade = 3;

GradeHistory grading(const char* start, const char* end = "", int32_t id = 0, int32_t division = kDivision) {
    GradeHistory h;
    h.GradeHistoryId = id;
    h.MemberId = kMember;
    h.DivisionId = division;
    h.GradeId = kGrade;
    h.StartSeasonId = start;
    h.EndSeasonId = end;
    return h;
}

GradingFault check(const GradeHistory& row, std::vector<GradeHistory> rows) { return checkGrading(row, rows); }

TEST(GradeHistoryRules, AGradingFollowingAClosedOneIsAcceptedAndOverlapsAreNot) {
    const std::vector<GradeHistory> closed = {grading("2004", "2006", 1)};
    EXPECT_EQ(check(grading("2007"), closed), GradingFault::None);
    const std::vector<GradeHistory> both = {grading("2004", "2006", 1), grading("2007", "", 2)};
    EXPECT_EQ(check(grading("2005", "2008"), both), GradingFault::RangeTaken);
    EXPECT_EQ(check(grading("2009"), both), GradingFault::SecondCurrent);
    EXPECT_EQ(check(grading("2001", "2002"), {grading("2007", "", 2)}), GradingFault::None);
}

TEST(GradeHistoryRules, EachWayOfSharingASeasonIsAClash) {
    const GradeHistory mid = grading("2004", "2006", 1);
    EXPECT_EQ(clashWith(grading("2004", "2004"), mid), GradingFault::RangeTaken);  // same start
    EXPECT_EQ(clashWith(grading("2001", "2006"), mid), GradingFault::RangeTaken);  // same end
    EXPECT_EQ(clashWith(grading("2006", "2009"), mid), GradingFault::RangeTaken);  // starts on its end
    EXPECT_EQ(clashWith(grading("2001", "2004"), mid), GradingFault::RangeTaken);  // ends on its start
    EXPECT_EQ(clashWith(grading("2005"), mid), GradingFault::RangeTaken);          // open, starts inside
    EXPECT_EQ(clashWith(grading("2003"), mid), GradingFault::RangeTaken);          // open, starts before it
    EXPECT_EQ(clashWith(grading("2001", "2003"), mid), GradingFault::None);
    EXPECT_EQ(clashWith(grading("2007", "2009"), mid), GradingFault::None);
    EXPECT_EQ(clashWith(grading("2007"), mid), GradingFault::None);

    const GradeHistory open = grading("2007", "", 2);
    EXPECT_EQ(clashWith(grading("2007", "2008"), open), GradingFault::RangeTaken);
    EXPECT_EQ(clashWith(grading("2010", "2011"), open), GradingFault::RangeTaken);  // after an open start
    EXPECT_EQ(clashWith(grading("2001", "2006"), open), GradingFault::None);
    EXPECT_EQ(clashWith(grading("2001"), open), GradingFault::SecondCurrent);
}

TEST(GradeHistoryRules, SeasonsCompareAsTextsAndABlankEndIsTheHighest) {
    // As texts "999" comes after "2004": a grading 999-999 lies after 2004-2006.
    EXPECT_EQ(clashWith(grading("999", "999"), grading("2004", "2006", 1)), GradingFault::None);
    EXPECT_EQ(clashWith(grading("2005", "999"), grading("2004", "2006", 1)), GradingFault::RangeTaken);
    // Trailing blanks do not count.
    EXPECT_EQ(clashWith(grading("2004 ", "2004"), grading("2004", "2006", 1)), GradingFault::RangeTaken);
    EXPECT_EQ(endForRange("   "), kOpenEndSeason);
    EXPECT_EQ(endForRange("2006 "), "2006");
    // An end season before its start is refused before anything else.
    EXPECT_EQ(check(grading("2006", "2005"), {}), GradingFault::EndBeforeStart);
    EXPECT_EQ(check(grading("2006", "10"), {}), GradingFault::EndBeforeStart);
}

TEST(GradeHistoryRules, MissingEntriesAreAskedForInOrder) {
    GradeHistory row = grading("");
    row.GradeId = 0;
    row.DivisionId = 0;
    EXPECT_EQ(check(row, {}), GradingFault::NoGrade);
    row.GradeId = kGrade;
    EXPECT_EQ(check(row, {}), GradingFault::NoDivision);
    row.DivisionId = kDivision;
    EXPECT_EQ(check(row, {}), GradingFault::NoStartSeason);
    row.StartSeasonId = "2004";
    EXPECT_EQ(check(row, {}), GradingFault::None);
    EXPECT_EQ(gradingFaultText(GradingFault::NoStartSeason), "Please enter a Start Season");
}

TEST(GradeHistoryRules, OnlyOtherGradingsOfTheSameDivisionCount) {
    // The row being changed is not compared with itself.
    EXPECT_EQ(check(grading("2004", "2007", 1), {grading("2004", "2006", 1)}), GradingFault::None);
    EXPECT_EQ(check(grading("2004"), {grading("2001", "", 5, 2)}), GradingFault::None);
    // The first clash in member-key order is the one reported.
    EXPECT_EQ(check(grading("2003"), {grading("2004", "2006", 1), grading("2007", "", 2)}),
              GradingFault::RangeTaken);
    EXPECT_EQ(check(grading("2003"), {grading("2007", "", 2), grading("2004", "2006", 1)}),
              GradingFault::SecondCurrent);
}

TEST(GradeHistoryRules, AGradingThatEndedBeforeTheSeasonIsNoCurrentGrade) {
    const std::vector<GradeHistory> rows = {grading("2004", "2006", 1), grading("2007", "", 2)};
    EXPECT_TRUE(gradingEndedBefore(rows, kDivision, "2008"));
    EXPECT_FALSE(gradingEndedBefore(rows, kDivision, "2006"));
    EXPECT_FALSE(gradingEndedBefore(rows, 2, "2008"));
    EXPECT_FALSE(gradingEndedBefore({grading("2007", "", 2)}, kDivision, "2030"));
}

class StoredGradings : public ClubTest {};

TEST_F(StoredGradings, AMembersRowsAndTheSeasonsItFished) {
    const int32_t d = division(), g = grade("A");
    const int32_t ann = member(), bob = member("Bob", "Jones");
    history(ann, d, g, "2004", "2006");
    history(bob, d, g, "2005");
    history(ann, d, g, "2007");
    std::vector<GradeHistory> rows;
    ASSERT_TRUE(readMemberGradings(*store, ann, rows).isOk());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].StartSeasonId, "2004");
    EXPECT_EQ(rows[1].StartSeasonId, "2007");

    season("2006");
    season("2007");
    angler(trip(d, "2006"), bob, "1");
    angler(trip(d, "2007"), ann, "1");
    bool fished = true;
    ASSERT_TRUE(memberFishedSeason(*store, ann, "2006", fished).isOk());
    EXPECT_FALSE(fished);
    ASSERT_TRUE(memberFishedSeason(*store, ann, "2007", fished).isOk());
    EXPECT_TRUE(fished);
}

TEST(MemberNames, TheListedNameIsLastCommaFirstWithoutTrailingBlanks) {
    EXPECT_EQ(listedName("Ann  ", "Smith   "), "Smith, Ann");
    EXPECT_EQ(listedName("", "Smith"), "Smith, ");
}

}  // namespace
}  // namespace qvtest
