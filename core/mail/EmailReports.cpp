// The reports that can be e-mailed to the members, with their PDF files.

#include "core/mail/EmailRun.h"
#include "core/reports/PointsReport.h"
#include "core/reports/SeasonReport.h"
#include "core/reports/TrophyWinnersReport.h"

namespace qv::mail {

const std::vector<EmailReport>& emailReports() {
    static const std::vector<EmailReport> all = {
        {"progress", "Progress Scores", "ProgressPoints.pdf", reports::BuildProgressPointsReport},
        {"season", "Season", "SeasonReport.pdf", reports::BuildSeasonReport},
        {"trophy-winners", "Trophy Winners", "TrophyWinners.pdf", reports::BuildTrophyWinnersReport},
    };
    return all;
}

}  // namespace qv::mail
