#include "core/reports/SeasonReport.h"

#include <algorithm>
#include <map>

#include "core/data/FixedText.h"
#include "core/reports/SeasonScope.h"
#include "core/reports/SortKey.h"
#include "core/reports/WholePartSum.h"
#include "core/scoring/Seasons.h"

namespace qv::reports {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::walkRecords;

namespace {

// The row's layout, field for field as the data file has it. The member id
// comes last: the sort key alone cannot tell two members apart.
enum Field : size_t {
    kOrganisation = 1, kDivisionName, kSeasonDesc, kGradeName, kFullName, kSortKey, kColumnId,
    kColumnName, kData, kMemberId
};

olmix::RecordQueue seasonRows() {
    olmix::RecordQueue q;
    for (const char* f : {"LQ1:ORGANISATIONNAME", "LQ1:DIVISIONNAME", "LQ1:SEASONDESC", "LQ1:GRADENAME",
                          "LQ1:FULLNAME"})
        q.addText(f);
    q.addDecimal("LQ1:TOTALTRIPPOINTS", kSortKeyPlaces);
    q.addInteger("LQ1:COLUMNID");
    q.addText("LQ1:COLUMNNAME");
    q.addText("LQ1:DATA");
    q.addInteger("LQ1:MEMBERID");
    return q;
}

// A species met in the run, in the order first met.
struct SeenSpecies {
    int32_t speciesId = 0;
    std::string name;
    int16_t reportPosition = 0;
};

}  // namespace

Status BuildSeasonReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    Store& store = ctx.store();
    session::Globals& g = ctx.globals();
    run = ReportRun();
    run.windowTitle = kSeasonReportTitle;
    run.reportFile = kSeasonReportFile;
    SeasonFiles files(store);
    if (!files.status()) return files.status();

    SeasonScope scope;
    if (Status s = readSeasonScope(store, g.DivisionId, g.SeasonId.str(), scope); !s) return s;
    const bool byLength = clip(scope.season.ScoringApplies) == "L";
    const bool imperial = clip(scope.season.Measurement) == "I";
    const std::string unit = imperial ? (byLength ? "ins" : "lbs") : (byLength ? "cms" : "kgs");
    const std::string weightName = (byLength ? "Total Length (" : "Total Weight (") + unit + ")";

    std::vector<SeenSpecies> seen;  // for the whole run, across members
    MemberHeadings headings(store, g.DivisionId, g.SeasonId.str());
    olmix::RecordQueue q = seasonRows();
    for (const auto& [memberId, results] : scope.byMember) {
        MemberHeading who;
        if (Status s = headings.heading(memberId, who); !s) return s;
        if (!who.found) continue;

        std::map<int32_t, int64_t> caught;  // species → fish, of this member
        int64_t fish = 0;
        Decimal points = Decimal::fromUnits(0, 2), weight = Decimal::fromUnits(0, 2);
        WholePartSum imperialWeight;
        for (const TripMember& tm : results) {
            Status s = walkRecords<TripScore>(
                store, "byTripMemberIdSpeciesId", {number(tm.TripMemberId)}, [&](const TripScore& row) {
                    if (row.TripMemberId != tm.TripMemberId) return false;
                    // A row without fish is the form's blank line, not a catch.
                    if (row.SpeciesNumberCaught <= 0) return true;
                    caught[row.SpeciesId] += row.SpeciesNumberCaught;
                    if (std::none_of(seen.begin(), seen.end(),
                                     [&](const SeenSpecies& sp) { return sp.speciesId == row.SpeciesId; })) {
                        Species sp;
                        sp.SpeciesId = row.SpeciesId;
                        if (fetchRecord(store, sp, "bySpeciesId").isOk())
                            seen.push_back({row.SpeciesId, std::string(clip(sp.SpeciesName)), sp.ReportPosition});
                    }
                    return true;
                });
            if (!s) return s;
            fish += tm.TotalNumberFish;
            points += tm.TotalTripPoints;
            weight += tm.TotalWeightFish;
            imperialWeight.add(tm.TotalWeightFish);
        }
        if (caught.empty()) continue;

        q.clear();
        q.setText(kOrganisation, g.OrganisationName.str());
        q.setText(kDivisionName, scope.division.DivisionName);
        q.setText(kSeasonDesc, scope.season.SeasonDesc);
        q.setText(kGradeName, who.gradeName);
        q.setText(kFullName, who.name);
        q.setDecimal(kSortKey, sortKey(points, memberId));
        q.setInteger(kMemberId, memberId);
        auto column = [&](int id, const std::string& name, const std::string& data) {
            q.setInteger(kColumnId, id);
            q.setText(kColumnName, name);
            q.setText(kData, data);
            q.add();
        };
        column(kTotalPointsColumn, "Total Points", points.toString());
        std::vector<const SeenSpecies*> byPosition;
        for (const SeenSpecies& sp : seen) byPosition.push_back(&sp);
        std::stable_sort(byPosition.begin(), byPosition.end(), [](const SeenSpecies* a, const SeenSpecies* b) {
            return a->reportPosition < b->reportPosition;
        });
        for (const SeenSpecies* sp : byPosition) {
            auto it = caught.find(sp->speciesId);
            column(sp->reportPosition, sp->name, std::to_string(it == caught.end() ? 0 : it->second));
        }
        column(kTotalFishColumn, "Total Fish", std::to_string(fish));
        column(kTotalWeightColumn, weightName,
               imperial ? imperialWeight.text(byLength ? 12 : 16) : weight.toString());
    }
    run.dataFlag = q.records() > 0 ? 'Y' : 'N';
    writeDataFile(dataFolder(startFolder) + "rptSeason.xml", "Quillavon XML for RptDivision report", "Row", q, run);
    run.publish(g);
    return Status::ok();
}

}  // namespace qv::reports
