#include "core/reports/ReportLookups.h"

#include <algorithm>

#include "core/data/FixedText.h"
#include "core/reports/RecordCache.h"
#include "core/scoring/Seasons.h"

namespace qv::reports {

using namespace qv::data;

Status ReportAnglers::memberRecord(int32_t memberId, Members& out) {
    return cachedRecord(store_, members_, memberId, "byMemberId", [](Members& r, int32_t k) { r.MemberId = k; }, out,
                        memberId >= 1);
}

Status ReportAnglers::member(int32_t memberId, int32_t divisionId, std::string_view seasonId, AnglerLine& out) {
    out = {};
    Members m;
    if (Status s = memberRecord(memberId, m); !s) return s;
    if (m.MemberId != 0) {
        out.name = scoring::MemberDisplayName(m);
        out.lastName = std::string(clip(m.LastName));
    }
    if (Status s = grades_.gradeFor(memberId, divisionId, seasonId, out.gradeId); !s) return s;
    return fillGrade(out);
}

Status ReportAnglers::nonMember(int32_t nonMemberId, AnglerLine& out) {
    out = {};
    NonMembers n;
    n.NonMemberId = nonMemberId;
    Status s = fetchRecord(store_, n, "byNonMemberId");
    if (s.isFailed()) return s;
    if (s) {
        out.name = nonMemberName(n);
        out.lastName = std::string(clip(n.LastName));
        out.gradeId = n.GradeId;
    }
    return fillGrade(out);
}

Status ReportAnglers::of(const TripMember& tm, const Trips& trip, AnglerLine& out) {
    if (tm.NonMemberId >= 1) return nonMember(tm.NonMemberId, out);
    return member(tm.MemberId, trip.DivisionId, trip.SeasonId, out);
}

Status ReportAnglers::fillGrade(AnglerLine& out) {
    Grade g;
    Status s = cachedRecord(store_, gradeCache_, out.gradeId, "byGradeId", [](Grade& r, int32_t k) { r.GradeId = k; },
                            g, out.gradeId != 0);
    if (!s) return s;
    out.gradeName = std::string(clip(g.GradeName));
    out.gradePosition = g.ReportPosition;
    return Status::ok();
}

std::string nonMemberName(const NonMembers& n) {
    std::string s = std::string(clip(n.FirstName)) + " " + std::string(clip(n.LastName)) + "*";
    if (n.LadiesFlag == "Y") s += " (L)";
    if (n.VeteranFlag == "Y") s += " (V)";
    return fitText(s, 100);
}

Status divisionAndSeason(Store& store, int32_t divisionId, const std::string& seasonId, Division& division,
                         Season& season) {
    division = Division();
    division.DivisionId = divisionId;
    if (Status s = fetchRecord(store, division, "byDivisionId"); s.isFailed()) return s;
    season = Season();
    season.SeasonId = seasonId;
    if (Status s = fetchRecord(store, season, "bySeasonId"); s.isFailed()) return s;
    return Status::ok();
}

void setTripHeading(olmix::RecordQueue& q, size_t& f, const std::string& organisation, const Season& season,
                    const Trips& trip, const Division& division) {
    q.setText(f++, organisation);
    q.setText(f++, season.SeasonDesc);
    q.setText(f++, std::to_string(trip.SeasonTripNumber));
    q.setText(f++, clip(trip.TripDate.format("D6")));
    q.setText(f++, trip.TripLocation);
    q.setText(f++, trip.InterClubTripDesc);
    q.setText(f++, division.DivisionName);
}

Status divisionSpecies(Store& store, int32_t divisionId, std::vector<Species>& out) {
    out.clear();
    Status s = scoring::detail::walkRecords<Species>(store, "byDivisionId", {scoring::detail::number(divisionId)},
                                                     [&](const Species& sp) {
                                                         if (sp.DivisionId != divisionId) return false;
                                                         out.push_back(sp);
                                                         return true;
                                                     });
    std::sort(out.begin(), out.end(), [](const Species& a, const Species& b) { return a.SpeciesId < b.SpeciesId; });
    return s;
}

}  // namespace qv::reports
