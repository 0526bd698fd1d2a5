#pragma once
// Record layouts of the trip files kept in the data folder.

#include "core/data/RecordMacros.h"

namespace qv::data {

#define QV_TRIPS_FIELDS(F)             \
    F(TripId, Long, 4, 0)              \
    F(DivisionId, Long, 4, 0)          \
    F(SeasonId, Text, 20, 0)           \
    F(SeasonTripNumber, Long, 4, 0)    \
    F(TripDate, Date, 4, 0)            \
    F(TripLocation, Text, 50, 0)       \
    F(InterClubTripDesc, Text, 25, 0)  \
    F(AllowNonMembers, Text, 5, 0)
QV_RECORD(Trips, QV_TRIPS_FIELDS)

#define QV_TRIPMEMBER_FIELDS(F)             \
    F(TripMemberId, Long, 4, 0)             \
    F(TripId, Long, 4, 0)                   \
    F(MemberId, Long, 4, 0)                 \
    F(NonMemberId, Long, 4, 0)              \
    F(TeamId, Long, 4, 0)                   \
    F(Handicap, Long, 4, 0)                 \
    F(Penalty, Long, 4, 0)                  \
    F(TotalNumberFish, Long, 4, 0)          \
    F(TotalWeightFish, Decimal, 4, 2)       \
    F(VarietyWeightFish, Decimal, 4, 2)     \
    F(TotalTripPoints, Decimal, 4, 2)       \
    F(ProgressPoints, Decimal, 4, 2)        \
    F(MiscDetails, Text, 255, 0)            \
    F(TripCatchList, Text, 5, 0)
QV_RECORD(TripMember, QV_TRIPMEMBER_FIELDS)

#define QV_TRIPSCORE_FIELDS(F)              \
    F(TripScoreId, Long, 4, 0)              \
    F(TripMemberId, Long, 4, 0)             \
    F(SpeciesId, Long, 4, 0)                \
    F(SpeciesNumberCaught, Long, 4, 0)      \
    F(HeaviestWeight, Decimal, 4, 3)        \
    F(BestLength, Decimal, 4, 2)            \
    F(LineClass, Decimal, 4, 2)             \
    F(HeaviestMultiple, Decimal, 4, 3)
QV_RECORD(TripScore, QV_TRIPSCORE_FIELDS)

#define QV_TRIPCATCH_FIELDS(F)              \
    F(TripCatchId, Long, 4, 0)              \
    F(TripMemberId, Long, 4, 0)             \
    F(SpeciesId, Long, 4, 0)                \
    F(SpeciesName, Text, 100, 0)            \
    F(LineClass, Decimal, 4, 2)             \
    F(SpeciesWeight, Decimal, 4, 3)         \
    F(SpeciesLength, Decimal, 4, 2)         \
    F(ReleaseKill, Text, 20, 0)             \
    F(WitnessName, Text, 50, 0)             \
    F(FlyCaught, Text, 20, 0)               \
    F(Score, Decimal, 4, 2)                 \
    F(FightFactor, Decimal, 4, 2)
QV_RECORD(TripCatch, QV_TRIPCATCH_FIELDS)

#define QV_TRIPTROPHY_FIELDS(F)             \
    F(TrophyHistoryId, Long, 4, 0)          \
    F(MemberId, Long, 4, 0)                 \
    F(NonMemberId, Long, 4, 0)              \
    F(TrophyId, Long, 4, 0)                 \
    F(SeasonId, Text, 20, 0)                \
    F(TripId, Long, 4, 0)
QV_RECORD(TripTrophy, QV_TRIPTROPHY_FIELDS)

#define QV_TEAMS_FIELDS(F)                  \
    F(TeamId, Long, 4, 0)                   \
    F(Name, Text, 100, 0)                   \
    F(TripId, Long, 4, 0)
QV_RECORD(Teams, QV_TEAMS_FIELDS)

}  // namespace qv::data
