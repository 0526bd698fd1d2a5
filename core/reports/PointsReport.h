#pragma once
// The progressive and championship points reports: every member's points
// per trip of one season in one division (GLO:DivisionId, GLO:SeasonId) with
// a total, as a column list (one row per member and column). Both write
// START/DATA/rptProgressPts.xml.
//
// The championship leaves out inactive members and, when the division sets
// a number of best trips (DIV:BestTripsNumber of 1 or more), counts and
// shows only that many of each member's best trips.

#include <string>

#include "core/reports/ReportRun.h"
#include "core/scoring/ScoringContext.h"

namespace qv::reports {

inline constexpr const char* kProgressPointsTitle = "Progressive Points Report";
inline constexpr const char* kChampionshipPointsTitle = "Championship Points Report";
inline constexpr const char* kProgressPointsFile = "reports/rptProgressPts.rpt";
inline constexpr const char* kChampionshipPointsFile = "reports/rptChampionshipPts.rpt";
inline constexpr int kPointsTotalColumn = 9999;

data::Status BuildProgressPointsReport(scoring::ScoringContext& ctx, const std::string& startFolder,
                                       ReportRun& run);
data::Status BuildChampionshipPointsReport(scoring::ScoringContext& ctx, const std::string& startFolder,
                                           ReportRun& run);

}  // namespace qv::reports
