#include "core/scoring/Standings.h"

#include <algorithm>
#include <map>

#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/scoring/Grades.h"
#include "core/scoring/Seasons.h"

namespace qv::scoring {

std::vector<std::string> standingCodes(const data::System& s, const data::Members& m,
                                       const std::string& gradeText, std::string_view seasonId) {
    std::vector<std::string> codes{gradeText};
    const bool lady = m.LadiesFlag == "Y";
    const bool veteran = m.VeteranFlag == "Y" && compareSeason(seasonId, m.VeteranStartSeason) >= 0;
    if (lady) {
        if (s.ReportLadiesAsGrade == 1) codes.push_back("L");
        if (s.ReportLadiesAsSubGrade == 1) codes.push_back("~L" + gradeText);
    } else if (s.NonLadiesFlag == 1) {
        if (s.ReportLadiesAsGrade == 1) codes.push_back("M");
        if (s.ReportLadiesAsSubGrade == 1) codes.push_back("~M" + gradeText);
    }
    if (veteran) {
        if (s.ReportVeteranAsGrade == 1) codes.push_back("V");
        if (s.ReportVeteranAsSubGrade == 1) codes.push_back("~V" + gradeText);
    } else if (s.NonVeteranFlag == 1) {
        if (s.ReportVeteranAsGrade == 1) codes.push_back("N");
        if (s.ReportVeteranAsSubGrade == 1) codes.push_back("~N" + gradeText);
    }
    for (std::string& c : codes)
        if (c.size() > kStandingCodeWidth) c.resize(kStandingCodeWidth);
    return codes;
}

std::vector<SubGradeStanding> placeCandidates(std::vector<StandingCandidate> candidates) {
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const StandingCandidate& a, const StandingCandidate& b) {
                         if (a.code != b.code) return a.code < b.code;
                         return a.points > b.points;
                     });
    std::vector<SubGradeStanding> out;
    const StandingCandidate* previous = nullptr;  // the last candidate placed
    int position = 0;
    for (const StandingCandidate& c : candidates) {
        if (!previous || previous->code != c.code) {
            position = 0;
            previous = nullptr;
        }
        if (position >= 3) continue;
        if (!previous)
            position = 1;
        else if (!(c.points == previous->points))
            position += 1;
        out.push_back({c.code, static_cast<int16_t>(position), c.memberId, c.points});
        previous = &c;
    }
    return out;
}

data::Status BuildSubGradeStandings(ScoringContext& ctx, int32_t divisionId, std::string_view seasonId) {
    ctx.subGradeStandings.clear();
    data::Store& store = ctx.store();
    data::FileUse trips(store, "Trips");
    data::FileUse tripMembers(store, "TripMember");
    data::FileUse members(store, "Members");
    data::FileUse grades(store, "GradeHistory");
    for (const data::FileUse* u : {&trips, &tripMembers, &members, &grades})
        if (!*u) return u->status();

    std::vector<int32_t> tripIds;
    data::Status s = detail::walkRecords<data::Trips>(
        store, "bySeasonIdDivisionId", {detail::text(clip(seasonId)), detail::number(divisionId)},
        [&](const data::Trips& t) {
            if (compareText(t.SeasonId, seasonId, false) != 0 || t.DivisionId != divisionId) return false;
            if (sameSeason(t.SeasonId, seasonId)) tripIds.push_back(t.TripId);
            return true;
        });
    if (!s) return s;

    // Each member's highest progress points over the season's trips.
    std::map<int32_t, Decimal> best;
    for (int32_t tripId : tripIds) {
        s = detail::walkRecords<data::TripMember>(store, "byTripId", {detail::number(tripId)},
                                                  [&](const data::TripMember& tm) {
                                                      if (tm.TripId != tripId) return false;
                                                      if (tm.MemberId < 1) return true;
                                                      auto [it, fresh] = best.try_emplace(tm.MemberId, tm.ProgressPoints);
                                                      if (!fresh && tm.ProgressPoints > it->second)
                                                          it->second = tm.ProgressPoints;
                                                      return true;
                                                  });
        if (!s) return s;
    }

    std::map<int32_t, std::vector<data::GradeHistory>> history;
    if (s = readDivisionHistory(store, divisionId, history); !s) return s;
    std::vector<StandingCandidate> candidates;
    for (const auto& [memberId, points] : best) {
        auto h = history.find(memberId);
        const int32_t grade = h == history.end() ? 0 : gradeFromHistory(h->second, divisionId, seasonId);
        data::Members m;
        m.MemberId = memberId;
        s = data::fetchRecord(store, m, "byMemberId");
        if (s.isFailed()) return s;
        if (s.isNotFound()) m = data::Members();  // placed under its grade only
        for (std::string& code : standingCodes(ctx.settings(), m, std::to_string(grade), seasonId))
            candidates.push_back({std::move(code), memberId, points});
    }
    ctx.subGradeStandings = placeCandidates(std::move(candidates));
    return data::Status::ok();
}

}  // namespace qv::scoring
