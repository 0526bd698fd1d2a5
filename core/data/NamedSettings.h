#pragma once
// Settings kept by name beside the record files. The club's own (the
// organisation name at the head of every report) live in the club database,
// so every workstation prints the same; a workstation's own (its mail
// server, its transfers) live in the workstation database.

#include <string>
#include <string_view>

#include "core/data/Store.h"

namespace qv::data {

inline constexpr size_t kOrganisationNameWidth = 50;

// An absent setting reads as an empty text.
Status readSetting(Store& store, Location where, std::string_view name, std::string& out);
Status writeSetting(Store& store, Location where, std::string_view name, std::string_view value);

Status readOrganisationName(Store& store, std::string& out);
// Cut to its width.
Status writeOrganisationName(Store& store, std::string_view name);

}  // namespace qv::data
