#include "core/scoring/Grades.h"

#include <algorithm>

#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/scoring/Seasons.h"

namespace qv::scoring {

int32_t gradeFromHistory(const std::vector<data::GradeHistory>& rows, int32_t divisionId,
                         std::string_view seasonId) {
    int32_t grade = 0;
    for (const data::GradeHistory& h : rows) {
        if (h.DivisionId != divisionId) continue;
        if (compareSeason(h.StartSeasonId, seasonId) > 0) continue;
        if (clip(h.EndSeasonId).empty() || compareSeason(h.EndSeasonId, seasonId) >= 0)
            grade = h.GradeId;  // a later start season replaces an earlier one
    }
    return grade;
}

data::Status readGradeHistory(data::Store& store, int32_t memberId,
                              std::vector<data::GradeHistory>& rows) {
    rows.clear();
    data::FileUse use(store, "GradeHistory");
    if (!use) return use.status();
    data::Status s = detail::walkRecords<data::GradeHistory>(
        store, "byMemberIdStartSeasonId", {detail::number(memberId)},
        [&](const data::GradeHistory& h) {
            if (h.MemberId != memberId) return false;
            rows.push_back(h);
            return true;
        });
    // The key orders start seasons without regard to case; text order decides.
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return compareSeason(a.StartSeasonId, b.StartSeasonId) < 0;
    });
    return s;
}

data::Status readDivisionHistory(data::Store& store, int32_t divisionId,
                                 std::map<int32_t, std::vector<data::GradeHistory>>& byMember) {
    byMember.clear();
    data::FileUse use(store, "GradeHistory");
    if (!use) return use.status();
    data::Status s = detail::walkRecords<data::GradeHistory>(
        store, "byDivisionId", {detail::number(divisionId)}, [&](const data::GradeHistory& h) {
            if (h.DivisionId != divisionId) return false;
            byMember[h.MemberId].push_back(h);
            return true;
        });
    for (auto& [member, rows] : byMember)
        std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            return compareSeason(a.StartSeasonId, b.StartSeasonId) < 0;
        });
    return s;
}

data::Status GradeFor(data::Store& store, int32_t memberId, int32_t divisionId,
                      std::string_view seasonId, int32_t& grade) {
    grade = 0;
    std::vector<data::GradeHistory> rows;
    if (data::Status s = readGradeHistory(store, memberId, rows); !s) return s;
    grade = gradeFromHistory(rows, divisionId, seasonId);
    return data::Status::ok();
}

data::Status GradeBook::gradeFor(int32_t memberId, int32_t divisionId, std::string_view seasonId,
                                 int32_t& grade) {
    grade = 0;
    auto it = history_.find(memberId);
    if (it == history_.end()) {
        if (complete_) return data::Status::ok();
        std::vector<data::GradeHistory> rows;
        if (data::Status s = readGradeHistory(store_, memberId, rows); !s) return s;
        it = history_.emplace(memberId, std::move(rows)).first;
    }
    grade = gradeFromHistory(it->second, divisionId, seasonId);
    return data::Status::ok();
}

data::Status GradeBook::readAll() {
    history_.clear();
    data::FileUse use(store_, "GradeHistory");
    if (!use) return use.status();
    std::unique_ptr<data::Cursor> cursor;
    if (data::Status s = store_.walk("GradeHistory", "byMemberIdStartSeasonId", {}, false, cursor); !s) return s;
    data::Record rec = store_.newRecord("GradeHistory");
    data::GradeHistory row;
    for (;;) {
        data::Status s = cursor->next(rec);
        if (s.isNotFound()) break;
        if (!s) return s;
        row.fromRecord(rec);
        history_[row.MemberId].push_back(row);
    }
    for (auto& [member, rows] : history_)
        std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            return compareSeason(a.StartSeasonId, b.StartSeasonId) < 0;
        });
    complete_ = true;
    return data::Status::ok();
}

std::string VeteranFor(const data::Members& member, std::string_view seasonId) {
    if (compareSeason(seasonId, member.VeteranStartSeason) < 0) return "N";
    return member.VeteranFlag;
}

std::string MemberDisplayName(const data::Members& m) {
    std::string name = std::string(clip(m.FirstName)) + " " + std::string(clip(m.LastName));
    if (m.LadiesFlag == "Y") name += " (L)";
    if (m.VeteranFlag == "Y") name += " (V)";
    return fitText(name, 100);
}

data::Status MemberDisplayName(data::Store& store, int32_t memberId, std::string& out) {
    out.clear();
    data::FileUse use(store, "Members");
    if (!use) return use.status();
    data::Members m;
    m.MemberId = memberId;
    data::Status s = data::fetchRecord(store, m, "byMemberId");
    if (s.isOk()) out = MemberDisplayName(m);
    return s.isFailed() ? s : data::Status::ok();
}

data::Status BuildMemberGradeCache(ScoringContext& ctx, bool updating) {
    data::Store& store = ctx.store();
    ctx.tell(updating ? " Please wait updating....." : " Please wait loading.....");
    ctx.memberGradeCache.clear();
    data::FileUse seasons(store, "Season");
    data::FileUse divisions(store, "Division");
    data::FileUse members(store, "Members");
    for (const data::FileUse* u : {&seasons, &divisions, &members})
        if (!*u) return u->status();

    data::Status s = detail::walkRecords<data::Season>(store, "byCurrentSeason", {},
                                                       [&](const data::Season& sea) {
                                                           if (sea.CurrentSeasonFlag == "Y")
                                                               ctx.globals().SeasonId = sea.SeasonId;
                                                           return true;
                                                       });
    if (!s) return s;
    const std::string season = ctx.globals().SeasonId.str();

    std::vector<int32_t> divisionIds;
    s = detail::walkRecords<data::Division>(store, "byDivisionId", {}, [&](const data::Division& d) {
        if (d.InactiveFlag != "Y") divisionIds.push_back(d.DivisionId);
        return true;
    });
    if (!s) return s;
    std::vector<int32_t> memberIds;
    s = detail::walkRecords<data::Members>(store, "byMemberId", {}, [&](const data::Members& m) {
        if (m.InactiveFlag != "Y") memberIds.push_back(m.MemberId);
        return true;
    });
    if (!s) return s;

    // Read each member's history once and find the grade in every division.
    std::vector<std::vector<data::GradeHistory>> history(memberIds.size());
    for (size_t i = 0; i < memberIds.size(); ++i)
        if (s = readGradeHistory(store, memberIds[i], history[i]); !s) return s;
    for (int32_t d : divisionIds)
        for (size_t i = 0; i < memberIds.size(); ++i)
            if (int32_t g = gradeFromHistory(history[i], d, season); g > 0)
                ctx.memberGradeCache.push_back({d, memberIds[i], g});
    return data::Status::ok();
}

}  // namespace qv::scoring
