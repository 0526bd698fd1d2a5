#pragma once
// The member report's own status window, "Quillavon - Processing Member
// Report", showing each stage of the build as it begins.

#include <string>

#include "core/reports/ReportRun.h"
#include "core/scoring/ScoringContext.h"

class QWidget;

namespace qv::ui {

// Builds the member report behind its status window, which closes again
// when the build is done.
data::Status runMemberReport(QWidget* parent, scoring::ScoringContext& ctx, const std::string& startFolder,
                             reports::ReportRun& run);

}  // namespace qv::ui
