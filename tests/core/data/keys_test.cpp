// Unique keys, sort orders, walks along keys, automatic numbering and the
// range rules of the file layer.

#include <climits>

#include "tests/core/data/TestWorkstation.h"

using namespace qvtest;

namespace {

class Keys : public WorkstationTest {};
class AutoNumber : public WorkstationTest {};
class RangeRules : public WorkstationTest {};

using Strings = std::vector<std::string>;

void expectRefused(const Status& s, int number, const std::string& text) {
    ASSERT_TRUE(s.isFailed()) << describe(s);
    EXPECT_EQ(s.message().number, number);
    EXPECT_EQ(s.message().text, text);
}

void expectDuplicate(const Status& s, const std::string& description) {
    expectRefused(s, 15,
                  "Adding this record creates a duplicate entry for the key: " + description);
    EXPECT_EQ(s.message().title, "Duplicate Key Error");
}

Season season(std::string id, std::string flag = "N") {
    Season s;
    s.SeasonId = std::move(id);
    s.CurrentSeasonFlag = std::move(flag);
    return s;
}

template <typename T, typename F>
Strings column(const std::vector<T>& rows, F get) {
    Strings out;
    for (const T& r : rows) out.push_back(get(r));
    return out;
}

}  // namespace

TEST_F(Keys, SeasonIdsAndCurrentSeasons) {
    for (auto [id, flag] : {std::pair{"3", "N"}, {"1", "Y"}, {"2", "N"}, {"10", "Y"}})
        add(*store, season(id, flag));
    Season s = season("3   ");  // trailing blanks make no other id; leading zeros do
    expectDuplicate(insertRecord(*store, s), "bySeasonId");
    add(*store, season("03"));
    auto ids = [](const Season& x) { return x.SeasonId; };
    EXPECT_EQ(column(walkAll<Season>(*store, "byCurrentSeason"), ids),
              (Strings{"1", "10", "03", "2", "3"}));
    EXPECT_EQ(column(walkAll<Season>(*store, "byCurrentSeason", {}, true), ids),
              (Strings{"3", "2", "03", "10", "1"}));
    // From a start value: the "N" group forwards, the "Y" group backwards.
    EXPECT_EQ(column(walkAll<Season>(*store, "byCurrentSeason", {textValue("N")}), ids),
              (Strings{"03", "2", "3"}));
    EXPECT_EQ(column(walkAll<Season>(*store, "byCurrentSeason", {textValue("Y")}, true), ids),
              (Strings{"10", "1"}));
}

TEST_F(Keys, NamesSortAndMatchWithoutRegardToCase) {
    for (const char* n : {"bob", "Alice", "carl", "ALAN", "bob"}) add(*store, member(n));
    auto names = [](const Members& m) { return m.FullName; };
    EXPECT_EQ(column(walkAll<Members>(*store, "byFullName"), names),
              (Strings{"ALAN", "Alice", "bob", "bob", "carl"}));
    EXPECT_EQ(column(walkAll<Members>(*store, "byFullName", {textValue("BOB")}, true), names),
              (Strings{"bob", "bob", "Alice", "ALAN"}));
    Members m = member("CARL");
    ASSERT_TRUE(fetchRecord(*store, m, "byFullName").isOk());
    EXPECT_EQ(m.FullName, "carl");
}

TEST_F(Keys, UserIdsAndAccessLevelsAreCaseSensitive) {
    Users lower, upper, again;
    lower.UserId = again.UserId = "abc";
    upper.UserId = "ABC";
    lower.Name = "Lower";
    add(*store, lower);
    add(*store, upper);
    expectDuplicate(insertRecord(*store, again), "byUserId");
    Users found;
    found.UserId = "abc";
    ASSERT_TRUE(fetchRecord(*store, found, "byUserId").isOk());
    EXPECT_EQ(found.Name, "Lower");

    AccessLevels level;
    level.SecurityLevel = "scorer";  // "Scorer" is made by init
    add(*store, level);
    level.SecurityLevel = "Scorer";
    expectDuplicate(insertRecord(*store, level), "bySecurityLevel");
}

TEST_F(Keys, ReportPositions) {
    Grade g;
    g.ReportPosition = 1;
    add(*store, g);
    expectDuplicate(insertRecord(*store, g = Grade{.ReportPosition = 1}), "byReportPosition");

    Species s1, s2;
    s1.DivisionId = 1;
    s2.DivisionId = 2;
    s1.ReportPosition = s2.ReportPosition = 4;
    s1 = add(*store, s1);
    s2 = add(*store, s2);  // the same position in another division
    s2.DivisionId = 1;     // moving onto a used position is refused; keeping one's own is not
    expectDuplicate(updateRecord(*store, s2), "Report Position already used");
    s1.SpeciesName = "Snapper";
    EXPECT_TRUE(updateRecord(*store, s1).isOk());
}

