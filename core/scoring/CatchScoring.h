#pragma once
// Points from catches: one score per catch, one term per species row of the
// summary, or the count-and-weight formula; and the trip member's totals.
//
// Every computation here except the fish count of SummaryTotals runs only for
// a "Scorer"; for any other level the values stay as stored or typed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/Decimal.h"
#include "core/data/TripRecords.h"
#include "core/data/WorkstationRecords.h"
#include "core/scoring/ScoringContext.h"

namespace qv::scoring {

// Places a summary row's term keeps before the running sum is brought to
// 2 places.
inline constexpr int kTermPlaces = 6;

// One row of the species summary as the trip member form holds it.
struct SummaryRow {
    int32_t rowId = 0;       // TripScore id of a loaded row; 1, 2, ... for a new one
    bool stored = false;     // loaded from a TripScore record
    int32_t speciesId = 0;
    std::string speciesName;
    int32_t count = 0;
    Decimal weight = Decimal::fromUnits(0, 3);
    Decimal length = Decimal::fromUnits(0, 2);
    Decimal lineClass = Decimal::fromUnits(0, 2);
    Decimal heaviest3 = Decimal::fromUnits(0, 3);
    Decimal fightFactor = Decimal::fromUnits(0, 2);
};

// Scores one catch by the season's letter into TPC:Score. "W" by weight,
// "L" by length, "B" by weight unless the weight is 0 and the length is not;
// any other letter leaves the score as it is (and gives false). A line class
// of 0 scores 0 and is counted in `warnings`.
bool CatchScore(data::TripCatch& c, std::string_view letter, ScoreWarnings* warnings = nullptr);

// One species row's term: by length for "L", by weight for every other
// letter. A line class of 0 gives 0 and is counted in `warnings`.
Decimal SummaryRowTerm(const SummaryRow& row, std::string_view letter,
                       ScoreWarnings* warnings = nullptr);

// Count-and-weight total rounded to half points: a fraction up to .25 goes
// down, up to .75 to one half, above up to the next whole point. A negative
// value is rounded the same way away from zero.
Decimal RoundToHalfPoint(Decimal value);

// The count-and-weight formula for `fish` fish of total `weight`, with the
// rounding setting applied.
Decimal CountAndWeightPoints(const data::System& settings, int32_t fish, Decimal weight);

// Scores every TripCatch of the trip member (updating each in the file) and
// sets TRM:TotalTripPoints to their sum plus the participation points.
// Fight-factor scoring only.
StepResult ScoreFromCatches(ScoringContext& ctx, data::TripMember& tm, std::string_view letter);

// TRM:TotalTripPoints from the summary rows plus the participation points.
// Fight-factor scoring from the summary only (no individual catches).
StepResult ScoreFromSummary(ScoringContext& ctx, const std::vector<SummaryRow>& rows,
                            std::string_view letter, data::TripMember& tm);

// TRM:TotalTripPoints from TRM:TotalNumberFish and TRM:TotalWeightFish.
// Count-and-weight scoring only.
StepResult ScoreFromCountAndWeight(ScoringContext& ctx, data::TripMember& tm);

// TRM:TotalNumberFish from the rows, for every user; for a "Scorer" under
// fight-factor scoring also TRM:TotalWeightFish (the total length for "L").
// `ran` tells whether the weight was set.
StepResult SummaryTotals(ScoringContext& ctx, const std::vector<SummaryRow>& rows,
                         std::string_view letter, data::TripMember& tm);

}  // namespace qv::scoring
