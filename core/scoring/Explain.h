#pragma once
// The working behind a trip member's points: every term, the rule that made
// it and its value, worked out by the same rule book functions that score.
// It reads and never writes, so it answers for every level: the trip scoring
// form shows it while the scorer types, and a member who disputes a result
// can be shown every step (`quillavon-cli explain`).

#include <cstdint>
#include <string>
#include <vector>

#include "core/data/Decimal.h"
#include "core/data/TripRecords.h"
#include "core/scoring/CatchScoring.h"
#include "core/scoring/ScoringContext.h"

namespace qv::scoring {

struct WorkingLine {
    std::string term;  // "Catch 2: Snapper", "Participation points", "Trip 14" ...
    std::string rule;  // "4.250 kg × 1.20 × 100 ÷ 6.00" ...
    Decimal value;     // what the term adds (negative when it takes away)
};

struct WorkingSection {
    std::string title;  // "Trip points", "Handicap", "Net points", "Progress points"
    std::vector<WorkingLine> lines;
    std::string resultRule;  // how the lines make the result
    Decimal result;
    // The value the trip member holds, when it is not what the rules give
    // (a score typed by another level, or data changed since).
    bool differs = false;
    Decimal held;
};

struct Working {
    std::string mode;  // which way the club scores, in words
    std::vector<WorkingSection> sections;
    ScoreWarnings warnings;
    // The whole working as plain text, one line per term.
    std::string text() const;
};

// The working for `tm` with the catches and summary rows as the form holds
// them (or as stored). The trip, the season and the earlier trips are read
// from the store.
data::Status ExplainScore(ScoringContext& ctx, const data::TripMember& tm,
                          const std::vector<data::TripCatch>& catches,
                          const std::vector<SummaryRow>& rows, Working& out);

// The same for a stored trip member, read from the store.
data::Status ExplainTripMember(ScoringContext& ctx, int32_t tripMemberId, Working& out);

}  // namespace qv::scoring
