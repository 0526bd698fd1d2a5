// The reports that can be e-mailed to the members, with their PDF files.

#include "core/mail/EmailRun.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/reports/PointsReport.h"
#include "core/reports/SeasonReport.h"
#include "core/reports/TripReport.h"
#include "core/scoring/Seasons.h"

namespace qv::mail {

namespace {

// LOCAL STAND-IN, NOT FOR MERGE: the trophy winners builder is not on main
// yet. Until it is, its row lays out the result sheet of the division's last
// trip in the season so that the run can be tried end to end. Replace with
// reports::BuildTrophyWinnersReport.
data::Status standInBuilder(scoring::ScoringContext& ctx, const std::string& startFolder, reports::ReportRun& run) {
    session::Globals& g = ctx.globals();
    g.TripId = 0;
    data::FileUse trips(ctx.store(), "Trips");
    if (!trips) return trips.status();
    data::Status s = scoring::detail::walkRecords<data::Trips>(
        ctx.store(), "byTripId", {}, [&](const data::Trips& t) {
            if (t.DivisionId == g.DivisionId && scoring::sameSeason(t.SeasonId, g.SeasonId.str())) g.TripId = t.TripId;
            return true;
        });
    if (!s) return s;
    if (g.TripId == 0) {
        run.windowTitle = reports::kTripReportTitle;
        run.dataFlag = 'N';
        return data::Status::ok();
    }
    return reports::BuildTripReport(ctx, startFolder, run);
}

}  // namespace

const std::vector<EmailReport>& emailReports() {
    static const std::vector<EmailReport> all = {
        {"progress", "Progress Scores", "ProgressPoints.pdf", reports::BuildProgressPointsReport},
        {"season", "Season", "SeasonReport.pdf", reports::BuildSeasonReport},
        {"trophy-winners", "Trophy Winners", "TrophyWinners.pdf", standInBuilder},
    };
    return all;
}

}  // namespace qv::mail
