// Files of the workstation's own DATA folder.

#include "core/data/CatalogBuilder.h"
#include "core/data/WorkstationRecords.h"

namespace qv::data::build {

void addWorkstationFiles(std::vector<std::unique_ptr<FileDef>>& out) {
    const Location W = Location::Workstation;
    auto add = [&](FileDef f) { out.push_back(std::make_unique<FileDef>(std::move(f))); };

    FileDef sys = file("System", "SYS", "SYSTEM.TPS", W, 915, System::fieldDefs());
    sys.singleRecord = true;
    sys.fields[sys.fieldIndex("FtpPassword")].confidential = true;
    choices(sys, "EmailTestFlag", "1,0");
    for (const char* sw : {"Rounding", "FightFactorScoring", "IndividualCatchesApplies",
                           "NonLadiesFlag", "NonVeteranFlag", "ReportLadiesAsSubGrade",
                           "ReportLadiesAsGrade", "ReportVeteranAsGrade",
                           "ReportVeteranAsSubGrade", "ReportTeamPointsApply",
                           "ScorePreviousSeason"})
        choices(sys, sw, "1,0");
    add(sys);

    FileDef dav = file("DataVersion", "DAV", "DVERSION.TPS", W, 5, DataVersion::fieldDefs());
    dav.singleRecord = true;
    add(dav);

    FileDef tem =
        file("TempMemberReport", "TEM", "TEMPMEM.TPS", W, 28, TempMemberReport::fieldDefs());
    key(tem, "byDivisionId", "DivisionId", Dup, "byDivisionId");
    key(tem, "byDivisionIdSeasonId", "DivisionId, SeasonId", Dup, "by DivisionId then SeasonId");
    key(tem, "bySeasonId", "SeasonId", Dup, "bySeasonId");
    key(tem, "byTripId", "TripId", Dup, "byTripId");
    add(tem);
}

}  // namespace qv::data::build
