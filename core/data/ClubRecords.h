#pragma once
// Record layouts of the club files kept in the data folder.

#include "core/data/RecordMacros.h"

namespace qv::data {

#define QV_DIVISION_FIELDS(F)      \
    F(DivisionId, Long, 4, 0)      \
    F(DivisionName, Text, 100, 0)  \
    F(InactiveFlag, Text, 1, 0)    \
    F(BestTripsNumber, Long, 4, 0)
QV_RECORD(Division, QV_DIVISION_FIELDS)

#define QV_SEASON_FIELDS(F)          \
    F(SeasonId, Text, 20, 0)         \
    F(SeasonDesc, Text, 20, 0)       \
    F(CurrentSeasonFlag, Text, 1, 0) \
    F(Measurement, Text, 5, 0)       \
    F(Handicap, Text, 5, 0)          \
    F(ScoringApplies, Text, 20, 0)
QV_RECORD(Season, QV_SEASON_FIELDS)

#define QV_GRADE_FIELDS(F)          \
    F(GradeId, Long, 4, 0)          \
    F(GradeName, Text, 50, 0)       \
    F(ReportPosition, Short, 2, 0)  \
    F(InactiveFlag, Text, 1, 0)
QV_RECORD(Grade, QV_GRADE_FIELDS)

#define QV_SPECIES_FIELDS(F)         \
    F(SpeciesId, Long, 4, 0)         \
    F(DivisionId, Long, 4, 0)        \
    F(SpeciesName, Text, 100, 0)     \
    F(ReportPosition, Short, 2, 0)   \
    F(InactiveFlag, Text, 1, 0)      \
    F(FightFactor, Decimal, 4, 2)    \
    F(TeamPoints, Decimal, 4, 2)
QV_RECORD(Species, QV_SPECIES_FIELDS)

#define QV_TROPHY_FIELDS(F)          \
    F(TrophyId, Long, 4, 0)          \
    F(TrophyName, Text, 100, 0)      \
    F(Description, Text, 100, 0)     \
    F(InactiveFlag, Text, 1, 0)
QV_RECORD(Trophy, QV_TROPHY_FIELDS)

#define QV_MEMBERS_FIELDS(F)             \
    F(MemberId, Long, 4, 0)              \
    F(FirstName, Text, 50, 0)            \
    F(LastName, Text, 50, 0)             \
    F(LadiesFlag, Text, 1, 0)            \
    F(VeteranFlag, Text, 1, 0)           \
    F(VeteranStartSeason, Text, 20, 0)   \
    F(InactiveFlag, Text, 1, 0)          \
    F(FullName, Text, 100, 0)            \
    F(Email, Text, 100, 0)
QV_RECORD(Members, QV_MEMBERS_FIELDS)

#define QV_NONMEMBERS_FIELDS(F)      \
    F(NonMemberId, Long, 4, 0)       \
    F(TripId, Long, 4, 0)            \
    F(FirstName, Text, 50, 0)        \
    F(LastName, Text, 50, 0)         \
    F(LadiesFlag, Text, 1, 0)        \
    F(VeteranFlag, Text, 1, 0)       \
    F(GradeId, Long, 4, 0)           \
    F(FullName, Text, 100, 0)        \
    F(Email, Text, 100, 0)
QV_RECORD(NonMembers, QV_NONMEMBERS_FIELDS)

#define QV_GRADEHISTORY_FIELDS(F)    \
    F(GradeHistoryId, Long, 4, 0)    \
    F(MemberId, Long, 4, 0)          \
    F(GradeId, Long, 4, 0)           \
    F(DivisionId, Long, 4, 0)        \
    F(StartSeasonId, Text, 20, 0)    \
    F(EndSeasonId, Text, 20, 0)
QV_RECORD(GradeHistory, QV_GRADEHISTORY_FIELDS)

#define QV_SEASONTROPHY_FIELDS(F)     \
    F(SeasonTrophyId, Long, 4, 0)     \
    F(DivisionId, Long, 4, 0)         \
    F(SeasonId, Text, 20, 0)          \
    F(TrophyId, Long, 4, 0)           \
    F(MemberId, Long, 4, 0)           \
    F(PositionalTrophy, Text, 1, 0)   \
    F(Position, Text, 1, 0)
QV_RECORD(SeasonTrophy, QV_SEASONTROPHY_FIELDS)

#define QV_USERS_FIELDS(F)            \
    F(Counter, Long, 4, 0)            \
    F(Name, Text, 50, 0)              \
    F(SecurityLevel, Text, 20, 0)     \
    F(UserId, Text, 20, 0)            \
    F(UserPassword, Text, 20, 0)
QV_RECORD(Users, QV_USERS_FIELDS)

#define QV_ACCESSLEVELS_FIELDS(F) F(SecurityLevel, Text, 20, 0)
QV_RECORD(AccessLevels, QV_ACCESSLEVELS_FIELDS)

#define QV_CLIENTVERSION_FIELDS(F) F(VersionNumberServer, Text, 5, 0)
QV_RECORD(ClientVersion, QV_CLIENTVERSION_FIELDS)

}  // namespace qv::data
