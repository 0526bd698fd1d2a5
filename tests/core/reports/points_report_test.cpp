// The progressive and championship points reports: the trip columns, the
// best-trips rule, the sort keys, and who is left out.

#include "core/reports/BestTrips.h"
#include "core/reports/PointsReport.h"
#include "tests/core/reports/ReportRows.h"
#include "tests/core/reports/SeasonFixture.h"

namespace qvtest {
namespace {

using qv::reports::PointsColumn;
using qv::reports::ReportRun;

std::vector<std::string> field(const std::vector<ReportRow>& rows, const char* name) {
    std::vector<std::string> out;
    for (const ReportRow& r : rows) out.push_back(r.at(name));
    return out;
}
using Texts = std::vector<std::string>;

TEST(BestTrips, TheTotalLeadsThenTheBestTripsLowerIdFirstOnATie) {
    auto best = qv::reports::bestTrips({{9999, "Total", dec("60.00")}, {1, "1", dec("10.00")},
                                        {2, "2", dec("30.00")}, {3, "3", dec("20.00")}, {4, "4", dec("0")}},
                                       2, 9999);
    ASSERT_EQ(best.size(), 3u);
    EXPECT_EQ(best[0].id, 9999);
    EXPECT_EQ(best[0].points, dec("50"));
    EXPECT_EQ(best[1].id, 2);
    EXPECT_EQ(best[2].id, 3);

    best = qv::reports::bestTrips({{9999, "Total", dec("30")}, {5, "2", dec("10")}, {3, "1", dec("10")},
                                   {7, "3", dec("10")}},
                                  2, 9999);
    EXPECT_EQ(best[1].id, 3);
    EXPECT_EQ(best[2].id, 5);

    // More trips wanted than fished: every trip, all summed.
    best = qv::reports::bestTrips({{9999, "Total", dec("0")}, {1, "1", dec("4")}}, 6, 9999);
    ASSERT_EQ(best.size(), 2u);
    EXPECT_EQ(best[0].points, dec("4"));
}

TEST(BestTrips, NegativeOrZeroPointsNeverPushTheTotalOut) {
    // The total (-15) sorts below two trips: still first, and only the best trip counts.
    auto best = qv::reports::bestTrips({{9999, "Total", dec("-15")}, {1, "1", dec("10")}, {2, "2", dec("5")},
                                        {3, "3", dec("-30")}},
                                       1, 9999);
    ASSERT_EQ(best.size(), 2u);
    EXPECT_EQ(best[0].id, 9999);
    EXPECT_EQ(best[0].points, dec("10"));
    EXPECT_EQ(best[1].id, 1);

    best = qv::reports::bestTrips({{9999, "Total", dec("0")}, {1, "1", dec("0")}, {2, "2", dec("0")}}, 2, 9999);
    ASSERT_EQ(best.size(), 3u);
    EXPECT_EQ(best[0].id, 9999);
    EXPECT_EQ(best[0].points, dec("0"));
}

class PointsReport : public SeasonReportTest {
protected:
    void bestTrips(int32_t n) {
        Division d;
        d.DivisionId = div;
        ASSERT_TRUE(fetchRecord(*store, d, "byDivisionId").isOk());
        d.BestTripsNumber = n;
        ASSERT_TRUE(updateRecord(*store, d).isOk());
    }
    int32_t graded(const char* last, const char* inactive = "N") {
        const int32_t m = member("M", last);
        history(m, div, gradeA, "2000");
        if (std::string_view(inactive) == "Y") {
            Members rec;
            rec.MemberId = m;
            EXPECT_TRUE(fetchRecord(*store, rec, "byMemberId").isOk());
            rec.InactiveFlag = "Y";
            EXPECT_TRUE(updateRecord(*store, rec).isOk());
        }
        return m;
    }
    std::vector<ReportRow> progress(char flag = 'Y') {
        return build(qv::reports::BuildProgressPointsReport, flag, "Progressive Points Report",
                     "reports/rptProgressPts.rpt");
    }
    std::vector<ReportRow> championship(char flag = 'Y') {
        return build(qv::reports::BuildChampionshipPointsReport, flag, "Championship Points Report",
                     "reports/rptChampionshipPts.rpt");
    }
    template <typename F>
    std::vector<ReportRow> build(F builder, char flag, const char* title, const char* file) {
        ReportRun run;
        Status s = builder(*ctx, folder().string(), run);
        EXPECT_TRUE(s.isOk()) << describe(s);
        EXPECT_EQ(run.dataFlag, flag);
        EXPECT_EQ(globals.WindowTitle.str(), title);
        EXPECT_EQ(globals.ReportFile.str(), file);
        text = readText(folder() / "DATA" / "rptProgressPts.xml");
        return readRows(text);
    }
    std::string text;
};

TEST_F(PointsReport, ProgressShowsEveryTripWithAZeroWhereTheMemberDidNotFish) {
    const int32_t ann = graded("Ann");
    const int32_t t1 = trip(div, "2005"), t2 = trip(div, "2005"), t3 = trip(div, "2005");
    angler(t1, ann, "12.50");
    angler(t3, ann, "5.00", 8);  // a penalty above the points: negative, and kept
    const auto rows = progress();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(field(rows, "columnid"), (Texts{"9999", std::to_string(t1), std::to_string(t2), std::to_string(t3)}));
    EXPECT_EQ(field(rows, "columnname"), (Texts{"Total", "1", "2", "3"}));
    EXPECT_EQ(field(rows, "data"), (Texts{"9.50", "12.50", "0.00", "-3.00"}));
    for (const ReportRow& r : rows) {
        EXPECT_EQ(r.at("totaltrippoints"), "9.5010000000");
        EXPECT_EQ(r.at("gradename"), "A");
        EXPECT_EQ(r.at("gradeposition"), "1");
        EXPECT_EQ(r.at("memberid"), "1");
    }
    // Written without a declaration and without a comment.
    EXPECT_EQ(text.find("<?xml"), std::string::npos);
    EXPECT_EQ(text.find("Quillavon XML"), std::string::npos);
}

TEST_F(PointsReport, TheChampionshipCountsTheBestTrips) {
    const int32_t ann = graded("Ann");
    const int32_t t1 = trip(div, "2005"), t2 = trip(div, "2005"), t3 = trip(div, "2005");
    angler(t1, ann, "10.00");
    angler(t2, ann, "30.00");
    angler(t3, ann, "20.00");
    bestTrips(2);
    auto rows = championship();
    EXPECT_EQ(field(rows, "columnid"), (Texts{"9999", std::to_string(t2), std::to_string(t3)}));
    EXPECT_EQ(field(rows, "data"), (Texts{"50.00", "30.00", "20.00"}));
    EXPECT_EQ(rows[0].at("totaltrippoints"), "50.0010000000");

    // No number of best trips: all of them in column order, the key carrying
    // the member fraction twice as it always has.
    bestTrips(0);
    rows = championship();
    EXPECT_EQ(field(rows, "columnid"),
              (Texts{std::to_string(t1), std::to_string(t2), std::to_string(t3), "9999"}));
    EXPECT_EQ(field(rows, "data"), (Texts{"10.00", "30.00", "20.00", "60.00"}));
    EXPECT_EQ(rows[0].at("totaltrippoints"), "60.0020000000");
}

TEST_F(PointsReport, TheChampionshipTotalSurvivesNegativeAndZeroTrips) {
    const int32_t ann = graded("Ann"), bob = graded("Bob");
    const int32_t t1 = trip(div, "2005"), t2 = trip(div, "2005"), t3 = trip(div, "2005");
    angler(t1, ann, "10.00");
    angler(t2, ann, "5.00");
    angler(t3, ann, "0.00", 30);
    angler(t1, bob, "0.00");
    bestTrips(1);
    const auto rows = championship();
    const auto annRows = rowsOf(rows, ann), bobRows = rowsOf(rows, bob);
    EXPECT_EQ(field(annRows, "columnid"), (Texts{"9999", std::to_string(t1)}));
    EXPECT_EQ(annRows[0].at("data"), "10.00");
    EXPECT_EQ(field(bobRows, "columnid"), (Texts{"9999", std::to_string(t1)}));
    EXPECT_EQ(bobRows[0].at("data"), "0.00");
}

TEST_F(PointsReport, InactiveMembersAndOtherSeasonsAreLeftOutOfTheChampionship) {
    const int32_t ann = graded("Ann"), gone = graded("Gone", "Y");
    season("2006");
    const int32_t t = trip(div, "2005");
    angler(t, ann, "10.00");
    angler(t, gone, "40.00");
    angler(trip(div, "2006"), ann, "99.00");
    bestTrips(0);
    EXPECT_EQ(rowsOf(progress(), gone).size(), 2u);
    auto rows = championship();
    EXPECT_TRUE(rowsOf(rows, gone).empty());
    ASSERT_EQ(rowsOf(rows, ann).size(), 2u);
    EXPECT_EQ(rowsOf(rows, ann)[1].at("data"), "10.00");
}

TEST_F(PointsReport, NoTripsNoRows) {
    graded("Ann");
    EXPECT_TRUE(progress('N').empty());
    EXPECT_TRUE(championship('N').empty());
    EXPECT_NE(text.find("<Data"), std::string::npos);
}

}  // namespace
}  // namespace qvtest
