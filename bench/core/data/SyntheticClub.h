#pragma once
// A large made-up club written through the file layer, for benchmarks.

#include <cstdint>

#include "core/data/Store.h"

namespace qv::bench {

struct ClubSize {
    int members = 1000;
    int seasons = 30;
    int divisions = 3;
    int tripsPerSeasonAndDivision = 25;
    int anglersPerTrip = 60;
    int speciesPerAngler = 8;
    // Individual catches and teams, written in the last `catchSeasons`
    // seasons only; none by default.
    int catchesPerAngler = 0;
    int teamsPerTrip = 0;
    int catchSeasons = 1;
};

struct ClubCounts {
    int64_t records = 0;
    int64_t tripMembers = 0;
    int64_t tripScores = 0;
    int64_t tripCatches = 0;
};

// Writes the club into an empty club database, every record through
// Store::insert with all checks, in one transaction per season.
data::Status writeSyntheticClub(data::Store& store, const ClubSize& size, ClubCounts& counts);

}  // namespace qv::bench
