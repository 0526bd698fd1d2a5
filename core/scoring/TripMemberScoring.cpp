#include "core/scoring/TripMemberScoring.h"

#include <algorithm>
#include <map>

#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/scoring/Seasons.h"
#include "core/scoring/Winners.h"

namespace qv::scoring {

namespace {

const char* const kFiles[] = {"TripMember", "Trips",     "Season",      "TripCatch",   "TripScore",
                              "Species",    "Members",   "NonMembers",  "GradeHistory"};

// Opens every file scoring reads for the life of the object.
class ScoringFiles {
public:
    explicit ScoringFiles(data::Store& store) {
        for (const char* l : kFiles) {
            uses_.push_back(std::make_unique<data::FileUse>(store, l));
            if (!*uses_.back() && status_.isOk()) status_ = uses_.back()->status();
        }
    }
    const data::Status& status() const { return status_; }

private:
    std::vector<std::unique_ptr<data::FileUse>> uses_;
    data::Status status_ = data::Status::ok();
};

data::Status speciesById(data::Store& store, int32_t id, data::Species& out) {
    out = data::Species();
    out.SpeciesId = id;
    data::Status s = data::fetchRecord(store, out, "bySpeciesId");
    if (s.isNotFound()) out = data::Species();
    return s.isFailed() ? s : data::Status::ok();
}

data::Status scoreOne(ScoringContext& ctx, int32_t tripMemberId, TripMemberScore& out) {
    data::Store& store = ctx.store();
    const data::System& settings = ctx.settings();

    data::TripMember tm;
    tm.TripMemberId = tripMemberId;
    if (data::Status s = data::fetchRecord(store, tm, "byTripMemberId"); !s) {
        if (s.isNotFound())
            return data::Status::failed(
                programMessage("There is no trip member " + std::to_string(tripMemberId) + "."));
        return s;
    }
    data::Trips trip;
    trip.TripId = tm.TripId;
    if (data::Status s = data::fetchRecord(store, trip, "byTripId"); !s) {
        if (s.isNotFound())
            return data::Status::failed(programMessage("Trip member " + std::to_string(tripMemberId) +
                                                       " belongs to no trip."));
        return s;
    }
    SeasonRules season;
    if (data::Status s = readSeasonRules(store, trip.SeasonId, season); !s) return s;
    const std::string& letter = season.scoring;

    std::vector<SummaryRow> rows;
    if (data::Status s = loadSummaryRows(store, tm.TripMemberId, rows); !s) return s;
    std::vector<data::TripCatch> catches;
    data::Status s = detail::walkRecords<data::TripCatch>(
        store, "byTripMemberId", {detail::number(tm.TripMemberId)}, [&](const data::TripCatch& c) {
            if (c.TripMemberId != tm.TripMemberId) return false;
            catches.push_back(c);
            return true;
        });
    if (!s) return s;

    ScoreWarnings warnings;
    auto take = [&](const StepResult& r) {
        warnings += r.warnings;
        return r.status;
    };
    const bool fromCatches = !catches.empty() || tm.TripCatchList == "Y";
    if (fromCatches) {
        std::vector<data::Species> species;
        for (const data::TripCatch& c : catches) {
            data::Species sp;
            if (s = speciesById(store, c.SpeciesId, sp); !s) return s;
            if (sp.SpeciesId == 0) {
                sp.SpeciesId = c.SpeciesId;
                sp.SpeciesName = c.SpeciesName;
            }
            species.push_back(sp);
        }
        summaryFromCatches(rows, catches, species);
        tm.TripCatchList = "Y";
    }
    if (settings.FightFactorScoring == 1) {
        if (fromCatches || settings.IndividualCatchesApplies == 1) {
            if (s = take(ScoreFromCatches(ctx, tm, letter)); !s) return s;
            if (s = take(SummaryTotals(ctx, rows, letter, tm)); !s) return s;
        } else {
            if (s = take(SummaryTotals(ctx, rows, letter, tm)); !s) return s;
            if (s = take(ScoreFromSummary(ctx, rows, letter, tm)); !s) return s;
        }
    } else {
        // The total weight is the scorer's entry in this mode.
        if (s = take(SummaryTotals(ctx, rows, letter, tm)); !s) return s;
        if (s = take(ScoreFromCountAndWeight(ctx, tm)); !s) return s;
    }
    TripRef ref{trip.TripId, trip.DivisionId, std::string(clip(trip.SeasonId))};
    if (s = take(WinnerHandicapAndProgress(ctx, tm, ref)); !s) return s;

    // The summary rows: loaded ones updated when changed, new ones added.
    for (SummaryRow& row : rows) {
        data::TripScore rec;
        if (row.stored) {
            rec.TripScoreId = row.rowId;
            if (s = data::fetchRecord(store, rec, "byTripScoreId"); !s) return s;
        }
        data::TripScore before = rec;
        rec.TripMemberId = tm.TripMemberId;
        rec.SpeciesId = row.speciesId;
        rec.SpeciesNumberCaught = row.count;
        rec.HeaviestWeight = row.weight;
        rec.BestLength = row.length;
        rec.LineClass = row.lineClass;
        rec.HeaviestMultiple = row.heaviest3;
        data::Record a = data::toRecord(store, rec), b = data::toRecord(store, before);
        if (row.stored && a.sameValues(b)) continue;
        if (row.stored) {
            s = data::updateRecord(store, rec);
        } else {
            rec.TripScoreId = 0;
            s = data::insertRecord(store, rec);
            row.rowId = rec.TripScoreId;
            row.stored = true;
        }
        if (!s) return s;
    }
    if (s = data::updateRecord(store, tm); !s) return s;

    out.tripMember = tm;
    out.rows = std::move(rows);
    out.catches = static_cast<int>(catches.size());
    out.warnings = warnings;
    return data::Status::ok();
}

}  // namespace

data::Status loadSummaryRows(data::Store& store, int32_t tripMemberId, std::vector<SummaryRow>& rows) {
    rows.clear();
    std::vector<data::TripScore> scores;
    data::Status s = detail::walkRecords<data::TripScore>(
        store, "byTripMemberId", {detail::number(tripMemberId)}, [&](const data::TripScore& t) {
            if (t.TripMemberId != tripMemberId) return false;
            scores.push_back(t);
            return true;
        });
    if (!s) return s;
    for (const data::TripScore& t : scores) {
        data::Species sp;
        if (s = speciesById(store, t.SpeciesId, sp); !s) return s;
        SummaryRow row;
        row.rowId = t.TripScoreId;
        row.stored = true;
        row.speciesId = t.SpeciesId;
        row.speciesName = sp.SpeciesName;
        row.count = t.SpeciesNumberCaught;
        row.weight = t.HeaviestWeight;
        row.length = t.BestLength;
        row.lineClass = t.LineClass;
        row.heaviest3 = t.HeaviestMultiple;
        row.fightFactor = sp.FightFactor;
        rows.push_back(std::move(row));
    }
    return data::Status::ok();
}

void summaryFromCatches(std::vector<SummaryRow>& rows, const std::vector<data::TripCatch>& catches,
                        const std::vector<data::Species>& species) {
    for (SummaryRow& row : rows) {
        row.count = 0;
        row.weight = Decimal::fromUnits(0, 3);
        row.length = Decimal::fromUnits(0, 2);
        row.lineClass = Decimal::fromUnits(0, 2);
        row.heaviest3 = Decimal::fromUnits(0, 3);
    }
    int32_t nextNew = 1;
    for (const SummaryRow& row : rows)
        if (!row.stored) nextNew = std::max(nextNew, row.rowId + 1);
    for (size_t i = 0; i < catches.size(); ++i) {
        const data::TripCatch& c = catches[i];
        bool found = false;
        for (SummaryRow& row : rows) {
            if (row.speciesId != c.SpeciesId) continue;
            found = true;
            ++row.count;
            row.weight += c.SpeciesWeight;
            row.length += c.SpeciesLength;
        }
        if (found) continue;
        SummaryRow row;
        row.rowId = nextNew++;
        row.speciesId = c.SpeciesId;
        if (i < species.size()) {
            row.speciesName = species[i].SpeciesName;
            row.fightFactor = species[i].FightFactor;
        }
        row.count = 1;
        row.weight = c.SpeciesWeight;
        row.length = c.SpeciesLength;
        rows.push_back(std::move(row));
    }
}

data::Status ScoreTripMember(ScoringContext& ctx, int32_t tripMemberId, TripMemberScore* out) {
    if (!ctx.scorer()) return data::Status::failed(notScorerMessage());
    ScoringFiles files(ctx.store());
    if (!files.status()) return files.status();
    TripMemberScore local;
    return ctx.store().inTransaction(data::Location::Club, [&] {
        return scoreOne(ctx, tripMemberId, out ? *out : local);
    });
}

data::Status ScoreAllTrips(ScoringContext& ctx, ScoreAllCounts* counts) {
    ScoreAllCounts local;
    ScoreAllCounts& n = counts ? *counts : local;
    n = ScoreAllCounts();
    if (!ctx.scorer()) return data::Status::failed(notScorerMessage());
    data::Store& store = ctx.store();
    ScoringFiles files(store);
    if (!files.status()) return files.status();
    return store.inTransaction(data::Location::Club, [&]() -> data::Status {
        std::vector<data::Trips> trips;
        data::Status s = detail::walkRecords<data::Trips>(store, "byTripId", {}, [&](const data::Trips& t) {
            trips.push_back(t);
            return true;
        });
        if (!s) return s;
        for (const data::Trips& t : trips) {
            ctx.tell(" Scoring Trips ", n.trips, static_cast<int>(trips.size()));
            StepResult b = BuildPriorTripWinners(ctx, t.TripId, t.DivisionId, t.SeasonId);
            if (!b.status) return b.status;
            std::vector<int32_t> ids;
            s = detail::walkRecords<data::TripMember>(store, "byTripId", {detail::number(t.TripId)},
                                                      [&](const data::TripMember& tm) {
                                                          if (tm.TripId != t.TripId) return false;
                                                          ids.push_back(tm.TripMemberId);
                                                          return true;
                                                      });
            if (!s) return s;
            for (int32_t id : ids) {
                TripMemberScore one;
                if (s = scoreOne(ctx, id, one); !s) return s;
                n.warnings += one.warnings;
                ++n.tripMembers;
            }
            ++n.trips;
        }
        return data::Status::ok();
    });
}

data::Status ScoreAllTrips(data::Store& store, const data::System& settings, ScoreAllCounts* counts) {
    session::Globals own;
    own.SecurityLevel = kScorerLevel;
    ScoringContext ctx(store, settings, own);
    return ScoreAllTrips(ctx, counts);
}

}  // namespace qv::scoring
