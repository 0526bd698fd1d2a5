#pragma once
// The trophy winners report: everything won in one division and season
// (GLO:DivisionId, GLO:SeasonId): the positional season trophies and the
// season placings per grade group, the grade winners of every trip, and the
// trip trophies and other season trophies with their winners.

#include <string>

#include "core/reports/ReportRun.h"
#include "core/scoring/ScoringContext.h"

namespace qv::reports {

inline constexpr const char* kTrophyWinnersTitle = "Trophy Winners Report";
inline constexpr const char* kTrophyWinnersFile = "reports/rptTrophyWinners.rpt";

// Builds the four data files under START/DATA/ and leaves the run in the
// globals. A failure of the file layer comes back as the status; a data file
// that cannot be made is a message in `run` and the others are still written.
data::Status BuildTrophyWinnersReport(scoring::ScoringContext& ctx, const std::string& startFolder,
                                      ReportRun& run);

}  // namespace qv::reports
