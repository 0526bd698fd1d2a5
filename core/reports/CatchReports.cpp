#include "core/reports/CatchReports.h"

#include <vector>

#include "core/data/FixedText.h"
#include "core/reports/ReportLookups.h"
#include "core/scoring/Seasons.h"

namespace qv::reports {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::text;
using scoring::detail::walkRecords;

namespace {

const CatchListKind kKinds[] = {
    {'T', "rptTripCatch.xml", "reports/rptTripCatch.rpt", "Trip Catch Report", true},
    {'F', "rptFly.xml", "reports/rptFly.rpt", "Fly Report", false},
    {'S', "rptBiggestSpecies.xml", "reports/rptBiggestSpecies.rpt", "Biggest Species Report", false},
    {'B', "rptBiggestSpecies.xml", "reports/rptBiggestSpeciesTrip.rpt", "Biggest Species for Trip Report", true},
    {'L', "rptLineClass.xml", "reports/rptLineClass.rpt", "Line Class - Highest Points Report", false},
};

// The catch row, field for field as the data file has it. The last field,
// the season's scoring letter, tells the definitions whether the biggest
// fish is the heaviest or the longest.
olmix::RecordQueue catchRows() {
    olmix::RecordQueue q;
    for (const char* f : {"LQ1:ORGANISATIONNAME", "LQ1:SEASON", "LQ1:SEASONTRIPNUMBER", "LQ1:TRIPDATE",
                          "LQ1:TRIPLOCATION", "LQ1:INTERCLUBTRIPDESC", "LQ1:DIVISIONNAME",
                          "LQ1:LENGTHMEASUREMENT", "LQ1:WEIGHTMEASUREMENT", "LQ1:FULLNAME", "LQ1:LASTNAME",
                          "LQ1:GRADENAME"})
        q.addText(f);
    q.addInteger("LQ1:GRADEPOSITION");
    q.addText("LQ1:SPECIESNAME");
    q.addDecimal("LQ1:SPECIESWEIGHT", 3);
    q.addDecimal("LQ1:SPECIESLENGTH", 2);
    q.addText("LQ1:RELEASEKILL");
    q.addDecimal("LQ1:LINECLASS", 2);
    q.addDecimal("LQ1:FIGHTFACTOR", 2);
    q.addDecimal("LQ1:SCORE", 2);
    q.addText("LQ1:FLYCAUGHT");
    q.addText("LQ1:WITNESSNAME");
    q.addText("LQ1:SCORINGAPPLIES");
    return q;
}

// The trips the kind reads, in season trip order.
Status tripsToRead(Store& store, const session::Globals& g, bool oneTrip, std::vector<Trips>& out) {
    const std::string season = g.SeasonId.str();
    auto inScope = [&](const Trips& t) { return t.DivisionId == g.DivisionId && sameText(t.SeasonId, season); };
    if (oneTrip) {
        Trips t;
        t.TripId = g.TripId;
        Status s = fetchRecord(store, t, "byTripId");
        if (s.isFailed()) return s;
        if (s && inScope(t)) out.push_back(t);
        return Status::ok();
    }
    return walkRecords<Trips>(store, "bySeasonIdDivisionId", {text(season), number(g.DivisionId)},
                              [&](const Trips& t) {
                                  if (t.DivisionId != g.DivisionId || !sameText(t.SeasonId, season, false))
                                      return false;
                                  if (inScope(t)) out.push_back(t);
                                  return true;
                              });
}

}  // namespace

const CatchListKind* catchListKind(char kind) {
    for (const CatchListKind& k : kKinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

Status BuildCatchList(scoring::ScoringContext& ctx, const std::string& startFolder, char kind, ReportRun& run) {
    Store& store = ctx.store();
    session::Globals& g = ctx.globals();
    run = ReportRun();
    const CatchListKind* k = catchListKind(kind);
    if (!k) return Status::failed(programMessage(std::string("There is no catch report of kind '") + kind + "'."));
    run.reportFile = k->reportFile;
    run.windowTitle = k->title;
    OpenFiles files(store, {"Trips", "TripMember", "TripCatch", "Division", "Season", "Grade", "Members",
                            "NonMembers", "GradeHistory"});
    if (!files.status()) return files.status();

    Division division;
    Season season;
    if (Status s = divisionAndSeason(store, g.DivisionId, g.SeasonId.str(), division, season); !s) return s;
    const bool metric = clip(season.Measurement) == "M";
    std::vector<Trips> trips;
    if (Status s = tripsToRead(store, g, k->oneTrip, trips); !s) return s;

    ReportAnglers anglers(store);
    olmix::RecordQueue q = catchRows();
    for (const Trips& trip : trips) {
        std::vector<TripMember> members;
        Status s = walkRecords<TripMember>(store, "byTripId", {number(trip.TripId)}, [&](const TripMember& tm) {
            if (tm.TripId != trip.TripId) return false;
            // Visitors only on the one-trip reports, and only where the trip lets them fish.
            if (tm.NonMemberId >= 1 && !(k->oneTrip && trip.AllowNonMembers == "Y")) return true;
            members.push_back(tm);
            return true;
        });
        if (!s) return s;
        for (const TripMember& tm : members) {
            AnglerLine a;
            if (s = anglers.of(tm, trip, a); !s) return s;
            s = walkRecords<TripCatch>(store, "byTripMemberId", {number(tm.TripMemberId)}, [&](const TripCatch& c) {
                if (c.TripMemberId != tm.TripMemberId) return false;
                q.clear();
                size_t f = 1;
                setTripHeading(q, f, g.OrganisationName.str(), season, trip, division);
                q.setText(f++, metric ? "cms" : "ins");
                q.setText(f++, metric ? "kgs" : "lbs");
                q.setText(f++, a.name);
                q.setText(f++, a.lastName);
                q.setText(f++, a.gradeName);
                q.setInteger(f++, a.gradePosition);
                q.setText(f++, c.SpeciesName);
                q.setDecimal(f++, xmlDecimal(c.SpeciesWeight, 3));
                q.setDecimal(f++, xmlDecimal(c.SpeciesLength, 2));
                q.setText(f++, c.ReleaseKill);
                q.setDecimal(f++, xmlDecimal(c.LineClass, 2));
                q.setDecimal(f++, xmlDecimal(c.FightFactor, 2));
                q.setDecimal(f++, xmlDecimal(c.Score, 2));
                q.setText(f++, c.FlyCaught);
                q.setText(f++, c.WitnessName);
                q.setText(f++, clip(season.ScoringApplies));
                q.add();
                return true;
            });
            if (!s) return s;
        }
    }
    run.dataFlag = q.records() > 0 ? 'Y' : 'N';
    writeDataFile(dataFolder(startFolder) + k->dataFile, kCatchXmlComment, "Row", q, run);
    run.publish(g);
    return Status::ok();
}

Status BuildTripCatchReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    return BuildCatchList(ctx, startFolder, 'T', run);
}
Status BuildFlyReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    return BuildCatchList(ctx, startFolder, 'F', run);
}
Status BuildBiggestSpeciesReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    return BuildCatchList(ctx, startFolder, 'S', run);
}
Status BuildTripBiggestSpeciesReport(scoring::ScoringContext& ctx, const std::string& startFolder,
                                     ReportRun& run) {
    return BuildCatchList(ctx, startFolder, 'B', run);
}
Status BuildLineClassReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    return BuildCatchList(ctx, startFolder, 'L', run);
}

}  // namespace qv::reports
