#include "core/reports/NameBook.h"

#include "core/data/FixedText.h"
#include "core/reports/RecordCache.h"

namespace qv::reports {

using namespace qv::data;

std::string plainName(const std::string& first, const std::string& last) {
    return std::string(clip(first)) + " " + std::string(clip(last));
}

Status NameBook::division(int32_t id, Division& out) {
    return cachedRecord(store_, divisions_, id, "byDivisionId", [](Division& r, int32_t k) { r.DivisionId = k; }, out);
}

Status NameBook::season(const std::string& id, Season& out) {
    return cachedRecord(store_, seasons_, std::string(clip(id)), "bySeasonId",
                  [](Season& r, const std::string& k) { r.SeasonId = k; }, out);
}

Status NameBook::grade(int32_t id, Grade& out) {
    return cachedRecord(store_, grades_, id, "byGradeId", [](Grade& r, int32_t k) { r.GradeId = k; }, out);
}

Status NameBook::trophy(int32_t id, Trophy& out) {
    return cachedRecord(store_, trophies_, id, "byTrophyId", [](Trophy& r, int32_t k) { r.TrophyId = k; }, out);
}

Status NameBook::member(int32_t id, Members& out) {
    return cachedRecord(store_, members_, id, "byMemberId", [](Members& r, int32_t k) { r.MemberId = k; }, out);
}

Status NameBook::winnerName(int32_t memberId, int32_t nonMemberId, std::string& out) {
    out.clear();
    if (memberId >= 1) {
        Members m;
        if (Status s = member(memberId, m); !s) return s;
        if (m.MemberId) out = plainName(m.FirstName, m.LastName);
        return Status::ok();
    }
    if (nonMemberId < 1) return Status::ok();
    NonMembers n;
    n.NonMemberId = nonMemberId;
    Status s = fetchRecord(store_, n, "byNonMemberId");
    if (s.isFailed()) return s;
    if (s) out = plainName(n.FirstName, n.LastName) + "*";
    return Status::ok();
}

}  // namespace qv::reports
