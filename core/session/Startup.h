#pragma once
// The start-up checks: the workstation's settings, the data folder and the
// version check. They return the messages to show (title "Quillavon") and
// whether the program goes on, so that the windows and the command line show
// the same thing.

#include <memory>
#include <string>
#include <vector>

#include "core/data/Store.h"
#include "core/data/WorkstationRecords.h"
#include "core/messages/StandardMessages.h"
#include "core/session/Globals.h"

namespace qv::session {

struct StartupResult {
    std::vector<Message> messages;
    bool goOn = false;
    // The workstation's store, with the club database named (when going on).
    std::unique_ptr<data::Store> store;
    // The settings as read, with the data folder as settled for this run.
    data::System settings;
    std::string dataFolder;     // as used for this run
    std::string clubDatabase;   // the club database's path
    std::string exportFile;     // START/DATA/EXPORT.CSV
    std::string programVersion; // the workstation's version record
};

StartupResult runStartup(const std::string& startFolder, Globals& g = globals());

}  // namespace qv::session
