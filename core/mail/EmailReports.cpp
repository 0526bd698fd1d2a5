// The reports that can be e-mailed to the members, with their PDF files.

#include "core/mail/EmailRun.h"
#include "core/reports/TripReport.h"

namespace qv::mail {

const std::vector<EmailReport>& emailReports() {
    static const std::vector<EmailReport> all = {
        {"progress", "Progress Scores", "ProgressPoints.pdf", nullptr},
        {"season", "Season", "SeasonReport.pdf", nullptr},
        {"trophy-winners", "Trophy Winners", "TrophyWinners.pdf", nullptr},
    };
    return all;
}

}  // namespace qv::mail
