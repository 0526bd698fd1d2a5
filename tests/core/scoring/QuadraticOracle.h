#pragma once
// The season recalculation written the plain way, as the reference the fast
// one must match: for every trip member of the season, the Trips file is
// scanned from its first record to sum the member's earlier points.

#include <memory>
#include <string>
#include <vector>

#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"

namespace qvtest {

namespace oracle {

using namespace qv;
using namespace qv::data;

template <typename T, typename F>
Status walkAll(Store& store, const char* key, std::vector<FieldValue> from, F visit) {
    std::unique_ptr<Cursor> c;
    if (Status s = store.walk(T::kLabel, key, from, false, c); !s) return s;
    Record rec = store.newRecord(T::kLabel);
    T row;
    for (;;) {
        Status s = c->next(rec);
        if (s.isNotFound()) return Status::ok();
        if (!s) return s;
        row.fromRecord(rec);
        if (!visit(row)) return Status::ok();
    }
}

inline bool sameSeason(std::string_view a, std::string_view b) { return clip(a) == clip(b); }

// Trip points less penalty of `member` over the season's trips of the
// division, in trip id order from the start of the file, up to `stopTrip`.
inline Status priorPoints(Store& store, int32_t member, int32_t division, const std::string& season,
                          int32_t stopTrip, Decimal& out) {
    out = Decimal::fromUnits(0, 2);
    std::vector<int32_t> visited;
    Status s = walkAll<Trips>(store, "byTripId", {}, [&](const Trips& t) {
        if (!sameSeason(t.SeasonId, season) || t.DivisionId != division) return true;
        if (t.TripId == stopTrip) return false;
        visited.push_back(t.TripId);
        return true;
    });
    for (int32_t trip : visited) {
        if (!s) return s;
        s = walkAll<TripMember>(store, "byTripId", {FieldValue{trip, {}}}, [&](const TripMember& tm) {
            if (tm.TripId != trip) return false;
            if (tm.MemberId == member) out += tm.TotalTripPoints - Decimal(tm.Penalty);
            return true;
        });
    }
    out = out.roundedTo(2);
    return s;
}

}  // namespace oracle

// Rewrites every trip member of `season` with the plain formula.
inline qv::data::Status quadraticRecalculation(qv::data::Store& store, const std::string& season) {
    using namespace oracle;
    return store.inTransaction(Location::Club, [&]() -> Status {
        std::vector<Trips> trips;
        Status s = walkAll<Trips>(store, "bySeasonId", {FieldValue{0, season}}, [&](const Trips& t) {
            if (!sameSeason(t.SeasonId, season)) return false;
            trips.push_back(t);
            return true;
        });
        for (const Trips& t : trips) {
            if (!s) return s;
            std::vector<TripMember> tms;
            s = walkAll<TripMember>(store, "byTripId", {FieldValue{t.TripId, {}}}, [&](const TripMember& tm) {
                if (tm.TripId != t.TripId) return false;
                tms.push_back(tm);
                return true;
            });
            for (TripMember& tm : tms) {
                if (!s) return s;
                Decimal prior = Decimal::fromUnits(0, 2);
                if (tm.MemberId > 0) s = priorPoints(store, tm.MemberId, t.DivisionId, season, t.TripId, prior);
                if (!s) return s;
                tm.ProgressPoints = (tm.TotalTripPoints - Decimal(tm.Penalty) + prior).roundedTo(2);
                s = updateRecord(store, tm);
            }
        }
        return s;
    });
}

}  // namespace qvtest
