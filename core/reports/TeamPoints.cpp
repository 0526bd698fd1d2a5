#include "core/reports/TeamPoints.h"

#include <map>
#include <vector>

#include "core/data/FixedText.h"
#include "core/reports/RecordCache.h"
#include "core/reports/ReportLookups.h"
#include "core/scoring/Seasons.h"

namespace qv::reports {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::walkRecords;

namespace {

olmix::RecordQueue teamRows() {
    olmix::RecordQueue q;
    for (const char* f : {"LQ1:ORGANISATIONNAME", "LQ1:SEASON", "LQ1:SEASONTRIPNUMBER", "LQ1:TRIPDATE",
                          "LQ1:TRIPLOCATION", "LQ1:INTERCLUBTRIPDESC", "LQ1:DIVISIONNAME", "LQ1:FULLNAME",
                          "LQ1:GRADENAME"})
        q.addText(f);
    q.addInteger("LQ1:GRADEPOSITION");
    q.addText("LQ1:TEAMNAME");
    q.addInteger("LQ1:SPECIESNUMBER");
    q.addDecimal("LQ1:SCORE", 2);
    return q;
}

}  // namespace

Status BuildTeamPoints(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    Store& store = ctx.store();
    session::Globals& g = ctx.globals();
    run = ReportRun();
    run.reportFile = "reports/rptTeamPoints.rpt";
    run.windowTitle = kTeamPointsTitle;
    OpenFiles files(store, {"Trips", "TripMember", "TripScore", "Teams", "Species", "Division", "Season",
                            "Grade", "Members", "NonMembers", "GradeHistory"});
    if (!files.status()) return files.status();

    Trips trip;
    trip.TripId = g.TripId;
    Status s = fetchRecord(store, trip, "byTripId");
    if (s.isFailed()) return s;
    // The heading names the trip's own division and season, which are the
    // chosen ones whenever the trip was picked from their list.
    Division division;
    Season season;
    if (Status d = divisionAndSeason(store, s ? trip.DivisionId : g.DivisionId, s ? trip.SeasonId : g.SeasonId.str(),
                                     division, season);
        !d)
        return d;
    const bool teamPoints = ctx.settings().ReportTeamPointsApply == 1;

    std::vector<TripMember> members;
    if (s) {
        s = walkRecords<TripMember>(store, "byTripId", {number(trip.TripId)}, [&](const TripMember& tm) {
            if (tm.TripId != trip.TripId) return false;
            if (tm.TeamId >= 1) members.push_back(tm);
            return true;
        });
        if (!s) return s;
    }
    ReportAnglers anglers(store);
    std::map<int32_t, Teams> teams;
    std::map<int32_t, Species> species;
    olmix::RecordQueue q = teamRows();
    for (const TripMember& tm : members) {
        AnglerLine a;
        if (s = anglers.of(tm, trip, a); !s) return s;
        Teams team;
        if (s = cachedRecord(store, teams, tm.TeamId, "byTeamId", [](Teams& r, int32_t k) { r.TeamId = k; }, team, tm.TeamId >= 1); !s) return s;
        Decimal score = tm.TotalTripPoints;
        if (teamPoints) {
            score = Decimal::fromUnits(0, 2);
            std::vector<TripScore> rows;
            s = walkRecords<TripScore>(store, "byTripMemberId", {number(tm.TripMemberId)}, [&](const TripScore& r) {
                if (r.TripMemberId != tm.TripMemberId) return false;
                rows.push_back(r);
                return true;
            });
            if (!s) return s;
            for (const TripScore& r : rows) {
                Species sp;
                if (s = cachedRecord(store, species, r.SpeciesId, "bySpeciesId", [](Species& x, int32_t k) { x.SpeciesId = k; }, sp,
                                 r.SpeciesId >= 1); !s)
                    return s;
                score += sp.TeamPoints * Decimal(r.SpeciesNumberCaught);
            }
        }
        q.clear();
        size_t f = 1;
        setTripHeading(q, f, g.OrganisationName.str(), season, trip, division);
        q.setText(f++, a.name);
        q.setText(f++, a.gradeName);
        q.setInteger(f++, a.gradePosition);
        q.setText(f++, team.Name);
        q.setInteger(f++, tm.TotalNumberFish);
        q.setDecimal(f++, xmlDecimal(score, 2));
        q.add();
    }
    run.dataFlag = q.records() > 0 ? 'Y' : 'N';
    writeDataFile(dataFolder(startFolder) + "rptTeamPoints.xml", kCatchXmlComment, "Row", q, run);
    run.publish(g);
    return Status::ok();
}

}  // namespace qv::reports
