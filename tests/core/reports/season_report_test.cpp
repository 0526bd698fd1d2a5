// The season report's data file: one row per member and column, the sort
// key, the species columns as they are met in member id order, and the
// imperial totals carried in pounds and ounces or wholes and twelfths.

#include "core/reports/SeasonReport.h"
#include "core/reports/SortKey.h"
#include "core/reports/WholePartSum.h"
#include "tests/core/reports/ReportRows.h"
#include "tests/core/reports/SeasonFixture.h"

namespace qvtest {
namespace {

using qv::reports::ReportRun;

TEST(SeasonRules, TheMemberFractionFollowsTheIdsDigits) {
    using qv::reports::sortKey;
    EXPECT_EQ(sortKey(dec("45.50"), 7).toString(), "45.5070000000");
    EXPECT_EQ(sortKey(dec("45.50"), 12).toString(), "45.5012000000");
    EXPECT_EQ(sortKey(dec("45.50"), 123).toString(), "45.5012300000");
    EXPECT_EQ(sortKey(dec("0"), 12345678).toString(), "0.0012345678");
    // Past eight digits the fraction no longer fits ten places and is rounded.
    EXPECT_EQ(sortKey(dec("0"), 123456789).toString(), "0.0012345679");
    EXPECT_EQ(sortKey(dec("-3.25"), 5).toString(), "-3.2450000000");
    EXPECT_EQ(sortKey(dec("50.00"), 7, 2).toString(), "50.0140000000");
}

TEST(SeasonRules, ImperialPartsCarryAtSixteenOrTwelve) {
    auto total = [](std::initializer_list<const char*> values, int per) {
        qv::reports::WholePartSum sum;
        for (const char* v : values) sum.add(dec(v));
        return sum.text(per);
    };
    EXPECT_EQ(total({"2.10", "1.09"}, 16), "4.03");
    EXPECT_EQ(total({"0.15", "0.02"}, 16), "1.01");
    EXPECT_EQ(total({"3.1"}, 16), "3.10") << "one digit after the point counts ten parts";
    EXPECT_EQ(total({"5"}, 16), "5.00");
    EXPECT_EQ(total({"1.11", "0.02"}, 12), "2.01");
    EXPECT_EQ(total({"1.11", "0.02"}, 16), "1.13");
    EXPECT_EQ(total({"3.19"}, 16), "4.03") << "a part sum past a whole carries";
    EXPECT_EQ(total({}, 16), "0.00");
}

class SeasonReport : public SeasonReportTest {
protected:
    void SetUp() override {
        SeasonReportTest::SetUp();
        other = division();
        season("2006");
    }
    void seasonOf(const char* id, const char* measurement, const char* scoring) {
        Season s;
        s.SeasonId = id;
        ASSERT_TRUE(fetchRecord(*store, s, "bySeasonId").isOk());
        s.Measurement = measurement;
        s.ScoringApplies = scoring;
        ASSERT_TRUE(updateRecord(*store, s).isOk());
    }
    // Members 1 .. n, each graded A in the division.
    void members(int n) {
        for (int i = 1; i <= n; ++i) history(member("M", std::to_string(i).c_str()), div, gradeA, "2000");
    }
    // A trip result with fish of one species.
    TripMember fished(int32_t tripId, int32_t memberId, const char* points, int32_t speciesId, int fish = 1,
                      const char* weight = "1.00") {
        TripMember tm;
        tm.TripId = tripId;
        tm.MemberId = memberId;
        tm.TotalTripPoints = dec(points);
        tm.TotalNumberFish = fish;
        tm.TotalWeightFish = dec(weight);
        tm = put(tm);
        TripScore row;
        row.TripMemberId = tm.TripMemberId;
        row.SpeciesId = speciesId;
        row.SpeciesNumberCaught = fish;
        put(row);
        return tm;
    }
    std::vector<ReportRow> build(char flag = 'Y') {
        ReportRun run;
        Status s = qv::reports::BuildSeasonReport(*ctx, folder().string(), run);
        EXPECT_TRUE(s.isOk()) << describe(s);
        EXPECT_EQ(run.dataFlag, flag);
        EXPECT_EQ(globals.ReportFile.str(), "reports/rptSeason.rpt");
        EXPECT_EQ(globals.WindowTitle.str(), "Season Report");
        text = readText(folder() / "DATA" / "rptSeason.xml");
        return readRows(text);
    }
    static std::vector<std::string> column(const std::vector<ReportRow>& rows, const char* field) {
        std::vector<std::string> out;
        for (const ReportRow& r : rows) out.push_back(r.at(field));
        return out;
    }
    int32_t other = 0;
    std::string text;
};

TEST_F(SeasonReport, EachMemberHasTheTotalsAndASortKeyOfItsOwn) {
    members(12);
    const int32_t snapper = speciesIn(div, "Snapper", 1);
    const int32_t t1 = trip(div, "2005"), t2 = trip(div, "2005");
    fished(t1, 7, "40.00", snapper, 2, "3.50");
    fished(t2, 7, "5.50", snapper, 1, "1.25");
    fished(t1, 12, "45.50", snapper, 4, "2.00");
    const auto rows = build();
    const auto seven = rowsOf(rows, 7), twelve = rowsOf(rows, 12);
    ASSERT_EQ(seven.size(), 4u);
    EXPECT_EQ(column(seven, "columnid"), (std::vector<std::string>{"9999", "1", "9997", "9998"}));
    EXPECT_EQ(column(seven, "columnname"),
              (std::vector<std::string>{"Total Points", "Snapper", "Total Fish", "Total Weight (kgs)"}));
    EXPECT_EQ(column(seven, "data"), (std::vector<std::string>{"45.50", "3", "3", "4.75"}));
    for (const ReportRow& r : seven) {
        EXPECT_EQ(r.at("totaltrippoints"), "45.5070000000");
        EXPECT_EQ(r.at("fullname"), "M 7");
        EXPECT_EQ(r.at("gradename"), "A");
        EXPECT_EQ(r.at("divisionname"), "Division");
        EXPECT_EQ(r.at("organisationname"), "Test Club");
    }
    ASSERT_EQ(twelve.size(), 4u);
    EXPECT_EQ(twelve[0].at("totaltrippoints"), "45.5012000000");
    EXPECT_NE(text.find("<!--Quillavon XML for RptDivision report-->"), std::string::npos);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\"?>", 0), 0u);
}

