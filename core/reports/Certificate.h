#pragma once
// The season certificate of one member (GLO:MemberId) in a division and
// season: trips fished, fish caught, and the fish per species of the
// division in ten columns, the tenth combining the rest when there are more.

#include <string>

#include "core/reports/ReportRun.h"
#include "core/scoring/ScoringContext.h"

namespace qv::reports {

inline constexpr const char* kCertificateTitle = "Certificate";

// Builds START/DATA/rptCertificate.xml (heading) and
// rptCertificateFishHistory.xml (species columns) and leaves the run in the
// globals. No data when the member fished no trip of the division and season.
data::Status BuildCertificate(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run);

}  // namespace qv::reports
