#pragma once
// The team points of one trip (GLO:TripId): every angler who fishes in a
// team, with the team and the points the angler brings it.

#include <string>

#include "core/reports/ReportRun.h"
#include "core/scoring/ScoringContext.h"

namespace qv::reports {

inline constexpr const char* kTeamPointsTitle = "Team Points Report";

// Builds START/DATA/rptTeamPoints.xml and leaves the run in the globals.
// With the club's team points on, an angler scores each species' team points
// times the number caught; otherwise the angler's total trip points.
data::Status BuildTeamPoints(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run);

}  // namespace qv::reports
