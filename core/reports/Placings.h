#pragma once
// Season placings as the prize lists show them: the standings of a division
// and season in group order, the label of each group, and the place words.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/ClubRecords.h"
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

// The season placings of divisions and seasons by the standings rules, for a
// build that asks for many: the members and each division's grade history
// are read once for all of them.
class PlacingBook {
public:
    explicit PlacingBook(scoring::ScoringContext& ctx) : ctx_(ctx) {}
    // The placings of the division and season (members only), sorted by
    // group code, then position, then member id.
    data::Status placings(int32_t divisionId, std::string_view seasonId,
                          std::vector<scoring::SubGradeStanding>& out);

private:
    data::Status readMembers();
    scoring::ScoringContext& ctx_;
    bool membersRead_ = false;
    std::map<int32_t, data::Members> members_;
    std::map<int32_t, std::map<int32_t, std::vector<data::GradeHistory>>> history_;  // by division, member
};

}  // namespace qv::reports
