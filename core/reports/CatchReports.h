#pragma once
// The catch list: one row per individual catch, for five reports told apart
// by their kind. The kind picks the data file, the definition, the title and
// whether only the chosen trip is read; the definitions do the selection and
// ordering (biggest fish, fly catches, best points per line class).

#include <string>

#include "core/reports/ReportRun.h"
#include "core/scoring/ScoringContext.h"

namespace qv::reports {

// What each catch report kind means.
struct CatchListKind {
    char kind;              // 'T', 'F', 'S', 'B' or 'L'
    const char* dataFile;   // under START/DATA/
    const char* reportFile; // relative to the start folder
    const char* title;
    bool oneTrip;           // only GLO:TripId, and its visitors too
};

// The kind's row, or nullptr for a letter that names no kind.
const CatchListKind* catchListKind(char kind);

// Builds the catch list of `kind` for GLO:DivisionId and GLO:SeasonId (and
// GLO:TripId for the one-trip kinds) and leaves the run in the globals.
data::Status BuildCatchList(scoring::ScoringContext& ctx, const std::string& startFolder, char kind,
                            ReportRun& run);

// The five reports as the report window and the command line call them.
data::Status BuildTripCatchReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run);
data::Status BuildFlyReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run);
data::Status BuildBiggestSpeciesReport(scoring::ScoringContext& ctx, const std::string& startFolder,
                                       ReportRun& run);
data::Status BuildTripBiggestSpeciesReport(scoring::ScoringContext& ctx, const std::string& startFolder,
                                           ReportRun& run);
data::Status BuildLineClassReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run);

}  // namespace qv::reports