TEST_F(Keys, TripNumbersAndAnglersPerTrip) {
    add(*store, trip(1, "2008", 5));
    Trips again = trip(1, "2008", 5);
    expectDuplicate(insertRecord(*store, again),
                    "Trip Number already entered for division and season");
    add(*store, trip(2, "2008", 5));
    add(*store, trip(1, "2009", 5));
    EXPECT_EQ(countOf<Trips>(*store), 3u);

    add(*store, angler(1, 5));
    TripMember twice = angler(1, 5);
    expectDuplicate(insertRecord(*store, twice), "Member already entered for trip");
    add(*store, angler(1, 0, 5));  // the non-member with the same number is someone else
    twice = angler(1, 0, 5);
    expectDuplicate(insertRecord(*store, twice), "Member already entered for trip");
    EXPECT_EQ(countOf<TripMember>(*store), 2u);

    // Keys of kind duplicates are never checked, whatever their description says.
    TripScore score;
    score.TripMemberId = 1;
    score.SpeciesId = 3;
    add(*store, score);
    add(*store, score);
}

TEST_F(Keys, WalksAlongSeveralComponents) {
    for (int div : {2, 1, 3})
        for (const char* sea : {"2009", "2008"}) add(*store, trip(div, sea, div));
    auto key = [](const Trips& t) { return std::to_string(t.DivisionId) + "/" + t.SeasonId; };
    const std::vector<FieldValue> from{numberValue(2), textValue("2009")};
    EXPECT_EQ(column(walkAll<Trips>(*store, "byDivisionIdSeasonIdTripId", from), key),
              (Strings{"2/2009", "3/2008", "3/2009"}));
    EXPECT_EQ(column(walkAll<Trips>(*store, "byDivisionIdSeasonIdTripId", from, true), key),
              (Strings{"2/2009", "2/2008", "1/2009", "1/2008"}));
}

TEST_F(AutoNumber, NextNumberIsHighestPlusOne) {
    Record r = store->newRecord("Division");
    ASSERT_TRUE(store->primeForInsert(r).isOk());
    EXPECT_EQ(r.number(r.field("DivisionId")), 1);
    add(*store, Division{.DivisionId = 41});
    ASSERT_TRUE(store->primeForInsert(r).isOk());
    EXPECT_EQ(r.number(r.field("DivisionId")), 42);
}

TEST_F(AutoNumber, NumberTakenByAnotherStationIsRenewed) {
    auto other = otherStation();
    Record mine = store->newRecord("Members"), theirs = other->newRecord("Members");
    ASSERT_TRUE(store->primeForInsert(mine).isOk());
    ASSERT_TRUE(other->primeForInsert(theirs).isOk());
    ASSERT_EQ(mine.number(0), theirs.number(0));
    ASSERT_TRUE(other->insert(theirs).isOk());
    Status inserted = store->insert(mine);
    ASSERT_TRUE(inserted.isOk()) << describe(inserted);
    EXPECT_EQ(mine.number(0), theirs.number(0) + 1);
    EXPECT_EQ(countOf<Members>(*store), 2u);
}

TEST_F(AutoNumber, ARecordAtTheTopDoesNotBlockNumbering) {
    // Once the highest number is taken, new records fill the lowest gap.
    add(*store, Division{.DivisionId = INT32_MAX});
    Division first, second;
    ASSERT_TRUE(insertRecord(*store, first).isOk());
    EXPECT_EQ(first.DivisionId, 1);
    ASSERT_TRUE(insertRecord(*store, second).isOk());
    EXPECT_EQ(second.DivisionId, 2);
    add(*store, Division{.DivisionId = 4});
    Division third;
    ASSERT_TRUE(insertRecord(*store, third).isOk());
    EXPECT_EQ(third.DivisionId, 3);
    Division fourth;
    ASSERT_TRUE(insertRecord(*store, fourth).isOk());
    EXPECT_EQ(fourth.DivisionId, 5);
    EXPECT_EQ(countOf<Division>(*store), 6u);
}

TEST_F(RangeRules, TripNumbersAndSeasons) {
    const std::string tripRange = "The value of Trip number for season must be in range 0 .. 999.";
    Trips t = trip(1, "2008", 1000);
    expectRefused(insertRecord(*store, t), 18, tripRange);
    EXPECT_EQ(insertRecord(*store, t = trip(1, "2008", -1)).message().number, 18);
    t = add(*store, trip(1, "2008", 999));
    t.SeasonTripNumber = 1000;  // checked on change as well
    expectRefused(updateRecord(*store, t), 18, tripRange);
    EXPECT_EQ(walkAll<Trips>(*store).at(0).SeasonTripNumber, 999);

    add(*store, season("abc"));  // reads as 0
    Season s = season("10000");
    expectRefused(
        insertRecord(*store, s), 18,
        "The value of Unique ID for the season (user defined) must be in range 0 .. 9999.");
    EXPECT_TRUE(insertRecord(*store, s = season("99999999999999999999")).isFailed());
    EXPECT_EQ(countOf<Season>(*store), 1u);

    GradeHistory h;
    h.StartSeasonId = "2008";
    h = add(*store, h);  // a blank end season is the current grade
    h.EndSeasonId = "10000";
    expectRefused(updateRecord(*store, h), 18,
                  "The value of Season ended in grade (blank for current grade) must be in range "
                  "0 .. 9999.");
}
