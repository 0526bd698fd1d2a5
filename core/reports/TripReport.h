#pragma once
// The trip report: the result sheet of one trip (GLO:TripId). Three data
// files (scores, trophies, grade winners) and a definition chosen by the
// number of species caught.

#include <string>

#include "core/reports/ReportRun.h"
#include "core/scoring/ScoringContext.h"

namespace qv::reports {

inline constexpr const char* kTripReportTitle = "Trip Report";

// Builds the data files of the trip `ctx.globals().TripId` under
// START/DATA/ and leaves the run in the globals. A failure of the file layer
// comes back as the status; a data file that cannot be made is a message in
// `run` and the others are still written.
data::Status BuildTripReport(scoring::ScoringContext& ctx, const std::string& startFolder,
                             ReportRun& run);

// The definition for `species` species caught: rptTrip05 for up to five,
// then one for each count up to rptTrip10 for ten or more.
std::string tripReportFile(int species);

}  // namespace qv::reports
