#include "core/mail/Recipients.h"

#include <set>

#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/scoring/Seasons.h"

namespace qv::mail {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::text;
using scoring::detail::walkRecords;

data::Status qualifyingMembers(Store& store, int32_t divisionId, std::string_view seasonId,
                               std::vector<Members>& out) {
    out.clear();
    FileUse trips(store, "Trips"), tripMembers(store, "TripMember"), members(store, "Members");
    for (const FileUse* u : {&trips, &tripMembers, &members})
        if (!*u) return u->status();

    std::vector<int32_t> tripIds;
    Status s = walkRecords<Trips>(store, "bySeasonIdDivisionId", {text(clip(seasonId)), number(divisionId)},
                                  [&](const Trips& t) {
                                      if (!scoring::sameSeason(t.SeasonId, seasonId) || t.DivisionId != divisionId)
                                          return false;
                                      tripIds.push_back(t.TripId);
                                      return true;
                                  });
    if (!s) return s;

    std::set<int32_t> fished;
    for (int32_t trip : tripIds) {
        s = walkRecords<TripMember>(store, "byTripId", {number(trip)}, [&](const TripMember& tm) {
            if (tm.TripId != trip) return false;
            if (tm.MemberId >= 1) fished.insert(tm.MemberId);
            return true;
        });
        if (!s) return s;
    }
    if (fished.empty()) return Status::ok();

    return walkRecords<Members>(store, "byMemberId", {number(*fished.begin())}, [&](const Members& m) {
        if (fished.count(m.MemberId) && m.InactiveFlag == "N" && !clip(m.Email).empty()) out.push_back(m);
        return m.MemberId < *fished.rbegin();
    });
}

data::Status currentSeason(Store& store, std::string& out) {
    out.clear();
    FileUse seasons(store, "Season");
    if (!seasons) return seasons.status();
    return walkRecords<Season>(store, "byCurrentSeason", {}, [&](const Season& sea) {
        if (sea.CurrentSeasonFlag == "Y") out = std::string(clip(sea.SeasonId));
        return true;
    });
}

}  // namespace qv::mail
