// The member history file: its header and lines, the first trip, the counts
// per species, and values that would break a line or a spreadsheet.

#include "core/exchange/Csv.h"
#include "core/exchange/MemberHistoryCsv.h"
#include "tests/core/exchange/ExchangeFixture.h"

namespace qvtest {
namespace {

using qv::exchange::csvField;
using qv::exchange::ExportMemberHistory;
using qv::exchange::MemberHistoryExport;

TEST(CsvField, PlainValuesComeOutAsTheyAreOthersAreQuotedOrMadeInert) {
    EXPECT_EQ(csvField("Ann Smith"), "Ann Smith");
    EXPECT_EQ(csvField(""), "");
    EXPECT_EQ(csvField("06/12/2026"), "06/12/2026");
    EXPECT_EQ(csvField("Smith, Ann"), "\"Smith, Ann\"");
    EXPECT_EQ(csvField("the \"Reef\""), "\"the \"\"Reef\"\"\"");
    EXPECT_EQ(csvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(csvField("=HYPERLINK(\"x\")"), "\"'=HYPERLINK(\"\"x\"\")\"");
    EXPECT_EQ(csvField("+1"), "'+1");
    EXPECT_EQ(csvField("-cmd"), "'-cmd");
    EXPECT_EQ(csvField("@SUM"), "'@SUM");
    EXPECT_EQ(csvField("a=b"), "a=b");
}

class MemberHistory : public ExchangeTest {
protected:
    void SetUp() override {
        ExchangeTest::SetUp();
        div = division();
        other = division();
        Season s;
        s.SeasonId = "2025";
        s.SeasonDesc = "Season Twenty Five";
        put(s);
        season("2026");
    }
    MemberHistoryExport run(int32_t division) {
        MemberHistoryExport out;
        Status s = ExportMemberHistory(*store, division, start(), out);
        EXPECT_TRUE(s.isOk()) << describe(s);
        return out;
    }
    std::vector<std::string> lines() {
        std::vector<std::string> out;
        const std::string text = readFile(folder() / "DATA" / "EXPORT.CSV");
        size_t at = 0;
        for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            out.push_back(text.substr(at, end - at));
        EXPECT_EQ(at, text.size()) << "every line ends in CR LF";
        return out;
    }
    int32_t div = 0, other = 0;
};

TEST_F(MemberHistory, ADivisionWithoutSpeciesHasOnlyTheTotalAfterTheTripCount) {
    const int32_t t = trip(div, "2026", Date::fromCivil(2026, 12, 6)->dayNumber());
    TripMember tm = angler(t, member("Ann", "Smith"), "0");
    tm.TotalNumberFish = 4;
    ASSERT_TRUE(updateRecord(*store, tm).isOk());
    MemberHistoryExport out = run(div);
    EXPECT_EQ(out.message.title, "Member History Export");
    EXPECT_EQ(out.message.text.rfind("Data has been exported to ", 0), 0u);
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "MemberName,FirstTripDate,FirstTripLocation,Division,Season,TotalNumberTrips,TotalNumberFishCaught",
                           "Ann Smith,06/12/2026,,Division,,1,4"}));
}

TEST_F(MemberHistory, OneLinePerMemberOfTheDivisionWithTheFirstTripAndEverySpecies) {
    const int32_t snapper = speciesIn(div, "Snapper", 2);
    const int32_t cod = speciesIn(div, "Blue Cod", 1);
    speciesIn(div, "Kahawai", 3);
    speciesIn(other, "Trout", 1);
    const int32_t ann = member("Ann", "Smith");
    const int32_t bob = member("Bob", "Jones");  // fished only elsewhere
    const int32_t t1 = trip(div, "2025", Date::fromCivil(2025, 3, 1)->dayNumber());
    const int32_t t2 = trip(div, "2026", Date::fromCivil(2026, 3, 1)->dayNumber());
    const int32_t elsewhere = trip(other, "2026");
    TripMember a1 = angler(t1, ann, "0");
    TripMember a2 = angler(t2, ann, "0");
    angler(elsewhere, bob, "0");
    caught(a1.TripMemberId, snapper, 2);
    caught(a2.TripMemberId, snapper, 3);
    caught(a2.TripMemberId, cod, 1);
    for (TripMember* tm : {&a1, &a2}) {
        tm->TotalNumberFish = tm == &a1 ? 2 : 4;
        ASSERT_TRUE(updateRecord(*store, *tm).isOk());
    }
    MemberHistoryExport out = run(div);
    EXPECT_EQ(out.members, 1);
    const auto all = lines();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], "MemberName,FirstTripDate,FirstTripLocation,Division,Season,TotalNumberTrips,"
                      "Blue Cod,Snapper,Kahawai,TotalNumberFishCaught");
    EXPECT_EQ(all[1], "Ann Smith,01/03/2025,,Division,Season Twenty Five,2,1,5,0,6");
}

TEST_F(MemberHistory, NamesWithCommasOrFormulasKeepTheirLineWhole) {
    Division named;
    named.DivisionId = div;
    ASSERT_TRUE(fetchRecord(*store, named, "byDivisionId").isOk());
    named.DivisionName = "Boat, Offshore";
    ASSERT_TRUE(updateRecord(*store, named).isOk());
    speciesIn(div, "=cmd|' /C calc'!A0", 1);
    const int32_t t = trip(div, "2026");
    angler(t, member("=Eve", "Hacker"), "0");
    run(div);
    const auto all = lines();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_NE(all[0].find(",'=cmd|' /C calc'!A0,"), std::string::npos) << all[0];
    EXPECT_EQ(all[1].rfind("'=Eve Hacker,", 0), 0u) << all[1];
    EXPECT_NE(all[1].find(",\"Boat, Offshore\","), std::string::npos) << all[1];
}

TEST_F(MemberHistory, AFileThatCannotBeMadeIsToldAndTheOldOneStays) {
    fs::create_directories(folder() / "DATA" / "EXPORT.CSV");  // in the way
    MemberHistoryExport out = run(div);
    EXPECT_EQ(out.message.title, "File Access Error");
    EXPECT_EQ(out.message.text, "Error creating Member History Export File");
    EXPECT_TRUE(fs::is_directory(folder() / "DATA" / "EXPORT.CSV"));
    EXPECT_FALSE(fs::exists(folder() / "DATA" / "EXPORT.CSV.new"));
}

}  // namespace
}  // namespace qvtest
