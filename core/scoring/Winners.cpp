#include "core/scoring/Winners.h"

#include <algorithm>
#include <vector>

#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/scoring/Grades.h"
#include "core/scoring/NetPoints.h"
#include "core/scoring/Seasons.h"

namespace qv::scoring {

namespace {

// The TripMember records of one trip, in entry order.
data::Status tripMembersOf(data::Store& store, int32_t tripId, std::vector<data::TripMember>& out) {
    out.clear();
    return detail::walkRecords<data::TripMember>(store, "byTripId", {detail::number(tripId)},
                                                 [&](const data::TripMember& tm) {
                                                     if (tm.TripId != tripId) return false;
                                                     out.push_back(tm);
                                                     return true;
                                                 });
}

}  // namespace

StepResult BuildPriorTripWinners(ScoringContext& ctx, int32_t currentTripId, int32_t divisionId,
                                 std::string_view seasonId) {
    StepResult r;
    ctx.priorTripWinners = PriorTripWinners();
    if (!ctx.scorer()) return r;
    ctx.tell(" Collecting Trip Data for Scoring..");
    r.status = GatherPriorTripWinners(ctx.store(), currentTripId, divisionId, seasonId,
                                      ctx.priorTripWinners);
    r.ran = r.status.isOk();
    return r;
}

data::Status GatherPriorTripWinners(data::Store& store, int32_t currentTripId, int32_t divisionId,
                                    std::string_view seasonId, PriorTripWinners& list) {
    list = PriorTripWinners();
    data::FileUse trips(store, "Trips");
    data::FileUse members(store, "TripMember");
    data::FileUse history(store, "GradeHistory");
    for (const data::FileUse* u : {&trips, &members, &history})
        if (!*u) return u->status();

    StepResult r;
    std::vector<data::Trips> earlier;
    r.status = detail::walkRecords<data::Trips>(
        store, "byDivisionIdSeasonIdTripId",
        {detail::number(divisionId), detail::text(clip(seasonId))}, [&](const data::Trips& t) {
            if (t.DivisionId != divisionId || compareText(t.SeasonId, seasonId, false) != 0) return false;
            if (t.TripId >= currentTripId) return false;
            if (sameSeason(t.SeasonId, seasonId)) earlier.push_back(t);
            return true;
        });
    if (!r.status) return r.status;

    SeasonRules rules;
    if (r.status = readSeasonRules(store, seasonId, rules); !r.status) return r.status;
    GradeBook grades(store);
    std::vector<PriorTripWinner> work;
    std::vector<data::TripMember> tms;
    for (const data::Trips& t : earlier) {
        if (r.status = tripMembersOf(store, t.TripId, tms); !r.status) return r.status;
        for (const data::TripMember& tm : tms) {
            PriorTripWinner w;
            w.TripId = t.TripId;
            w.MemberId = tm.MemberId;
            if (tm.MemberId != 0)
                if (r.status = grades.gradeFor(tm.MemberId, t.DivisionId, t.SeasonId, w.GradeId); !r.status)
                    return r.status;
            w.CalculatedPoints =
                NetTripPoints(tm.TotalTripPoints, tm.Penalty, tm.Handicap, rules.handicap);
            work.push_back(w);
        }
    }
    std::stable_sort(work.begin(), work.end(), [](const PriorTripWinner& a, const PriorTripWinner& b) {
        if (a.TripId != b.TripId) return a.TripId < b.TripId;
        if (a.GradeId != b.GradeId) return a.GradeId < b.GradeId;
        return a.CalculatedPoints > b.CalculatedPoints;
    });
    const PriorTripWinner* kept = nullptr;
    for (const PriorTripWinner& w : work) {
        if (!kept || w.TripId != kept->TripId || w.GradeId != kept->GradeId ||
            w.CalculatedPoints == kept->CalculatedPoints) {
            list.rows.push_back(w);
            kept = &w;
        }
    }
    list.built = true;
    list.tripId = currentTripId;
    list.divisionId = divisionId;
    list.seasonId = std::string(clip(seasonId));
    return data::Status::ok();
}

int32_t HandicapForWins(const data::System& s, int wins, int32_t unchanged) {
    if (wins <= 0) return unchanged;
    Decimal h = s.HandicapInitial + Decimal(wins - 1) * s.HandicapFollowOn;
    return static_cast<int32_t>(h.toWhole());
}

StepResult WinnerHandicapAndProgress(ScoringContext& ctx, data::TripMember& tm, const TripRef& trip) {
    StepResult r;
    if (!ctx.scorer()) return r;
    Decimal prior = Decimal::fromUnits(0, 2);
    if (tm.MemberId > 0 && tm.NonMemberId == 0) {
        if (r.status = PriorProgressPoints(ctx.store(), tm.MemberId, trip.divisionId, trip.seasonId,
                                           trip.tripId, prior);
            !r.status)
            return r;
        const PriorTripWinners& list = ctx.priorTripWinners;
        if (!list.built || list.tripId != trip.tripId || list.divisionId != trip.divisionId ||
            !sameSeason(list.seasonId, trip.seasonId)) {
            StepResult b = BuildPriorTripWinners(ctx, trip.tripId, trip.divisionId, trip.seasonId);
            if (!b.status) {
                r.status = b.status;
                return r;
            }
        }
        const int wins = static_cast<int>(std::count_if(
            list.rows.begin(), list.rows.end(),
            [&](const PriorTripWinner& w) { return w.MemberId == tm.MemberId; }));
        tm.Handicap = HandicapForWins(ctx.settings(), wins, tm.Handicap);
    }
    tm.ProgressPoints = (tm.TotalTripPoints - Decimal(tm.Penalty) + prior).roundedTo(2);
    r.ran = true;
    return r;
}

data::Status BuildTripGradeWinners(ScoringContext& ctx, int32_t tripId) {
    GradeBook grades(ctx.store());
    return BuildTripGradeWinners(ctx, tripId, grades);
}

data::Status BuildTripGradeWinners(ScoringContext& ctx, int32_t tripId, GradeBook& grades) {
    ctx.tripGradeWinners.clear();
    data::Store& store = ctx.store();
    data::FileUse trips(store, "Trips");
    data::FileUse members(store, "TripMember");
    data::FileUse nonMembers(store, "NonMembers");
    data::FileUse history(store, "GradeHistory");
    for (const data::FileUse* u : {&trips, &members, &nonMembers, &history})
        if (!*u) return u->status();

    data::Trips trip;
    trip.TripId = tripId;
    if (data::Status s = data::fetchRecord(store, trip, "byTripId"); !s) return s;
    SeasonRules rules;
    if (data::Status s = readSeasonRules(store, trip.SeasonId, rules); !s) return s;

    std::vector<data::TripMember> tms;
    if (data::Status s = tripMembersOf(store, tripId, tms); !s) return s;
    std::vector<TripGradeWinner> work;
    for (const data::TripMember& tm : tms) {
        TripGradeWinner w;
        w.MemberId = tm.MemberId;
        w.NonMemberId = tm.NonMemberId;
        if (tm.NonMemberId >= 1) {
            data::NonMembers non;
            non.NonMemberId = tm.NonMemberId;
            data::Status s = data::fetchRecord(store, non, "byNonMemberId");
            if (s.isFailed()) return s;
            if (s.isOk()) w.GradeId = non.GradeId;
        } else if (data::Status s = grades.gradeFor(tm.MemberId, trip.DivisionId, trip.SeasonId, w.GradeId);
                   !s) {
            return s;
        }
        w.CalculatedPoints = NetTripPoints(tm.TotalTripPoints, tm.Penalty, tm.Handicap, rules.handicap);
        work.push_back(w);
    }
    std::stable_sort(work.begin(), work.end(), [](const TripGradeWinner& a, const TripGradeWinner& b) {
        if (a.GradeId != b.GradeId) return a.GradeId < b.GradeId;
        return a.CalculatedPoints > b.CalculatedPoints;
    });
    const TripGradeWinner* kept = nullptr;
    for (const TripGradeWinner& w : work) {
        if (!kept || w.GradeId != kept->GradeId || w.CalculatedPoints == kept->CalculatedPoints) {
            ctx.tripGradeWinners.push_back(w);
            kept = &w;
        }
    }
    return data::Status::ok();
}

}  // namespace qv::scoring
