#include "core/scoring/NetPoints.h"

#include <vector>

#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/scoring/Seasons.h"

namespace qv::scoring {

Decimal NetTripPoints(Decimal points, int32_t penalty, int32_t handicap,
                      std::string_view handicapLetter) {
    Decimal net = points - Decimal(penalty);
    if (clip(handicapLetter) == "P") {
        if (handicap != 0) net = net * Decimal(100 - int64_t{handicap}) * Decimal::fromUnits(1, 2);
    } else {
        net = net - Decimal(handicap);
    }
    return net.roundedTo(2);
}

data::Status NetTripPoints(data::Store& store, Decimal points, int32_t penalty, int32_t handicap,
                           std::string_view seasonId, Decimal& out) {
    SeasonRules rules;
    if (data::Status s = readSeasonRules(store, seasonId, rules); !s) return s;
    out = NetTripPoints(points, penalty, handicap, rules.handicap);
    return data::Status::ok();
}

data::Status PriorProgressPoints(data::Store& store, int32_t memberId, int32_t divisionId,
                                 std::string_view seasonId, int32_t stopTripId, Decimal& out) {
    out = Decimal::fromUnits(0, 2);
    std::vector<EarlierTripPoints> trips;
    if (data::Status s = PriorTripPoints(store, memberId, divisionId, seasonId, stopTripId, trips); !s)
        return s;
    Decimal sum = Decimal::fromUnits(0, 2);
    for (const EarlierTripPoints& t : trips) sum += t.points - Decimal(t.penalty);
    out = sum.roundedTo(2);
    return data::Status::ok();
}

data::Status PriorTripPoints(data::Store& store, int32_t memberId, int32_t divisionId,
                             std::string_view seasonId, int32_t stopTripId,
                             std::vector<EarlierTripPoints>& out) {
    out.clear();
    data::FileUse trips(store, "Trips");
    if (!trips) return trips.status();
    data::FileUse members(store, "TripMember");
    if (!members) return members.status();

    // The earlier trips of the season and division, in id order.
    std::vector<int32_t> earlier;
    data::Status s = detail::walkRecords<data::Trips>(
        store, "byDivisionIdSeasonIdTripId",
        {detail::number(divisionId), detail::text(clip(seasonId))}, [&](const data::Trips& t) {
            if (t.DivisionId != divisionId || compareText(t.SeasonId, seasonId, false) != 0) return false;
            if (t.TripId >= stopTripId) return false;
            if (sameSeason(t.SeasonId, seasonId)) earlier.push_back(t.TripId);
            return true;
        });
    if (!s) return s;

    for (int32_t tripId : earlier) {
        s = detail::walkRecords<data::TripMember>(
            store, "byMemberIdbyTripId", {detail::number(memberId), detail::number(tripId)},
            [&](const data::TripMember& tm) {
                if (tm.MemberId != memberId || tm.TripId != tripId) return false;
                out.push_back({tripId, tm.TotalTripPoints, tm.Penalty});
                return true;
            });
        if (!s) return s;
    }
    return data::Status::ok();
}

}  // namespace qv::scoring
