#pragma once
// A small club with a division, a season, grades, species and trips, and
// helpers to enter catches, summary rows and teams, for the catch,
// certificate and team report builders.

#include "core/reports/ReportRun.h"
#include "tests/core/reports/ReportFiles.h"
#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {

class CatchClub : public ClubTest {
protected:
    void SetUp() override {
        ClubTest::SetUp();
        uses.push_back(std::make_unique<FileUse>(*store, "Teams"));
        fs::create_directories(folder() / "DATA");
        div = division();
        season("2005", "W", "P");
        gradeA = grade("A");
        globals.DivisionId = div;
        globals.SeasonId = "2005";
        globals.OrganisationName = "Test Club";
    }
    void TearDown() override {
        uses.clear();  // before the store goes
        ClubTest::TearDown();
    }
    // `n` species of the division, named Fish1, Fish2, ...; the first id.
    int32_t addSpecies(int n, int32_t divisionId = 0, const char* teamPoints = "0") {
        int32_t first = 0;
        for (int i = 1; i <= n; ++i) {
            Species sp;
            sp.DivisionId = divisionId ? divisionId : div;
            sp.SpeciesName = "Fish" + std::to_string(i);
            sp.ReportPosition = static_cast<int16_t>(i);
            sp.InactiveFlag = "N";
            sp.TeamPoints = dec(teamPoints);
            const int32_t id = put(sp).SpeciesId;
            if (!first) first = id;
        }
        return first;
    }
    int32_t graded(const char* first, const char* last) {
        int32_t m = member(first, last);
        history(m, div, gradeA, "2000");
        return m;
    }
    void fish(int32_t tripMemberId, int32_t speciesId, const char* releaseKill, const char* score,
              const char* weight = "1.000", const char* fly = "Non-Fly") {
        TripCatch c;
        c.TripMemberId = tripMemberId;
        c.SpeciesId = speciesId;
        c.SpeciesName = "Species" + std::to_string(speciesId);
        c.ReleaseKill = releaseKill;
        c.Score = dec(score);
        c.SpeciesWeight = dec(weight);
        c.FlyCaught = fly;
        put(c);
    }
    std::string file(const char* name) { return readFile(folder() / "DATA" / name); }
    static bool has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

    int32_t div = 0, gradeA = 0;
    std::vector<std::unique_ptr<FileUse>> uses;
};

}  // namespace qvtest
