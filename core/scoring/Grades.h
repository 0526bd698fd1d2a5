#pragma once
// The grade a member competes in by division and season, the veteran class
// by season, the name shown for a member, and the member-grade cache.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/Store.h"
#include "core/messages/Status.h"
#include "core/scoring/ScoringContext.h"

namespace qv::scoring {

// The grade of a member from its history rows (in start-season order): the
// last row of the division that has started by the season and has not ended
// before it. 0 when none.
int32_t gradeFromHistory(const std::vector<data::GradeHistory>& rows, int32_t divisionId,
                         std::string_view seasonId);

// The grade of `memberId` in the division and season; 0 when none.
data::Status GradeFor(data::Store& store, int32_t memberId, int32_t divisionId,
                      std::string_view seasonId, int32_t& grade);

// The member's grade history read once per member for the length of one build.
class GradeBook {
public:
    explicit GradeBook(data::Store& store) : store_(store) {}
    data::Status gradeFor(int32_t memberId, int32_t divisionId, std::string_view seasonId,
                          int32_t& grade);
    // Reads every member's history in one walk, for builds that grade most
    // of the club; members without history then have none to read.
    data::Status readAll();

private:
    data::Store& store_;
    std::map<int32_t, std::vector<data::GradeHistory>> history_;
    bool complete_ = false;  // every member's history is read
};

// A member's grade history rows, in start-season order.
data::Status readGradeHistory(data::Store& store, int32_t memberId,
                              std::vector<data::GradeHistory>& rows);

// Every member's grade history rows of one division, each in start-season order.
data::Status readDivisionHistory(data::Store& store, int32_t divisionId,
                                 std::map<int32_t, std::vector<data::GradeHistory>>& byMember);

// "N" before the member's veteran start season, else MEM:VeteranFlag.
std::string VeteranFor(const data::Members& member, std::string_view seasonId);

// First and last name with " (L)" for a lady and " (V)" for a veteran; at
// most 100 characters. Blank for a member that is not there.
std::string MemberDisplayName(const data::Members& member);
data::Status MemberDisplayName(data::Store& store, int32_t memberId, std::string& out);

// Rebuilds ctx.memberGradeCache for the current season and sets
// GLO:SeasonId to it (the last season flagged current, in season id order).
// `updating` chooses the status text.
data::Status BuildMemberGradeCache(ScoringContext& ctx, bool updating = false);

}  // namespace qv::scoring
