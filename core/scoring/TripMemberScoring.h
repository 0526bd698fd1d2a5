#pragma once
// Scores one stored trip member the way the trip member form does when a
// scorer moves through it: the species summary (rebuilt from the catches when
// there are catches), the catch scores, the totals, the trip points by the
// club's scoring mode, the handicap from earlier grade wins and the progress
// points; then stores the catches, the summary rows and the trip member.

#include <cstdint>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/Store.h"
#include "core/data/TripRecords.h"
#include "core/data/WorkstationRecords.h"
#include "core/messages/Status.h"
#include "core/scoring/CatchScoring.h"
#include "core/scoring/ScoringContext.h"

namespace qv::scoring {

// The trip member's summary rows from its TripScore records, with each
// species' name and current fight factor.
data::Status loadSummaryRows(data::Store& store, int32_t tripMemberId, std::vector<SummaryRow>& rows);

// Sets each row's count, weight and length from the catches of its species
// and its line class and "Heaviest 3" to 0. A caught species without a row
// gets a new row (named from species[i], the species of catches[i]), so that
// no catch is left out of the totals.
void summaryFromCatches(std::vector<SummaryRow>& rows, const std::vector<data::TripCatch>& catches,
                        const std::vector<data::Species>& species);

struct TripMemberScore {
    data::TripMember tripMember;  // as stored
    std::vector<SummaryRow> rows;
    int catches = 0;
    ScoreWarnings warnings;
};

// Scores and stores trip member `tripMemberId`, in one transaction. Refused
// unless the user is a "Scorer". The winners of the earlier trips are
// gathered first unless ctx.priorTripWinners was made for this trip.
data::Status ScoreTripMember(ScoringContext& ctx, int32_t tripMemberId, TripMemberScore* out = nullptr);

struct ScoreAllCounts {
    int trips = 0;
    int tripMembers = 0;
    ScoreWarnings warnings;
};

// Scores every trip member of every trip in trip id order, so that handicaps
// and progress points build on the trips before. One transaction. Refused
// unless the user is a "Scorer".
data::Status ScoreAllTrips(ScoringContext& ctx, ScoreAllCounts* counts = nullptr);

// The same for a club the program fills itself (the demo club): scored with
// the given settings, as a scorer of its own, whoever is logged in.
data::Status ScoreAllTrips(data::Store& store, const data::System& settings,
                           ScoreAllCounts* counts = nullptr);

}  // namespace qv::scoring
