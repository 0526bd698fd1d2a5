#include "core/reports/SeasonScope.h"

#include <algorithm>

#include "core/data/FixedText.h"
#include "core/reports/RecordCache.h"
#include "core/scoring/Seasons.h"

namespace qv::reports {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::text;
using scoring::detail::walkRecords;

namespace {

const char* const kFiles[] = {"Trips",   "TripMember", "TripScore", "Species",     "Division",
                              "Season",  "Grade",      "Members",   "GradeHistory"};

}  // namespace

SeasonFiles::SeasonFiles(Store& store) : OpenFiles(store, kFiles) {}

Status readSeasonScope(Store& store, int32_t divisionId, const std::string& seasonId, SeasonScope& out) {
    out = SeasonScope();
    out.division.DivisionId = divisionId;
    Status s = fetchRecord(store, out.division, "byDivisionId");
    if (s.isFailed()) return s;
    if (!s) out.division = Division();
    out.season.SeasonId = seasonId;
    s = fetchRecord(store, out.season, "bySeasonId");
    if (s.isFailed()) return s;
    if (!s) out.season = Season();

    s = walkRecords<Trips>(store, "bySeasonIdDivisionId", {text(seasonId), number(divisionId)},
                           [&](const Trips& t) {
                               if (!scoring::sameSeason(t.SeasonId, seasonId) || t.DivisionId != divisionId)
                                   return false;
                               out.trips.push_back(t);
                               return true;
                           });
    if (!s) return s;
    std::sort(out.trips.begin(), out.trips.end(),
              [](const Trips& a, const Trips& b) { return a.TripId < b.TripId; });

    for (const Trips& t : out.trips) {
        s = walkRecords<TripMember>(store, "byTripId", {number(t.TripId)}, [&](const TripMember& tm) {
            if (tm.TripId != t.TripId) return false;
            if (tm.MemberId >= 1) out.byMember[tm.MemberId].push_back(tm);
            return true;
        });
        if (!s) return s;
    }
    for (auto& [member, rows] : out.byMember)
        std::sort(rows.begin(), rows.end(),
                  [](const TripMember& a, const TripMember& b) { return a.TripMemberId < b.TripMemberId; });
    return Status::ok();
}

MemberHeadings::MemberHeadings(Store& store, int32_t divisionId, std::string seasonId)
    : store_(store), divisionId_(divisionId), seasonId_(std::move(seasonId)) {}

Status MemberHeadings::heading(int32_t memberId, MemberHeading& out) {
    out = MemberHeading();
    Members m;
    m.MemberId = memberId;
    Status s = fetchRecord(store_, m, "byMemberId");
    if (s.isFailed()) return s;
    if (!s) return Status::ok();
    out.found = true;
    out.inactive = clip(m.InactiveFlag) == "Y";
    out.name = scoring::MemberDisplayName(m);
    if (!historyRead_) {
        if (s = scoring::readDivisionHistory(store_, divisionId_, history_); !s) return s;
        historyRead_ = true;
    }
    const auto h = history_.find(memberId);
    const int32_t gradeId = h == history_.end() ? 0 : scoring::gradeFromHistory(h->second, divisionId_, seasonId_);
    Grade g;
    if (s = cachedRecord(store_, gradeCache_, gradeId, "byGradeId", [](Grade& r, int32_t k) { r.GradeId = k; }, g,
                         gradeId != 0);
        !s)
        return s;
    out.gradeName = std::string(clip(g.GradeName));
    out.gradePosition = g.ReportPosition;
    return Status::ok();
}

}  // namespace qv::reports
