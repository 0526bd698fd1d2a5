#pragma once
// Season placings as the prize lists show them: the standings of a division
// and season in group order, the label of each group, and the place words.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/messages/Status.h"
#include "core/reports/NameBook.h"
#include "core/scoring/ScoringContext.h"

namespace qv::reports {

// How a class shows after a grade's name: "A Grade (Ladies)" or "A Grade Ladies".
enum class ClassStyle { Bracketed, Plain };

// The label of a standings group code: "L" "Ladies", "M" "Men", "V" "Veteran",
// "N" "Non-Veteran"; "~" with one of those letters and a grade id gives the
// grade's name and the class; any other code is a grade id and gives its name.
data::Status placingGroupLabel(NameBook& names, std::string_view code, ClassStyle style, std::string& out);

// "First Place", "Second Place", "Third Place"; blank for any other position.
std::string placeWords(int position);

// The season placings of the division and season (members only), sorted by
// group code, then position, then member id.
data::Status seasonPlacings(scoring::ScoringContext& ctx, int32_t divisionId, std::string_view seasonId,
                            std::vector<scoring::SubGradeStanding>& out);

}  // namespace qv::reports
