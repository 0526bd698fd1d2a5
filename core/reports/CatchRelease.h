#pragma once
// The catch and release champion: per member, the catch scores of released
// and of kept ("Caught") fish, each as a total row and a row per species.

#include <cstdint>
#include <string>

#include "core/data/Decimal.h"
#include "core/reports/ReportRun.h"
#include "core/scoring/ScoringContext.h"
#include "olmix/Decimal.h"

namespace qv::reports {

inline constexpr const char* kCatchReleaseTitle = "Champion Catch and Release / Caught Report";

// Builds START/DATA/rptCatchRelease.xml for GLO:DivisionId and GLO:SeasonId
// and leaves the run in the globals.
data::Status BuildCatchReleaseReport(scoring::ScoringContext& ctx, const std::string& startFolder,
                                     ReportRun& run);

// The sort key of a member's rows: the total plus the member fraction, ".00"
// followed by the member id's digits (member 123: 0.00123), 10 places. The
// fraction stays below 0.01, so a higher total always keys higher; members 1
// and 10 share a fraction, so the key alone does not tell members apart.
olmix::Decimal memberFractionKey(const Decimal& total, int32_t memberId);

}  // namespace qv::reports
