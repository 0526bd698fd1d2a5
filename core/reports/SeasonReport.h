#pragma once
// The season report: each member's season in one division (GLO:DivisionId,
// GLO:SeasonId) as a column list, one row per member and column (total
// points, fish per species, total fish, total weight or length), which the
// definition arranges as a table.

#include <string>

#include "core/reports/ReportRun.h"
#include "core/scoring/ScoringContext.h"

namespace qv::reports {

inline constexpr const char* kSeasonReportTitle = "Season Report";
inline constexpr const char* kSeasonReportFile = "reports/rptSeason.rpt";

// Column ids of the season report's totals; a species column's id is its
// report position.
inline constexpr int kTotalFishColumn = 9997;
inline constexpr int kTotalWeightColumn = 9998;
inline constexpr int kTotalPointsColumn = 9999;

// Builds START/DATA/rptSeason.xml and leaves the run in the globals. A
// failure of the file layer comes back as the status; a data file that
// cannot be made is a message in `run`.
data::Status BuildSeasonReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run);

}  // namespace qv::reports
