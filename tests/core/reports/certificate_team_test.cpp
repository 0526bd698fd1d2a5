// The certificate's heading and species columns, and the team points of a
// trip's team anglers.

#include "core/reports/Certificate.h"
#include "core/reports/TeamPoints.h"
#include "tests/core/reports/CatchFixture.h"

namespace qvtest {
namespace {

using qv::reports::ReportRun;

class Certificate : public CatchClub {
protected:
    ReportRun build() {
        ReportRun run;
        Status s = qv::reports::BuildCertificate(*ctx, folder().string(), run);
        EXPECT_TRUE(s.isOk()) << describe(s);
        return run;
    }
    // A trip of the division and season fished by `memberId`, with `perSpecies` fish of each species.
    void fished(int32_t memberId, int32_t firstSpecies, int species, int perSpecies, const char* seasonId = "2005") {
        TripMember tm;
        tm.TripId = trip(div, seasonId);
        tm.MemberId = memberId;
        tm.TotalNumberFish = species * perSpecies;
        tm = put(tm);
        for (int k = 0; k < species; ++k) caught(tm.TripMemberId, firstSpecies + k, perSpecies);
    }
};

TEST_F(Certificate, AMemberWithoutATripHasNoDataButBothFiles) {
    addSpecies(3);
    globals.MemberId = graded("Ann", "Smith");
    ReportRun run = build();
    EXPECT_EQ(run.dataFlag, 'N');
    EXPECT_EQ(globals.ReportDataFlag.str(), "N");
    EXPECT_EQ(globals.WindowTitle.str(), "Certificate");
    EXPECT_EQ(run.reportFile, "reports/rptCertificate.rpt");
    ASSERT_EQ(run.dataFiles.size(), 2u);
    const std::string heading = file("rptCertificate.xml");
    EXPECT_TRUE(has(heading, "<tripcount>0</tripcount>")) << heading;
    EXPECT_TRUE(has(file("rptCertificateFishHistory.xml"), "<speciesname1>Fish1</speciesname1>"));
    EXPECT_NE(heading.rfind("<?xml", 0), 0u) << "no declaration";
}

TEST_F(Certificate, TripsAndFishOfTheDivisionAndSeasonOnly) {
    const int32_t sp = addSpecies(3);
    season("2006");
    const int32_t ann = graded("Ann", "Smith");
    globals.MemberId = ann;
    fished(ann, sp, 2, 1);
    fished(ann, sp, 3, 2);
    fished(ann, sp, 3, 5, "2006");  // another season
    EXPECT_EQ(build().dataFlag, 'Y');
    const std::string heading = file("rptCertificate.xml");
    for (const char* want : {"<totalnumberfish>8</totalnumberfish>", "<fullname>Ann Smith</fullname>",
                             "<tripcount>2</tripcount>", "<organisationname>Test Club</organisationname>"})
        EXPECT_TRUE(has(heading, want)) << want << heading;
    const std::string columns = file("rptCertificateFishHistory.xml");
    for (const char* want : {"<speciesnumbercaught1>3</speciesnumbercaught1>",
                             "<speciesnumbercaught3>2</speciesnumbercaught3>", "<speciesname4></speciesname4>"})
        EXPECT_TRUE(has(columns, want)) << want << columns;
}

TEST_F(Certificate, TenSpeciesNameTheTenthColumnTwelveCombineTheRest) {
    int32_t sp = addSpecies(10);
    const int32_t ann = graded("Ann", "Smith");
    globals.MemberId = ann;
    fished(ann, sp, 10, 1);
    build();
    std::string columns = file("rptCertificateFishHistory.xml");
    EXPECT_TRUE(has(columns, "<speciesname10>Fish10</speciesname10>")) << columns;
    EXPECT_TRUE(has(columns, "<speciesnumbercaught10>1</speciesnumbercaught10>"));

    Species more;
    for (int i = 11; i <= 12; ++i) {
        more.DivisionId = div;
        more.SpeciesName = "Fish" + std::to_string(i);
        more.ReportPosition = static_cast<int16_t>(i);
        more.InactiveFlag = "N";
        more.SpeciesId = 0;
        const int32_t id = put(more).SpeciesId;
        fished(ann, id, 1, 3);
    }
    build();
    columns = file("rptCertificateFishHistory.xml");
    EXPECT_TRUE(has(columns, "<speciesname10>Combined</speciesname10>")) << columns;
    EXPECT_TRUE(has(columns, "<speciesnumbercaught10>7</speciesnumbercaught10>")) << "1 + 3 + 3";
    EXPECT_TRUE(has(columns, "<speciesname9>Fish9</speciesname9>"));
}

TEST_F(Certificate, SpeciesNamesAreCutAtTwentyCharactersNotBytes) {
    Species sp;
    sp.DivisionId = div;
    sp.SpeciesName = "Kōkopu of the Ōkārito Lagoon";
    sp.ReportPosition = 1;
    sp.InactiveFlag = "N";
    put(sp);
    globals.MemberId = graded("Ann", "Smith");
    build();
    EXPECT_TRUE(has(file("rptCertificateFishHistory.xml"), "<speciesname1>Kōkopu of the Ōkārit</speciesname1>"));
}

class TeamPoints : public CatchClub {
protected:
    void SetUp() override {
        CatchClub::SetUp();
        sp = addSpecies(2, 0, "2.50");
        t = trip(div, "2005");
        globals.TripId = t;
        Teams team;
        team.Name = "Reel Deal";
        team.TripId = t;
        teamId = put(team).TeamId;
    }
    ReportRun build() {
        ReportRun run;
        Status s = qv::reports::BuildTeamPoints(*ctx, folder().string(), run);
        EXPECT_TRUE(s.isOk()) << describe(s);
        return run;
    }
    TripMember inTeam(int32_t memberId, const char* points, int32_t nonMemberId = 0) {
        TripMember tm;
        tm.TripId = t;
        tm.MemberId = memberId;
        tm.NonMemberId = nonMemberId;
        tm.TeamId = teamId;
        tm.TotalTripPoints = dec(points);
        tm.TotalNumberFish = 3;
        return put(tm);
    }
    int32_t sp = 0, t = 0, teamId = 0;
};

TEST_F(TeamPoints, TeamPointsTimesFishWhenTheyApplyElseTripPoints) {
    const TripMember ann = inTeam(graded("Ann", "Smith"), "41.00");
    caught(ann.TripMemberId, sp, 3);
    caught(ann.TripMemberId, sp + 1, 0);
    angler(t, graded("Bob", "Jones"), "99.00");  // no team: not listed
    inTeam(0, "12.00", nonMember(t, gradeA));

    editSettings([](System& s) { s.ReportTeamPointsApply = 1; });
    ReportRun run = build();
    EXPECT_EQ(run.dataFlag, 'Y');
    EXPECT_EQ(run.reportFile, "reports/rptTeamPoints.rpt");
    EXPECT_EQ(globals.WindowTitle.str(), "Team Points Report");
    std::string rows = file("rptTeamPoints.xml");
    EXPECT_EQ(occurrences(rows, "<Row>"), 2) << rows;
    EXPECT_TRUE(has(rows, "<score>7.50</score>")) << "3 fish x 2.50";
    EXPECT_TRUE(has(rows, "<score>0.00</score>")) << "the visitor has no summary rows";
    EXPECT_TRUE(has(rows, "<teamname>Reel Deal</teamname>"));
    EXPECT_TRUE(has(rows, "<speciesnumber>3</speciesnumber>"));
    EXPECT_TRUE(has(rows, "<fullname>Visitor *</fullname>"));
    EXPECT_FALSE(has(rows, "Bob Jones"));
    EXPECT_TRUE(has(rows, "<!--Trip Catch XML for numerous reports-->"));

    editSettings([](System& s) { s.ReportTeamPointsApply = 0; });
    build();
    rows = file("rptTeamPoints.xml");
    EXPECT_TRUE(has(rows, "<score>41.00</score>")) << rows;
    EXPECT_TRUE(has(rows, "<score>12.00</score>"));
}

TEST_F(TeamPoints, NoTeamAnglersNoData) {
    angler(t, graded("Bob", "Jones"), "99.00");
    EXPECT_EQ(build().dataFlag, 'N');
    EXPECT_EQ(occurrences(file("rptTeamPoints.xml"), "<Row>"), 0);
}

}  // namespace
}  // namespace qvtest
