#include "core/scoring/Recalculation.h"

#include <map>
#include <utility>
#include <vector>

#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/scoring/Seasons.h"

namespace qv::scoring {

data::Status RecalculateSeasonProgress(ScoringContext& ctx, std::string_view seasonId,
                                       RecalculationCounts* counts) {
    RecalculationCounts local;
    RecalculationCounts& n = counts ? *counts : local;
    n = RecalculationCounts();
    if (!ctx.scorer()) return data::Status::failed(notScorerMessage());
    ctx.tell(kRecalculatingStatus);

    data::Store& store = ctx.store();
    data::FileUse trips(store, "Trips");
    if (!trips) return trips.status();
    data::FileUse members(store, "TripMember");
    if (!members) return members.status();

    return store.inTransaction(data::Location::Club, [&]() -> data::Status {
        // The season's trips in id order, all divisions.
        std::vector<std::pair<int32_t, int32_t>> seasonTrips;  // trip id, division id
        data::Status s = detail::walkRecords<data::Trips>(
            store, "bySeasonIdTripId", {detail::text(clip(seasonId))}, [&](const data::Trips& t) {
                if (compareText(t.SeasonId, seasonId, false) != 0) return false;
                if (sameSeason(t.SeasonId, seasonId)) seasonTrips.emplace_back(t.TripId, t.DivisionId);
                return true;
            });
        if (!s) return s;
        n.trips = static_cast<int>(seasonTrips.size());

        // Points so far of each member in each division.
        std::map<std::pair<int32_t, int32_t>, Decimal> sofar;
        std::vector<data::TripMember> tms;
        int done = 0;
        for (const auto& [tripId, divisionId] : seasonTrips) {
            ctx.tell(kRecalculatingStatus, done++, n.trips);
            tms.clear();
            s = detail::walkRecords<data::TripMember>(store, "byTripId", {detail::number(tripId)},
                                                      [&](const data::TripMember& tm) {
                                                          if (tm.TripId != tripId) return false;
                                                          tms.push_back(tm);
                                                          return true;
                                                      });
            if (!s) return s;
            // Every member of this trip sees the totals before it; the trip's
            // own points are added afterwards.
            for (data::TripMember& tm : tms) {
                ++n.tripMembers;
                Decimal prior = Decimal::fromUnits(0, 2);
                if (tm.MemberId > 0)
                    if (auto it = sofar.find({tm.MemberId, divisionId}); it != sofar.end()) prior = it->second;
                const Decimal progress = (tm.TotalTripPoints - Decimal(tm.Penalty) + prior).roundedTo(2);
                if (!(progress == tm.ProgressPoints)) {
                    tm.ProgressPoints = progress;
                    if (s = data::updateRecord(store, tm); !s) return s;
                    ++n.rewritten;
                }
            }
            for (const data::TripMember& tm : tms) {
                if (tm.MemberId <= 0) continue;
                Decimal& total = sofar.try_emplace({tm.MemberId, divisionId}, Decimal::fromUnits(0, 2)).first->second;
                total += tm.TotalTripPoints - Decimal(tm.Penalty);
            }
        }
        ctx.tell(kRecalculatingStatus, done, n.trips);
        return data::Status::ok();
    });
}

}  // namespace qv::scoring
