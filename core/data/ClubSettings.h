#pragma once
// Settings of the whole club, kept in the club database so that every
// workstation prints the same: the organisation name at the head of every
// report.

#include <string>
#include <string_view>

#include "core/data/Store.h"

namespace qv::data {

inline constexpr size_t kOrganisationNameWidth = 50;

Status readOrganisationName(Store& store, std::string& out);
// Cut to its width.
Status writeOrganisationName(Store& store, std::string_view name);

}  // namespace qv::data
