#include "core/scoring/GradeHistoryRules.h"

#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/scoring/Seasons.h"

namespace qv::scoring {

namespace {

bool blank(std::string_view s) { return clip(s).empty(); }

// Whether `season` lies between `from` and `to`, both included.
bool within(std::string_view season, std::string_view from, std::string_view to) {
    return compareSeason(season, from) >= 0 && compareSeason(season, to) <= 0;
}

}  // namespace

std::string_view endForRange(std::string_view endSeasonId) {
    return blank(endSeasonId) ? kOpenEndSeason : clip(endSeasonId);
}

std::string gradingFaultText(GradingFault fault) {
    switch (fault) {
        case GradingFault::None: return {};
        case GradingFault::EndBeforeStart: return "You cannot select an End Season that is before the Start Season";
        case GradingFault::NoGrade: return "Please enter a Grade";
        case GradingFault::NoDivision: return "Please enter a division";
        case GradingFault::NoStartSeason: return "Please enter a Start Season";
        case GradingFault::SecondCurrent:
            return "You have tried to enter a current grading (by entering no End Season) but one already exists. "
                   "Please ensure there is only one current grading for this Member in this Division.";
        case GradingFault::RangeTaken:
            return "You have entered a Grade in a range that already exists for this Division. "
                   "Please ensure that the Start and End Season range is unique.";
    }
    return {};
}

GradingFault clashWith(const data::GradeHistory& row, const data::GradeHistory& other) {
    const bool rowOpen = blank(row.EndSeasonId), otherOpen = blank(other.EndSeasonId);
    if (rowOpen && otherOpen) return GradingFault::SecondCurrent;
    const std::string_view start = row.StartSeasonId, otherStart = other.StartSeasonId;
    bool clash = sameSeason(start, otherStart);
    if (!rowOpen && !otherOpen && sameSeason(row.EndSeasonId, other.EndSeasonId)) clash = true;
    if (!otherOpen && (within(start, otherStart, other.EndSeasonId) ||
                       within(endForRange(row.EndSeasonId), otherStart, other.EndSeasonId)))
        clash = true;
    if (otherOpen && compareSeason(start, otherStart) >= 0) clash = true;
    if (rowOpen && compareSeason(start, otherStart) <= 0) clash = true;
    return clash ? GradingFault::RangeTaken : GradingFault::None;
}

GradingFault checkGrading(const data::GradeHistory& row, const std::vector<data::GradeHistory>& memberRows) {
    if (!blank(row.EndSeasonId) && compareSeason(row.EndSeasonId, row.StartSeasonId) < 0)
        return GradingFault::EndBeforeStart;
    if (row.GradeId == 0) return GradingFault::NoGrade;
    if (row.DivisionId == 0) return GradingFault::NoDivision;
    if (blank(row.StartSeasonId)) return GradingFault::NoStartSeason;
    for (const data::GradeHistory& other : memberRows) {
        if (other.DivisionId != row.DivisionId || other.MemberId != row.MemberId) continue;
        if (row.GradeHistoryId != 0 && other.GradeHistoryId == row.GradeHistoryId) continue;
        if (GradingFault f = clashWith(row, other); f != GradingFault::None) return f;
    }
    return GradingFault::None;
}

bool gradingEndedBefore(const std::vector<data::GradeHistory>& memberRows, int32_t divisionId,
                        std::string_view seasonId) {
    for (const data::GradeHistory& r : memberRows)
        if (r.DivisionId == divisionId && !blank(r.EndSeasonId) && compareSeason(r.EndSeasonId, seasonId) < 0)
            return true;
    return false;
}

data::Status readMemberGradings(data::Store& store, int32_t memberId, std::vector<data::GradeHistory>& rows) {
    rows.clear();
    data::FileUse use(store, "GradeHistory");
    if (!use) return use.status();
    return detail::walkRecords<data::GradeHistory>(store, "byMemberId", {detail::number(memberId)},
                                                   [&](const data::GradeHistory& r) {
                                                       if (r.MemberId != memberId) return false;
                                                       rows.push_back(r);
                                                       return true;
                                                   });
}

data::Status memberFishedSeason(data::Store& store, int32_t memberId, std::string_view seasonId, bool& fished) {
    fished = false;
    data::FileUse members(store, "TripMember"), trips(store, "Trips");
    if (!members) return members.status();
    if (!trips) return trips.status();
    std::vector<int32_t> tripIds;
    data::Status s = detail::walkRecords<data::TripMember>(store, "byMemberId", {detail::number(memberId)},
                                                           [&](const data::TripMember& tm) {
                                                               if (tm.MemberId != memberId) return false;
                                                               tripIds.push_back(tm.TripId);
                                                               return true;
                                                           });
    if (!s) return s;
    for (int32_t id : tripIds) {
        data::Trips t;
        t.TripId = id;
        data::Status f = data::fetchRecord(store, t, "byTripId");
        if (f.isFailed()) return f;
        if (f.isOk() && sameSeason(t.SeasonId, seasonId)) {
            fished = true;
            break;
        }
    }
    return data::Status::ok();
}

std::string listedName(std::string_view firstName, std::string_view lastName) {
    return std::string(clip(lastName)) + ", " + std::string(clip(firstName));
}

}  // namespace qv::scoring
