#include "core/reports/Placings.h"

#include <algorithm>
#include <set>

#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/scoring/Grades.h"
#include "core/scoring/Seasons.h"
#include "core/scoring/Standings.h"

namespace qv::reports {

using namespace qv::data;

namespace {

struct ClassName {
    char letter;
    const char* name;
};
constexpr ClassName kClasses[] = {{'L', "Ladies"}, {'M', "Men"}, {'V', "Veteran"}, {'N', "Non-Veteran"}};

const char* className(char letter) {
    for (const ClassName& c : kClasses)
        if (c.letter == letter) return c.name;
    return nullptr;
}

Status gradeName(NameBook& names, std::string_view idText, std::string& out) {
    Grade g;
    if (Status s = names.grade(static_cast<int32_t>(numericValue(idText)), g); !s) return s;
    out = std::string(clip(g.GradeName));
    return Status::ok();
}

}  // namespace

Status placingGroupLabel(NameBook& names, std::string_view code, ClassStyle style, std::string& out) {
    code = clip(code);
    if (code.size() == 1 && className(code[0])) {
        out = className(code[0]);
        return Status::ok();
    }
    if (code.size() >= 2 && code[0] == '~' && className(code[1])) {
        if (Status s = gradeName(names, code.substr(2), out); !s) return s;
        const std::string cls = className(code[1]);
        out += style == ClassStyle::Bracketed ? " (" + cls + ")" : " " + cls;
        return Status::ok();
    }
    return gradeName(names, code, out);
}

std::string placeWords(int position) {
    switch (position) {
        case 1: return "First Place";
        case 2: return "Second Place";
        case 3: return "Third Place";
        default: return "";
    }
}

Status PlacingBook::readMembers() {
    membersRead_ = true;
    return scoring::detail::walkRecords<Members>(ctx_.store(), "byMemberId", {}, [&](const Members& m) {
        members_[m.MemberId] = m;
        return true;
    });
}

Status PlacingBook::placings(int32_t divisionId, std::string_view seasonId,
                             std::vector<scoring::SubGradeStanding>& out) {
    using scoring::detail::number;
    using scoring::detail::text;
    using scoring::detail::walkRecords;
    out.clear();
    Store& store = ctx_.store();
    if (!membersRead_)
        if (Status s = readMembers(); !s) return s;
    auto history = history_.find(divisionId);
    if (history == history_.end()) {
        std::map<int32_t, std::vector<GradeHistory>> rows;
        if (Status s = scoring::readDivisionHistory(store, divisionId, rows); !s) return s;
        history = history_.emplace(divisionId, std::move(rows)).first;
    }

    std::set<int32_t> tripIds;
    Status s = walkRecords<Trips>(store, "bySeasonIdDivisionId", {text(clip(seasonId)), number(divisionId)},
                                  [&](const Trips& t) {
                                      if (!scoring::sameSeason(t.SeasonId, seasonId) || t.DivisionId != divisionId)
                                          return false;
                                      tripIds.insert(t.TripId);
                                      return true;
                                  });
    if (!s || tripIds.empty()) return s;
    // Each member's highest progress points of the season. A season's trips
    // are mostly numbered close together: one walk over their range reads
    // them all, passing over the few of other divisions in between.
    std::map<int32_t, Decimal> best;
    const int32_t last = *tripIds.rbegin();
    s = walkRecords<TripMember>(store, "byTripId", {number(*tripIds.begin())}, [&](const TripMember& tm) {
        if (tm.TripId > last) return false;
        if (tm.MemberId < 1 || !tripIds.count(tm.TripId)) return true;
        auto [it, fresh] = best.try_emplace(tm.MemberId, tm.ProgressPoints);
        if (!fresh && tm.ProgressPoints > it->second) it->second = tm.ProgressPoints;
        return true;
    });
    if (!s) return s;
    std::vector<scoring::StandingCandidate> candidates;
    for (const auto& [memberId, points] : best) {
        auto h = history->second.find(memberId);
        const int32_t grade = h == history->second.end() ? 0 : scoring::gradeFromHistory(h->second, divisionId, seasonId);
        auto m = members_.find(memberId);
        const Members member = m == members_.end() ? Members() : m->second;  // placed under its grade only
        for (std::string& code : scoring::standingCodes(ctx_.settings(), member, std::to_string(grade), seasonId))
            candidates.push_back({std::move(code), memberId, points});
    }
    out = scoring::placeCandidates(std::move(candidates));
    std::stable_sort(out.begin(), out.end(), [](const scoring::SubGradeStanding& a, const scoring::SubGradeStanding& b) {
        if (a.GradeId != b.GradeId) return a.GradeId < b.GradeId;
        if (a.Position != b.Position) return a.Position < b.Position;
        return a.MemberId < b.MemberId;
    });
    return Status::ok();
}

}  // namespace qv::reports
