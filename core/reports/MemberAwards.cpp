// The member report's awards: season placings, trip wins, season trophies
// and trip trophies, counted with one running count.

#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/data/WorkstationRecords.h"
#include "core/reports/MemberReportParts.h"
#include "core/reports/Placings.h"
#include "core/scoring/Seasons.h"
#include "core/scoring/Winners.h"

namespace qv::reports::member {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::walkRecords;

namespace {

class AwardList {
public:
    AwardList(NameBook& names, std::vector<Award>& out) : names_(names), out_(out) {}

    Status add(int32_t divisionId, const std::string& seasonId, std::string text) {
        Division division;
        Season season;
        if (Status s = names_.division(divisionId, division); !s) return s;
        if (Status s = names_.season(seasonId, season); !s) return s;
        ++count_;
        out_.push_back({ids_.next(seasonId, divisionId, count_), std::string(clip(season.SeasonDesc)),
                        std::string(clip(division.DivisionName)), std::move(text)});
        return Status::ok();
    }

private:
    NameBook& names_;
    std::vector<Award>& out_;
    AwardIds ids_;
    int count_ = 0;
};

std::string trophyText(const Trophy& t) {
    return std::string(clip(t.TrophyName)) + " " + std::string(clip(t.Description));
}

// Each (division, season) the member fished once: every division's placings
// of a season count, also when two divisions share the season.
Status seasonPlacings(scoring::ScoringContext& ctx, NameBook& names, int32_t memberId, AwardList& awards) {
    std::vector<TempMemberReport> pairs;
    Status s = walkRecords<TempMemberReport>(ctx.store(), "byDivisionIdSeasonId", {}, [&](const TempMemberReport& w) {
        if (pairs.empty() || pairs.back().DivisionId != w.DivisionId || !scoring::sameSeason(pairs.back().SeasonId, w.SeasonId))
            pairs.push_back(w);
        return true;
    });
    if (!s) return s;
    PlacingBook book(ctx);
    for (const TempMemberReport& pair : pairs) {
        std::vector<scoring::SubGradeStanding> placings;
        if (s = book.placings(pair.DivisionId, pair.SeasonId, placings); !s) return s;
        for (const scoring::SubGradeStanding& p : placings) {
            if (p.MemberId != memberId) continue;
            std::string label;
            if (s = placingGroupLabel(names, p.GradeId, ClassStyle::Bracketed, label); !s) return s;
            if (s = awards.add(pair.DivisionId, pair.SeasonId, label + " " + placeWords(p.Position)); !s) return s;
        }
    }
    return Status::ok();
}

Status tripWins(scoring::ScoringContext& ctx, NameBook& names, int32_t memberId, AwardList& awards) {
    std::vector<int32_t> tripIds;
    Status s = walkRecords<TempMemberReport>(ctx.store(), "byTripId", {}, [&](const TempMemberReport& w) {
        if (tripIds.empty() || tripIds.back() != w.TripId) tripIds.push_back(w.TripId);
        return true;
    });
    if (!s) return s;
    scoring::GradeBook grades(ctx.store());
    if (s = grades.readAll(); !s) return s;
    for (int32_t tripId : tripIds) {
        Trips trip;
        trip.TripId = tripId;
        if (s = fetchRecord(ctx.store(), trip, "byTripId"); s.isFailed()) return s;
        if (!s) continue;
        if (s = scoring::BuildTripGradeWinners(ctx, tripId, grades); !s) return s;
        for (const scoring::TripGradeWinner& w : ctx.tripGradeWinners) {
            if (w.MemberId != memberId) continue;
            Grade grade;
            if (s = names.grade(w.GradeId, grade); !s) return s;
            const std::string text = std::string(clip(grade.GradeName)) + " Trip Winner for Trip " +
                                     std::to_string(trip.SeasonTripNumber) + " (" +
                                     std::string(clip(trip.TripDate.format("D6"))) + ")";
            if (s = awards.add(trip.DivisionId, trip.SeasonId, text); !s) return s;
        }
    }
    return Status::ok();
}

Status seasonTrophies(scoring::ScoringContext& ctx, NameBook& names, int32_t memberId, AwardList& awards) {
    std::vector<SeasonTrophy> won;
    Status s = walkRecords<SeasonTrophy>(ctx.store(), "byMemberId", {number(memberId)}, [&](const SeasonTrophy& t) {
        if (t.MemberId != memberId) return false;
        won.push_back(t);
        return true;
    });
    if (!s) return s;
    for (const SeasonTrophy& t : won) {
        Trophy trophy;
        if (s = names.trophy(t.TrophyId, trophy); !s) return s;
        std::string text = trophyText(trophy);
        if (t.PositionalTrophy == "Y") {
            const std::string place = placeWords(static_cast<int>(numericValue(t.Position)));
            if (!place.empty()) text = place + " " + text;
        }
        if (s = awards.add(t.DivisionId, t.SeasonId, text); !s) return s;
    }
    return Status::ok();
}

Status tripTrophies(scoring::ScoringContext& ctx, NameBook& names, int32_t memberId, AwardList& awards) {
    std::vector<TripTrophy> won;
    Status s = walkRecords<TripTrophy>(ctx.store(), "byMemberIdSeasonId", {number(memberId)}, [&](const TripTrophy& t) {
        if (t.MemberId != memberId) return false;
        won.push_back(t);
        return true;
    });
    if (!s) return s;
    for (const TripTrophy& t : won) {
        Trips trip;
        trip.TripId = t.TripId;
        if (s = fetchRecord(ctx.store(), trip, "byTripId"); s.isFailed()) return s;
        Trophy trophy;
        if (s = names.trophy(t.TrophyId, trophy); !s) return s;
        if (s = awards.add(trip.DivisionId, t.SeasonId, trophyText(trophy)); !s) return s;
    }
    return Status::ok();
}

}  // namespace

Status collectAwards(scoring::ScoringContext& ctx, NameBook& names, int32_t memberId,
                     const MemberReportStages& stages, std::vector<Award>& out) {
    AwardList awards(names, out);
    if (stages) stages(MemberReportStage::SeasonAwards);
    if (Status s = seasonPlacings(ctx, names, memberId, awards); !s) return s;
    if (stages) stages(MemberReportStage::TripWins);
    if (Status s = tripWins(ctx, names, memberId, awards); !s) return s;
    if (Status s = seasonTrophies(ctx, names, memberId, awards); !s) return s;
    return tripTrophies(ctx, names, memberId, awards);
}

}  // namespace qv::reports::member
