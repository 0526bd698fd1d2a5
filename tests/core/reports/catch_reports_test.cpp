// The catch list of the five catch reports and the catch and release
// champion's rows, as their definitions read them.

#include "core/reports/CatchRelease.h"
#include "core/reports/CatchReports.h"
#include "tests/core/reports/CatchFixture.h"

namespace qvtest {
namespace {

using qv::reports::ReportRun;

class CatchLists : public CatchClub {
protected:
    void SetUp() override {
        CatchClub::SetUp();
        first = addSpecies(2);
        t1 = trip(div, "2005");
        t2 = trip(div, "2005");
        ann = angler(t1, graded("Ann", "Smith"), "10.00").TripMemberId;
        visitor = angler(t1, 0, "5.00", 0, 0, nonMember(t1, gradeA)).TripMemberId;
        fish(ann, first, "Release", "4.00");
        fish(visitor, first, "Caught", "3.00");
        fish(angler(t2, graded("Bob", "Jones"), "7.00").TripMemberId, first + 1, "Caught", "6.00");
        season("2006");
        fish(angler(trip(div, "2006"), graded("Cy", "Brown"), "1.00").TripMemberId, first, "Caught", "1.00");
    }
    ReportRun build(char kind) {
        ReportRun run;
        Status s = qv::reports::BuildCatchList(*ctx, folder().string(), kind, run);
        EXPECT_TRUE(s.isOk()) << describe(s);
        return run;
    }
    int32_t first = 0, t1 = 0, t2 = 0, ann = 0, visitor = 0;
};

TEST_F(CatchLists, EachKindHasItsFileDefinitionAndTitle) {
    globals.TripId = t1;
    const struct {
        char kind;
        const char *file, *definition, *title;
    } kinds[] = {
        {'T', "rptTripCatch.xml", "reports/rptTripCatch.rpt", "Trip Catch Report"},
        {'F', "rptFly.xml", "reports/rptFly.rpt", "Fly Report"},
        {'S', "rptBiggestSpecies.xml", "reports/rptBiggestSpecies.rpt", "Biggest Species Report"},
        {'B', "rptBiggestSpecies.xml", "reports/rptBiggestSpeciesTrip.rpt", "Biggest Species for Trip Report"},
        {'L', "rptLineClass.xml", "reports/rptLineClass.rpt", "Line Class - Highest Points Report"},
    };
    for (const auto& k : kinds) {
        ReportRun run = build(k.kind);
        EXPECT_EQ(run.reportFile, k.definition) << k.kind;
        EXPECT_EQ(globals.WindowTitle.str(), k.title) << k.kind;
        ASSERT_EQ(run.dataFiles.size(), 1u) << k.kind;
        EXPECT_EQ(fs::path(run.dataFiles[0]).filename(), k.file) << k.kind;
        const std::string text = file(k.file);
        EXPECT_EQ(text.rfind("<?xml version=\"1.0\"?>", 0), 0u) << k.kind;
        EXPECT_TRUE(has(text, "<!--Trip Catch XML for numerous reports-->")) << k.kind;
    }
    ReportRun none;
    EXPECT_FALSE(qv::reports::BuildCatchList(*ctx, folder().string(), 'X', none).isOk());
}

TEST_F(CatchLists, VisitorsOnlyOnTheOneTripReportsOfTripsThatAllowThem) {
    globals.TripId = t1;
    build('T');
    std::string rows = file("rptTripCatch.xml");
    EXPECT_EQ(occurrences(rows, "<Row>"), 2) << "the chosen trip only: Ann and the visitor";
    EXPECT_TRUE(has(rows, "<fullname>Visitor *</fullname>")) << rows;
    EXPECT_TRUE(has(rows, "<fullname>Ann Smith</fullname>"));
    EXPECT_TRUE(has(rows, "<score>4.00</score>"));
    EXPECT_TRUE(has(rows, "<lengthmeasurement>cms</lengthmeasurement>"));
    EXPECT_TRUE(has(rows, "<weightmeasurement>kgs</weightmeasurement>"));

    build('S');
    rows = file("rptBiggestSpecies.xml");
    EXPECT_EQ(occurrences(rows, "<Row>"), 2) << "both trips of the season, members only";
    EXPECT_FALSE(has(rows, "Visitor"));
    EXPECT_TRUE(has(rows, "<fullname>Bob Jones</fullname>"));
    EXPECT_FALSE(has(rows, "Cy Brown")) << "another season";

    Trips t;
    t.TripId = t1;
    ASSERT_TRUE(fetchRecord(*store, t, "byTripId").isOk());
    t.AllowNonMembers = "N";
    ASSERT_TRUE(updateRecord(*store, t).isOk());
    build('B');
    EXPECT_FALSE(has(file("rptBiggestSpecies.xml"), "Visitor"));
}

TEST_F(CatchLists, ATripOutsideTheDivisionAndSeasonHasNoData) {
    globals.TripId = t1;
    globals.SeasonId = "2006";
    ReportRun run = build('T');
    EXPECT_EQ(run.dataFlag, 'N');
    EXPECT_EQ(globals.ReportDataFlag.str(), "N");
    EXPECT_EQ(occurrences(file("rptTripCatch.xml"), "<Row>"), 0);
}

TEST_F(CatchLists, ACatchWithABlankReleaseFieldIsListed) {
    fish(ann, first + 1, "", "9.00");
    globals.TripId = t1;
    EXPECT_EQ(build('T').dataFlag, 'Y');
    const std::string rows = file("rptTripCatch.xml");
    EXPECT_EQ(occurrences(rows, "<Row>"), 3);
    EXPECT_TRUE(has(rows, "<score>9.00</score>"));
}

class CatchRelease : public CatchClub {
protected:
    ReportRun build() {
        ReportRun run;
        Status s = qv::reports::BuildCatchReleaseReport(*ctx, folder().string(), run);
        EXPECT_TRUE(s.isOk()) << describe(s);
        return run;
    }
    // The rows of one group as "columnid columnname data" lines.
    static std::vector<std::string> rowsOf(const std::string& text, const std::string& group) {
        std::vector<std::string> out;
        auto field = [](const std::string& row, const std::string& name) {
            const size_t a = row.find("<" + name + ">") + name.size() + 2;
            return row.substr(a, row.find("</" + name + ">") - a);
        };
        for (size_t at = text.find("<Row>"); at != std::string::npos; at = text.find("<Row>", at + 1)) {
            const std::string row = text.substr(at, text.find("</Row>", at) - at);
            if (field(row, "releasekill") == group)
                out.push_back(field(row, "columnid") + " " + field(row, "columnname") + " " + field(row, "data"));
        }
        return out;
    }
};

TEST_F(CatchRelease, OnlyReleasedFishGiveAReleaseTotalAndEverySpeciesButNoCaughtRows) {
    const int32_t sp = addSpecies(3);
    const int32_t t = trip(div, "2005");
    const int32_t ann = angler(t, graded("Ann", "Smith"), "10.00").TripMemberId;
    fish(ann, sp, "Release", "5.00");
    fish(ann, sp, "Release", "2.50");
    fish(ann, sp + 2, "", "4.00");  // neither released nor kept: left out
    fish(angler(t, graded("Bob", "Jones"), "1.00").TripMemberId, sp, "", "8.00");
    fish(angler(t, 0, "3.00", 0, 0, nonMember(t, gradeA)).TripMemberId, sp, "Release", "1.00");

    ReportRun run = build();
    EXPECT_EQ(run.dataFlag, 'Y');
    EXPECT_EQ(run.reportFile, "reports/rptCatchRelease.rpt");
    EXPECT_EQ(globals.WindowTitle.str(), "Champion Catch and Release / Caught Report");
    const std::string text = file("rptCatchRelease.xml");
    EXPECT_NE(text.rfind("<?xml", 0), 0u) << "no declaration";
    EXPECT_FALSE(has(text, "XML for")) << "no description comment";
    const std::string s = std::to_string(sp), s2 = std::to_string(sp + 1), s3 = std::to_string(sp + 2);
    EXPECT_EQ(rowsOf(text, "Release"),
              (std::vector<std::string>{"9999 Total 7.50", s + " Fish1 7.50", s2 + " Fish2 0.00", s3 + " Fish3 0.00"}));
    EXPECT_TRUE(rowsOf(text, "Caught").empty());
    EXPECT_FALSE(has(text, "Bob Jones")) << "a blank release field counts in neither group";
    EXPECT_FALSE(has(text, "Visitor"));
    EXPECT_EQ(occurrences(text, "<totaltrippoints>7.5010000000</totaltrippoints>"), 4) << "every row of Ann's group";
}

TEST_F(CatchRelease, AFishOfASpeciesOutsideTheDivisionHasItsOwnRowSoTheRowsAddUpToTheTotal) {
    const int32_t sp = addSpecies(2);
    const int32_t other = division();
    const int32_t stray = addSpecies(1, other);
    const int32_t t = trip(div, "2005");
    const int32_t ann = angler(t, graded("Ann", "Smith"), "10.00").TripMemberId;
    const int32_t bob = angler(t, graded("Bob", "Jones"), "10.00").TripMemberId;
    fish(ann, sp, "Caught", "2.00");
    fish(ann, stray, "Caught", "3.00");
    fish(bob, sp + 1, "Caught", "1.00");
    build();
    const std::vector<std::string> rows = rowsOf(file("rptCatchRelease.xml"), "Caught");
    const std::string s = std::to_string(sp), s2 = std::to_string(sp + 1), x = std::to_string(stray);
    EXPECT_EQ(rows, (std::vector<std::string>{"9999 Total 5.00", s + " Fish1 2.00", s2 + " Fish2 0.00",
                                              x + " Fish1 3.00", "9999 Total 1.00", s + " Fish1 0.00",
                                              s2 + " Fish2 1.00", x + " Fish1 0.00"}));
}

TEST_F(CatchRelease, TheMemberFractionKeepsTotalsInOrderButCannotTellMembers1And10Apart) {
    using qv::reports::memberFractionKey;
    EXPECT_EQ(memberFractionKey(dec("12.50"), 123).toString(), "12.5012300000");
    EXPECT_EQ(memberFractionKey(dec("12.50"), 1), memberFractionKey(dec("12.50"), 10));
    EXPECT_GT(memberFractionKey(dec("12.51"), 1).units, memberFractionKey(dec("12.50"), 99999999).units);
    EXPECT_EQ(memberFractionKey(dec("0"), 1234567890).toString(), "0.0012345678");
}

TEST_F(CatchRelease, NoCatchesNoData) {
    addSpecies(1);
    angler(trip(div, "2005"), graded("Ann", "Smith"), "10.00");
    EXPECT_EQ(build().dataFlag, 'N');
    EXPECT_EQ(occurrences(file("rptCatchRelease.xml"), "<Row>"), 0);
}

}  // namespace
}  // namespace qvtest
