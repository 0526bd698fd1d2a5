#pragma once
// The rules a member's grade history keeps: a grading runs from its start
// season to its end season (blank: still current), at most one grading of a
// division is current, and no two gradings of a division share a season.
// Season ids compare as texts; a blank end season stands for the highest
// season there can be.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/Store.h"
#include "core/messages/Status.h"

namespace qv::scoring {

// What a blank end season compares as: later than every season id.
inline constexpr std::string_view kOpenEndSeason = "ZZZZZZZZZZZZZZZZZZZZ";

// The end season as the range tests read it.
std::string_view endForRange(std::string_view endSeasonId);

enum class GradingFault {
    None,
    EndBeforeStart,
    NoGrade,
    NoDivision,
    NoStartSeason,
    SecondCurrent,  // a second grading without an end season
    RangeTaken,     // the seasons overlap another grading of the division
};

// The message each fault is refused with (blank for None).
std::string gradingFaultText(GradingFault fault);

// How `row` stands against one other grading of the same member and
// division: None, SecondCurrent or RangeTaken.
GradingFault clashWith(const data::GradeHistory& row, const data::GradeHistory& other);

// Checks a grading before it is stored, in the order the member form asks:
// the end season against the start, the grade, the division and the start
// season given, then every other grading of the member in the same division
// (rows in member-key order; the row itself, by its id, is skipped; the
// first clash is the answer).
GradingFault checkGrading(const data::GradeHistory& row, const std::vector<data::GradeHistory>& memberRows);

// Whether the member has a grading of `divisionId` that ended before
// `seasonId` (a blank end season never has).
bool gradingEndedBefore(const std::vector<data::GradeHistory>& memberRows, int32_t divisionId,
                        std::string_view seasonId);

// The member's grade history rows in member-key order (as stored).
data::Status readMemberGradings(data::Store& store, int32_t memberId, std::vector<data::GradeHistory>& rows);

// Whether the member fished a trip of `seasonId`.
data::Status memberFishedSeason(data::Store& store, int32_t memberId, std::string_view seasonId, bool& fished);

// The name kept for lists and reports: "Last, First" without trailing blanks.
std::string listedName(std::string_view firstName, std::string_view lastName);

}  // namespace qv::scoring
