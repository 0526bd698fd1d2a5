#pragma once
// The member report's pieces, one file each: its rows as values, the fish
// history (which also fills the work file) and the awards.

#include <cstdint>
#include <string>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/Decimal.h"
#include "core/messages/Status.h"
#include "core/reports/MemberReport.h"
#include "core/reports/NameBook.h"
#include "core/scoring/ScoringContext.h"

namespace qv::reports::member {

// Column numbers of the totals, after every species' report position.
inline constexpr int16_t kTotalFish = 9997;
inline constexpr int16_t kTotalMeasure = 9998;
inline constexpr int16_t kTotalPoints = 9999;
inline constexpr int32_t kTotalTripNumber = 9999;

// One value of the fishing history: a trip's species, its totals, or a
// season total (trip number 9999).
struct FishRow {
    int32_t tripNumber = 0;
    std::string tripDate;
    std::string tripLocation;
    std::string division;  // DIV:DivisionName
    std::string season;    // SEA:SeasonDesc
    int16_t reportPosition = 0;
    std::string row;  // "3 - 12/03/2025 - Harbour", or "Total"
    std::string columnName;
    Decimal data;
    char measurement = 'M';
    // Where the row belongs, for the season totals.
    int32_t divisionId = 0;
    std::string seasonId;
    int partsPerWhole = 0;  // imperial weight 16 or length 12; 0 for metric
};

// One award: two rows in the data file with one id.
struct Award {
    int32_t id = 0;
    std::string season;    // SEA:SeasonDesc
    std::string division;  // DIV:DivisionName
    std::string text;
};

// Walks the member's trips: their fish rows, then one season total row per
// (division, season, column) after all of them; records each trip in the
// work file.
data::Status collectFishHistory(scoring::ScoringContext& ctx, NameBook& names, int32_t memberId,
                                std::vector<FishRow>& out);

// Adds the season total rows of `rows` at their end.
void addSeasonTotals(std::vector<FishRow>& rows);

// The awards of the member in the order they are found; `stages` hears the
// season and trip stages begin.
data::Status collectAwards(scoring::ScoringContext& ctx, NameBook& names, int32_t memberId,
                           const MemberReportStages& stages, std::vector<Award>& out);

}  // namespace qv::reports::member
