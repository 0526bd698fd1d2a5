#include "core/scoring/CatchScoring.h"

#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/scoring/Seasons.h"

namespace qv::scoring {

namespace {

const Decimal kTen(10);
const Decimal kHundred(100);

// measure × factor × scale ÷ line class at `places`; 0 (and a warning) when
// the line class is 0.
Decimal fightFactorScore(Decimal measure, Decimal factor, Decimal scale, Decimal lineClass,
                         int places, ScoreWarnings* warnings) {
    if (lineClass.isZero()) {
        if (warnings) ++warnings->zeroLineClass;
        return Decimal::fromUnits(0, places);
    }
    return Decimal::divide(measure * factor * scale, lineClass, places);
}

bool letterIs(std::string_view letter, char c) {
    std::string_view l = clip(letter);
    return l.size() == 1 && l[0] == c;
}

bool fightFactorScoring(const data::System& s) { return s.FightFactorScoring == 1; }

}  // namespace

bool CatchScore(data::TripCatch& c, std::string_view letter, ScoreWarnings* warnings) {
    auto byWeight = [&] {
        return fightFactorScore(c.SpeciesWeight, c.FightFactor, kHundred, c.LineClass, 2, warnings);
    };
    auto byLength = [&] {
        return fightFactorScore(c.SpeciesLength, c.FightFactor, kTen, c.LineClass, 2, warnings);
    };
    if (letterIs(letter, 'W'))
        c.Score = byWeight();
    else if (letterIs(letter, 'L'))
        c.Score = byLength();
    else if (letterIs(letter, 'B'))
        c.Score = (c.SpeciesWeight.isZero() && c.SpeciesLength > Decimal(0)) ? byLength() : byWeight();
    else
        return false;
    return true;
}

Decimal SummaryRowTerm(const SummaryRow& row, std::string_view letter, ScoreWarnings* warnings) {
    if (letterIs(letter, 'L'))
        return fightFactorScore(row.length, row.fightFactor, kTen, row.lineClass, kTermPlaces,
                                warnings);
    return fightFactorScore(row.weight, row.fightFactor, kHundred, row.lineClass, kTermPlaces,
                            warnings);
}

Decimal RoundToHalfPoint(Decimal value) {
    const int64_t units = value.unitsAt(2);
    const bool negative = units < 0;
    const int64_t magnitude = negative ? -units : units;
    const int64_t whole = magnitude / 100;
    const int64_t fraction = magnitude % 100;
    int64_t halves = whole * 2;
    if (fraction > 75)
        halves += 2;
    else if (fraction > 25)
        halves += 1;
    const int64_t result = halves * 50;
    return Decimal::fromUnits(negative ? -result : result, 2);
}

Decimal CountAndWeightPoints(const data::System& s, int32_t fish, Decimal weight) {
    Decimal v = (Decimal(fish) * s.PerSpeciesCaughtPoints + weight * s.PerSpeciesWeightPoints +
                 s.ParticipationPoints)
                    .roundedTo(2);
    return s.Rounding == 1 ? RoundToHalfPoint(v) : v;
}

StepResult ScoreFromCatches(ScoringContext& ctx, data::TripMember& tm, std::string_view letter) {
    StepResult r;
    if (!ctx.scorer() || !fightFactorScoring(ctx.settings())) return r;
    data::Store& store = ctx.store();
    data::FileUse use(store, "TripCatch");
    if (!use) {
        r.status = use.status();
        return r;
    }
    std::vector<data::TripCatch> catches;
    r.status = detail::walkRecords<data::TripCatch>(
        store, "byTripMemberId", {detail::number(tm.TripMemberId)}, [&](const data::TripCatch& c) {
            if (c.TripMemberId != tm.TripMemberId) return false;
            catches.push_back(c);
            return true;
        });
    if (!r.status) return r;
    Decimal sum = Decimal::fromUnits(0, 2);
    for (data::TripCatch& c : catches) {
        const Decimal before = c.Score;
        if (CatchScore(c, letter, &r.warnings) && !(c.Score == before)) {
            r.status = data::updateRecord(store, c);
            if (!r.status) return r;
        }
        sum += c.Score;
    }
    tm.TotalTripPoints = (sum + ctx.settings().ParticipationPoints).roundedTo(2);
    r.ran = true;
    return r;
}

StepResult ScoreFromSummary(ScoringContext& ctx, const std::vector<SummaryRow>& rows,
                            std::string_view letter, data::TripMember& tm) {
    StepResult r;
    const data::System& s = ctx.settings();
    if (!ctx.scorer() || !fightFactorScoring(s) || s.IndividualCatchesApplies != 0) return r;
    Decimal sum = Decimal::fromUnits(0, 2);
    for (const SummaryRow& row : rows) sum = (sum + SummaryRowTerm(row, letter, &r.warnings)).roundedTo(2);
    tm.TotalTripPoints = (sum + s.ParticipationPoints).roundedTo(2);
    r.ran = true;
    return r;
}

StepResult ScoreFromCountAndWeight(ScoringContext& ctx, data::TripMember& tm) {
    StepResult r;
    if (!ctx.scorer() || fightFactorScoring(ctx.settings())) return r;
    tm.TotalTripPoints = CountAndWeightPoints(ctx.settings(), tm.TotalNumberFish, tm.TotalWeightFish);
    r.ran = true;
    return r;
}

StepResult SummaryTotals(ScoringContext& ctx, const std::vector<SummaryRow>& rows,
                         std::string_view letter, data::TripMember& tm) {
    StepResult r;
    int64_t fish = 0;
    for (const SummaryRow& row : rows) fish += row.count;
    tm.TotalNumberFish = static_cast<int32_t>(fish);
    if (!ctx.scorer() || !fightFactorScoring(ctx.settings())) return r;
    const bool byLength = letterIs(letter, 'L');
    Decimal total = Decimal::fromUnits(0, 2);
    for (const SummaryRow& row : rows) total += (byLength ? row.length : row.weight).roundedTo(2);
    tm.TotalWeightFish = total;
    r.ran = true;
    return r;
}

}  // namespace qv::scoring