TEST_F(SeasonReport, MembersWhoseKeysCollideStayApart) {
    members(10);
    const int32_t snapper = speciesIn(div, "Snapper", 1);
    const int32_t t = trip(div, "2005");
    fished(t, 1, "20.00", snapper);
    fished(t, 10, "20.00", snapper);
    const auto rows = build();
    // 20.001 for both: only the member id tells their rows apart.
    ASSERT_EQ(rowsOf(rows, 1).size(), 4u);
    ASSERT_EQ(rowsOf(rows, 10).size(), 4u);
    EXPECT_EQ(rowsOf(rows, 1)[0].at("totaltrippoints"), rowsOf(rows, 10)[0].at("totaltrippoints"));
    EXPECT_EQ(rowsOf(rows, 10)[0].at("fullname"), "M 10");
}

TEST_F(SeasonReport, SpeciesColumnsAreThoseMetSoFarInMemberIdOrder) {
    members(3);
    const int32_t perch = speciesIn(div, "Perch", 5), trout = speciesIn(div, "Trout", 2);
    const int32_t t = trip(div, "2005");
    fished(t, 1, "10.00", perch, 2);
    fished(t, 2, "10.00", trout, 1);
    fished(t, 3, "10.00", perch, 1);
    const auto rows = build();
    // Member 1 never sees trout, met first by member 2.
    EXPECT_EQ(column(rowsOf(rows, 1), "columnname"),
              (std::vector<std::string>{"Total Points", "Perch", "Total Fish", "Total Weight (kgs)"}));
    // Later members get both, by report position, with 0 for none caught.
    EXPECT_EQ(column(rowsOf(rows, 2), "columnname"),
              (std::vector<std::string>{"Total Points", "Trout", "Perch", "Total Fish", "Total Weight (kgs)"}));
    EXPECT_EQ(column(rowsOf(rows, 3), "data"), (std::vector<std::string>{"10.00", "0", "1", "1", "1.00"}));
    EXPECT_EQ(column(rowsOf(rows, 3), "columnid"), (std::vector<std::string>{"9999", "2", "5", "9997", "9998"}));
}

TEST_F(SeasonReport, ImperialTotalsAreCarriedPerTrip) {
    seasonOf("2005", "I", "W");
    members(2);
    const int32_t cod = speciesIn(div, "Cod", 1);
    const int32_t t1 = trip(div, "2005"), t2 = trip(div, "2005");
    fished(t1, 1, "1.00", cod, 1, "2.10");
    fished(t2, 1, "1.00", cod, 1, "1.09");
    fished(t1, 2, "1.00", cod, 1, "0.15");
    fished(t2, 2, "1.00", cod, 1, "0.02");
    auto rows = build();
    EXPECT_EQ(rowsOf(rows, 1).back().at("columnname"), "Total Weight (lbs)");
    EXPECT_EQ(rowsOf(rows, 1).back().at("data"), "4.03");
    EXPECT_EQ(rowsOf(rows, 2).back().at("data"), "1.01");

    seasonOf("2005", "I", "L");
    rows = build();
    EXPECT_EQ(rowsOf(rows, 1).back().at("columnname"), "Total Length (ins)");
    EXPECT_EQ(rowsOf(rows, 1).back().at("data"), "4.07") << "2.10 + 1.09: 19 twelfths carry one";

    seasonOf("2005", "M", "L");
    rows = build();
    EXPECT_EQ(rowsOf(rows, 1).back().at("columnname"), "Total Length (cms)");
    EXPECT_EQ(rowsOf(rows, 1).back().at("data"), "3.19");
}

TEST_F(SeasonReport, OnlyMembersWhoCaughtFishInTheDivisionAndSeasonAppear) {
    members(4);
    const int32_t cod = speciesIn(div, "Cod", 1);
    fished(trip(other, "2005"), 1, "10.00", cod);  // another division
    fished(trip(div, "2006"), 2, "10.00", cod);    // another season
    const int32_t t = trip(div, "2005");
    fished(t, 3, "10.00", cod, 0);  // the form's blank line only: nothing caught
    TripMember visitor;
    visitor.TripId = t;
    visitor.NonMemberId = nonMember(t, gradeA);
    visitor.TotalTripPoints = dec("50.00");
    put(visitor);
    auto rows = build('N');
    EXPECT_TRUE(rows.empty());
    EXPECT_NE(text.find("<Data"), std::string::npos) << "the file is written all the same";

    fished(t, 4, "1.00", cod);
    rows = build();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].at("memberid"), "4");
}

}  // namespace
}  // namespace qvtest
