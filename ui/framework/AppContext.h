#pragma once
// What every window of a run shares: the thread's file layer, the global
// values, the start folder and the settings as start-up settled them.

#include <QString>

#include <string>

#include "core/data/Store.h"
#include "core/data/WorkstationRecords.h"
#include "core/scoring/ScoringContext.h"
#include "core/session/Globals.h"

namespace qv::ui {

struct AppContext {
    data::Store& store;
    session::Globals& globals;
    std::string startFolder;
    data::System settings;
    // The scoring lists of the run (earlier trip winners, member grades).
    scoring::ScoringContext* scoring = nullptr;

    QString iniPath() const { return QString::fromStdString(startFolder + "/Quillavon.INI"); }
};

}  // namespace qv::ui
