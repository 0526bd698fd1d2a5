#pragma once
// Look-ups the catch, certificate and team reports share: the files a
// builder keeps open while it runs, the report name and grade of an angler
// (member or visitor) cached for one build, the division and season a
// report is run for, the species of a division, and (through XmlDecimal.h)
// a decimal as the XML writer takes it.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/Store.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/reports/OpenFiles.h"
#include "core/reports/XmlDecimal.h"
#include "core/scoring/Grades.h"
#include "olmix/Record.h"

namespace qv::reports {

// The line a report prints for one angler.
struct AnglerLine {
    std::string name;      // report name: "Ann Smith (L)", a visitor with "*" after the last name
    std::string lastName;  // MEM:LastName or NON:LastName
    int32_t gradeId = 0;
    std::string gradeName;
    int16_t gradePosition = 0;
};

class ReportAnglers {
public:
    explicit ReportAnglers(data::Store& store) : store_(store), grades_(store) {}

    // A member: the member report name and the grade for the division and season.
    data::Status member(int32_t memberId, int32_t divisionId, std::string_view seasonId, AnglerLine& out);
    // A visitor: the visitor's report name and its own grade.
    data::Status nonMember(int32_t nonMemberId, AnglerLine& out);
    // A trip member as a member (no visitor id) or as a visitor.
    data::Status of(const data::TripMember& tm, const data::Trips& trip, AnglerLine& out);
    // A member's record, read once per build; a blank record when there is none.
    data::Status memberRecord(int32_t memberId, data::Members& out);

private:
    data::Status fillGrade(AnglerLine& out);
    data::Store& store_;
    scoring::GradeBook grades_;
    std::map<int32_t, data::Members> members_;
    std::map<int32_t, data::Grade> gradeCache_;
};

// A visitor's report name: first and last name, an asterisk, then " (L)"
// and " (V)" by the visitor's flags.
std::string nonMemberName(const data::NonMembers& n);

// The division and season a report is run for. A record that is not there
// stays blank but for its id; only a failure of the file layer comes back.
data::Status divisionAndSeason(data::Store& store, int32_t divisionId, const std::string& seasonId,
                               data::Division& division, data::Season& season);

// The trip's heading in a row, from field `f` on (left past it): the
// organisation, the season, the trip number, its date, location and
// inter-club description, and the division.
void setTripHeading(olmix::RecordQueue& q, size_t& f, const std::string& organisation, const data::Season& season,
                    const data::Trips& trip, const data::Division& division);

// The species of a division, in species id order.
data::Status divisionSpecies(data::Store& store, int32_t divisionId, std::vector<data::Species>& out);

// "Trip Catch XML for numerous reports": the comment of the catch-row files.
inline constexpr const char* kCatchXmlComment = "Trip Catch XML for numerous reports";

}  // namespace qv::reports
