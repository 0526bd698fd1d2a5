#include "core/reports/PointsReport.h"

#include <algorithm>
#include <map>

#include "core/reports/BestTrips.h"
#include "core/reports/SeasonScope.h"
#include "core/reports/SortKey.h"
#include "core/reports/XmlDecimal.h"

namespace qv::reports {

using namespace qv::data;

namespace {

// The row's layout, field for field as the data file has it. The member id
// comes last: the sort key alone cannot tell two members apart.
enum Field : size_t {
    kOrganisation = 1, kSeasonDesc, kDivisionName, kColumnId, kColumnName, kData, kSortKey, kFullName,
    kGradeName, kGradePosition, kMemberId
};

olmix::RecordQueue pointsRows() {
    olmix::RecordQueue q;
    for (const char* f : {"LQ1:ORGANISATIONNAME", "LQ1:SEASONDESC", "LQ1:DIVISIONNAME"}) q.addText(f);
    q.addInteger("LQ1:COLUMNID");
    q.addText("LQ1:COLUMNNAME");
    q.addDecimal("LQ1:DATA", 2);
    q.addDecimal("LQ1:TOTALTRIPPOINTS", kSortKeyPlaces);
    q.addText("LQ1:FULLNAME");
    q.addText("LQ1:GRADENAME");
    q.addInteger("LQ1:GRADEPOSITION");
    q.addInteger("LQ1:MEMBERID");
    return q;
}

enum class Kind { Progress, Championship };

Status build(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run, Kind kind) {
    Store& store = ctx.store();
    session::Globals& g = ctx.globals();
    const bool championship = kind == Kind::Championship;
    run = ReportRun();
    run.windowTitle = championship ? kChampionshipPointsTitle : kProgressPointsTitle;
    run.reportFile = championship ? kChampionshipPointsFile : kProgressPointsFile;
    SeasonFiles files(store);
    if (!files.status()) return files.status();

    SeasonScope scope;
    if (Status s = readSeasonScope(store, g.DivisionId, g.SeasonId.str(), scope); !s) return s;
    const int best = scope.division.BestTripsNumber;

    MemberHeadings headings(store, g.DivisionId, g.SeasonId.str());
    olmix::RecordQueue q = pointsRows();
    for (const auto& [memberId, results] : scope.byMember) {
        MemberHeading who;
        if (Status s = headings.heading(memberId, who); !s) return s;
        if (!who.found || (championship && who.inactive)) continue;

        // The member's points per trip: trip points less the penalty, no handicap.
        std::map<int32_t, Decimal> byTrip;
        for (const TripMember& tm : results)
            byTrip[tm.TripId] += tm.TotalTripPoints - Decimal(tm.Penalty);
        std::vector<PointsColumn> columns;
        Decimal total = Decimal::fromUnits(0, 2);
        for (const Trips& t : scope.trips) {
            auto it = byTrip.find(t.TripId);
            const Decimal p = it == byTrip.end() ? Decimal::fromUnits(0, 2) : it->second;
            columns.push_back({t.TripId, std::to_string(t.SeasonTripNumber), p});
            total += p;
        }
        columns.insert(columns.begin(), PointsColumn{kPointsTotalColumn, "Total", total});

        int fractions = 1;
        if (championship) {
            if (best < 1) {
                // Every trip, in column order, the total among them by its id.
                std::stable_sort(columns.begin(), columns.end(),
                                 [](const PointsColumn& a, const PointsColumn& b) { return a.id < b.id; });
                fractions = 2;
            } else {
                columns = bestTrips(std::move(columns), best, kPointsTotalColumn);
                total = columns.front().points;
            }
        }

        q.clear();
        q.setText(kOrganisation, g.OrganisationName.str());
        q.setText(kSeasonDesc, scope.season.SeasonDesc);
        q.setText(kDivisionName, scope.division.DivisionName);
        q.setDecimal(kSortKey, sortKey(total, memberId, fractions));
        q.setText(kFullName, who.name);
        q.setText(kGradeName, who.gradeName);
        q.setInteger(kGradePosition, who.gradePosition);
        q.setInteger(kMemberId, memberId);
        for (const PointsColumn& c : columns) {
            q.setInteger(kColumnId, c.id);
            q.setText(kColumnName, c.name);
            q.setDecimal(kData, xmlDecimal(c.points, 2));
            q.add();
        }
    }
    run.dataFlag = q.records() > 0 ? 'Y' : 'N';
    // No declaration and no comment: the file has always been written so.
    writeDataFile(dataFolder(startFolder) + "rptProgressPts.xml", "", "Row", q, run, false);
    run.publish(g);
    return Status::ok();
}

}  // namespace

Status BuildProgressPointsReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    return build(ctx, startFolder, run, Kind::Progress);
}

Status BuildChampionshipPointsReport(scoring::ScoringContext& ctx, const std::string& startFolder,
                                     ReportRun& run) {
    return build(ctx, startFolder, run, Kind::Championship);
}

}  // namespace qv::reports
