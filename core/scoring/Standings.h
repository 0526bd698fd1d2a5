#pragma once
// The leading members of each grade and class of a division by their
// season-to-date progress points.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/WorkstationRecords.h"
#include "core/scoring/ScoringContext.h"

namespace qv::scoring {

inline constexpr size_t kStandingCodeWidth = 20;

// The codes a member is placed under: the grade text always; "L" / "~L"+grade
// for a lady, "M" / "~M"+grade for a man when men are a class; "V" /
// "~V"+grade for a veteran from the start season, "N" / "~N"+grade for the
// others when non-veterans are a class; each only when the settings report
// that class as a grade or sub-grade. Codes are cut to 20 characters.
std::vector<std::string> standingCodes(const data::System& settings, const data::Members& member,
                                       const std::string& gradeText, std::string_view seasonId);

// One member's best progress points of the season, for placing.
struct StandingCandidate {
    std::string code;
    int32_t memberId = 0;
    Decimal points;
};

// Sorts the candidates by code, then points (highest first), and places up to
// three positions per code: ties share a position, the next lower points take
// the next one, and nothing is placed after a position 3 has been given.
std::vector<SubGradeStanding> placeCandidates(std::vector<StandingCandidate> candidates);

// Fills ctx.subGradeStandings for the division and season from the stored
// progress points of its trips (members only).
data::Status BuildSubGradeStandings(ScoringContext& ctx, int32_t divisionId, std::string_view seasonId);

}  // namespace qv::scoring
