#include "core/data/SystemSettings.h"

#include "core/data/FixedText.h"
#include "core/data/Typed.h"

namespace qv::data {

namespace {
constexpr int64_t kSettingsRecord = 2;
}

const char* programVersion() { return QUILLAVON_VERSION; }

std::string workstationDbPath(const std::string& startFolder) {
    return defaultDataFolder(startFolder) + "WORKSTATION.DB";
}

std::string defaultDataFolder(const std::string& startFolder) {
    std::string s(clip(startFolder));
    if (s.empty()) s = ".";
    if (s.back() != '/') s += '/';
    return s + "DATA/";
}

std::string clubDbPath(const std::string& dataFolderText) {
    std::string p = std::string(clip(dataFolderText)) + "QUILLAVON.DB";
    if (p.size() > 100) p.resize(100);
    return p;
}

System defaultSystem(const std::string& dataFolder) {
    System s;
    s.DataFileLocation = fitText(dataFolder, 100);
    s.EmailSubject = "Club results from Quillavon";
    s.EmailTestFlag = "1";  // until the club has tried its mail settings
    s.PerSpeciesCaughtPoints = Decimal::fromUnits(100, 2);
    s.PerSpeciesWeightPoints = Decimal::fromUnits(100, 2);
    s.HandicapInitial = Decimal::fromUnits(1000, 2);
    s.HandicapFollowOn = Decimal::fromUnits(500, 2);
    s.Rounding = 1;
    s.ParticipationPoints = Decimal::fromUnits(500, 2);
    s.FightFactorScoring = 0;
    s.DefaultLineClass = Decimal::fromUnits(600, 2);
    s.IndividualCatchesApplies = 1;
    s.NonLadiesFlag = 1;
    s.NonVeteranFlag = 1;
    s.ReportLadiesAsSubGrade = 1;
    s.ReportVeteranAsSubGrade = 1;
    return s;
}

Status readSystem(Store& store, System& out) {
    FileUse use(store, "System");
    if (!use) return use.status();
    return fetchRecordNumber(store, out, kSettingsRecord);
}

Status writeSystem(Store& store, System& rec) {
    FileUse use(store, "System");
    if (!use) return use.status();
    rec.stamp.recno = kSettingsRecord;
    return updateRecord(store, rec);
}

}  // namespace qv::data
