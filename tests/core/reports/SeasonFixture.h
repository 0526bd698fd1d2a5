#pragma once
// A club with one division, its 2005 season and grade A, chosen in the
// global values, and the DATA folder the report builders write into.

#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {

class SeasonReportTest : public ClubTest {
protected:
    void SetUp() override {
        ClubTest::SetUp();
        fs::create_directories(folder() / "DATA");
        div = division();
        season("2005");
        gradeA = grade("A");
        globals.DivisionId = div;
        globals.SeasonId = "2005";
        globals.OrganisationName = "Test Club";
    }
    int32_t div = 0, gradeA = 0;
};

}  // namespace qvtest
