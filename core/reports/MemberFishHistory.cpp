// The member report's fishing history: every trip the member fished with the
// species caught and the trip's totals, then the season totals.

#include <map>
#include <tuple>

#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/data/WorkstationRecords.h"
#include "core/reports/MemberReportParts.h"
#include "core/reports/ReportRun.h"
#include "core/reports/WholePartSum.h"
#include "core/scoring/Seasons.h"

namespace qv::reports::member {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::walkRecords;

namespace {

// What every row of one trip shares.
FishRow tripRow(const Trips& trip, const Division& division, const Season& season) {
    FishRow r;
    r.tripNumber = trip.SeasonTripNumber;
    r.tripDate = std::string(clip(trip.TripDate.format("D6")));
    r.tripLocation = std::string(clip(trip.TripLocation));
    r.division = std::string(clip(division.DivisionName));
    r.season = std::string(clip(season.SeasonDesc));
    r.row = std::to_string(trip.SeasonTripNumber) + " - " + r.tripDate + " - " + r.tripLocation;
    r.measurement = clip(season.Measurement) == "I" ? 'I' : 'M';
    r.divisionId = trip.DivisionId;
    r.seasonId = std::string(clip(trip.SeasonId));
    return r;
}

FishRow valueRow(FishRow r, int16_t position, std::string column, Decimal value) {
    r.reportPosition = position;
    r.columnName = std::move(column);
    r.data = value.roundedTo(2);
    return r;
}

}  // namespace

Status collectFishHistory(scoring::ScoringContext& ctx, NameBook& names, int32_t memberId,
                          std::vector<FishRow>& out) {
    Store& store = ctx.store();
    std::vector<TripMember> fished;
    Status s = walkRecords<TripMember>(store, "byMemberId", {number(memberId)}, [&](const TripMember& tm) {
        if (tm.MemberId != memberId) return false;
        fished.push_back(tm);
        return true;
    });
    if (!s) return s;

    std::map<int32_t, Species> species;
    for (const TripMember& tm : fished) {
        Trips trip;
        trip.TripId = tm.TripId;
        if (s = fetchRecord(store, trip, "byTripId"); s.isFailed()) return s;
        if (!s) continue;  // a trip member left behind by its trip
        Division division;
        Season season;
        if (s = names.division(trip.DivisionId, division); !s) return s;
        if (s = names.season(trip.SeasonId, season); !s) return s;
        const bool length = clip(season.ScoringApplies) == "L";
        const std::string unit = unitLabel(season.Measurement, season.ScoringApplies);

        TempMemberReport work;
        work.DivisionId = trip.DivisionId;
        work.SeasonId = trip.SeasonId;
        work.TripId = trip.TripId;
        if (s = insertRecord(store, work); !s) return s;

        const FishRow base = tripRow(trip, division, season);
        Status failed = Status::ok();
        s = walkRecords<TripScore>(store, "byTripMemberIdSpeciesId", {number(tm.TripMemberId)},
                                   [&](const TripScore& row) {
                                       if (row.TripMemberId != tm.TripMemberId) return false;
                                       if (row.SpeciesNumberCaught == 0) return true;
                                       auto it = species.find(row.SpeciesId);
                                       if (it == species.end()) {
                                           Species sp;
                                           sp.SpeciesId = row.SpeciesId;
                                           const Status got = fetchRecord(store, sp, "bySpeciesId");
                                           if (got.isFailed()) {
                                               failed = got;
                                               return false;
                                           }
                                           if (!got) sp = Species();
                                           it = species.emplace(row.SpeciesId, sp).first;
                                       }
                                       out.push_back(valueRow(base, it->second.ReportPosition,
                                                              std::string(clip(it->second.SpeciesName)),
                                                              Decimal(row.SpeciesNumberCaught)));
                                       return true;
                                   });
        if (!s) return s;
        if (!failed) return failed;
        out.push_back(valueRow(base, kTotalFish, "Total Fish", Decimal(tm.TotalNumberFish)));
        FishRow measure = valueRow(base, kTotalMeasure,
                                   std::string(length ? "Total Length (" : "Total Weight (") + unit + ")",
                                   tm.TotalWeightFish);
        if (measure.measurement == 'I') measure.partsPerWhole = length ? kInchesPerFoot : kOuncesPerPound;
        out.push_back(measure);
        out.push_back(valueRow(base, kTotalPoints, "Total Points", tm.TotalTripPoints));
    }
    addSeasonTotals(out);
    return Status::ok();
}

void addSeasonTotals(std::vector<FishRow>& rows) {
    // Grouped by the division and season themselves, so that two seasons
    // sharing a description (or two divisions a name) are never added
    // together; ordered by name and description as the report shows them.
    using Key = std::tuple<std::string, std::string, int32_t, std::string, int16_t>;
    struct Group {
        FishRow first;
        std::vector<Decimal> values;
    };
    std::map<Key, Group> groups;
    for (const FishRow& r : rows) {
        if (r.tripNumber == kTotalTripNumber && r.row == "Total") continue;
        auto [it, fresh] = groups.try_emplace(Key{r.division, r.season, r.divisionId, r.seasonId, r.reportPosition});
        if (fresh) it->second.first = r;
        it->second.values.push_back(r.data);
    }
    for (auto& [key, group] : groups) {
        FishRow total = group.first;
        total.tripNumber = kTotalTripNumber;
        total.tripDate.clear();
        total.tripLocation.clear();
        total.row = "Total";
        if (total.partsPerWhole) {
            total.data = wholePartSum(group.values, total.partsPerWhole);
        } else {
            Decimal sum = Decimal::fromUnits(0, 2);
            for (const Decimal& v : group.values) sum += v;
            total.data = sum;
        }
        rows.push_back(total);
    }
}

}  // namespace qv::reports::member
