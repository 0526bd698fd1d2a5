#pragma once
// What the season, progressive and championship reports read alike: one
// division's trips of one season, its members' trip results gathered per
// member, and the heading of each member's rows (report name, grade).

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/reports/OpenFiles.h"
#include "core/scoring/Grades.h"

namespace qv::reports {

struct SeasonScope {
    data::Division division;  // blank when there is no such division
    data::Season season;      // blank when there is no such season
    std::vector<data::Trips> trips;  // the division's trips of the season, by trip id
    // Each member's trip results on those trips, by member id, each in
    // trip member id order. Visitors (no member id) are not here.
    std::map<int32_t, std::vector<data::TripMember>> byMember;
};

// Reads the scope of `divisionId` and `seasonId`. The files must be open.
data::Status readSeasonScope(data::Store& store, int32_t divisionId, const std::string& seasonId,
                             SeasonScope& out);

// Opens the files these reports read for the life of the object.
class SeasonFiles : public OpenFiles {
public:
    explicit SeasonFiles(data::Store& store);
};

// A member's row heading.
struct MemberHeading {
    bool found = false;       // false: no such member, the rows are left out
    bool inactive = false;    // MEM:InactiveFlag = 'Y'
    std::string name;         // the member report name
    std::string gradeName;    // of the member's grade for the division and season
    int16_t gradePosition = 0;
};

// Member headings for one division and season. The division's grade
// history is read in one walk, on the first heading, and each grade once.
class MemberHeadings {
public:
    MemberHeadings(data::Store& store, int32_t divisionId, std::string seasonId);
    data::Status heading(int32_t memberId, MemberHeading& out);

private:
    data::Store& store_;
    int32_t divisionId_;
    std::string seasonId_;
    bool historyRead_ = false;
    std::map<int32_t, std::vector<data::GradeHistory>> history_;  // by member
    std::map<int32_t, data::Grade> gradeCache_;
};

}  // namespace qv::reports
