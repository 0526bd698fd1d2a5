#pragma once
// Who receives a season's report: the active members with an e-mail address
// who fished a trip of that season and division, once each, in member order.

#include <string>
#include <string_view>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/Store.h"

namespace qv::mail {

data::Status qualifyingMembers(data::Store& store, int32_t divisionId, std::string_view seasonId,
                               std::vector<data::Members>& out);

// The current season: the last season flagged current in season order, or
// "" when none is.
data::Status currentSeason(data::Store& store, std::string& out);

}  // namespace qv::mail
