#pragma once
// Record layouts of the files kept in the workstation's own DATA folder.

#include "core/data/RecordMacros.h"

namespace qv::data {

#define QV_SYSTEM_FIELDS(F)                       \
    F(DataFileLocation, Text, 100, 0)             \
    F(EmailSmtpServer, Text, 100, 0)              \
    F(EmailFrom, Text, 50, 0)                     \
    F(EmailSubject, Text, 100, 0)                 \
    F(EmailTestFlag, Text, 5, 0)                  \
    F(PerSpeciesCaughtPoints, Decimal, 4, 2)      \
    F(PerSpeciesWeightPoints, Decimal, 4, 2)      \
    F(HandicapInitial, Decimal, 4, 2)             \
    F(HandicapFollowOn, Decimal, 4, 2)            \
    F(Rounding, Byte, 1, 0)                       \
    F(ParticipationPoints, Decimal, 4, 2)         \
    F(FightFactorScoring, Byte, 1, 0)             \
    F(DefaultLineClass, Decimal, 4, 2)            \
    F(IndividualCatchesApplies, Byte, 1, 0)       \
    F(FtpHostName, Text, 255, 0)                  \
    F(FtpUser, Text, 50, 0)                       \
    F(FtpPassword, Text, 50, 0)                   \
    F(FtpServerDir, Text, 100, 0)                 \
    F(TransferDetails, Text, 70, 0)               \
    F(NonLadiesFlag, Byte, 1, 0)                  \
    F(NonVeteranFlag, Byte, 1, 0)                 \
    F(ReportLadiesAsSubGrade, Byte, 1, 0)         \
    F(ReportLadiesAsGrade, Byte, 1, 0)            \
    F(ReportVeteranAsGrade, Byte, 1, 0)           \
    F(ReportVeteranAsSubGrade, Byte, 1, 0)        \
    F(ReportTeamPointsApply, Byte, 1, 0)          \
    F(ScorePreviousSeason, Byte, 1, 0)
QV_RECORD(System, QV_SYSTEM_FIELDS)

#define QV_DATAVERSION_FIELDS(F) F(VersionNumberClient, Text, 5, 0)
QV_RECORD(DataVersion, QV_DATAVERSION_FIELDS)

#define QV_TEMPMEMBERREPORT_FIELDS(F)   \
    F(DivisionId, Long, 4, 0)           \
    F(SeasonId, Text, 20, 0)            \
    F(TripId, Long, 4, 0)
QV_RECORD(TempMemberReport, QV_TEMPMEMBERREPORT_FIELDS)

}  // namespace qv::data
