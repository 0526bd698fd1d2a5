#pragma once
// Making a folder a workstation, and opening an existing one.

#include <memory>
#include <string>

#include "core/data/Store.h"
#include "core/data/WorkstationRecords.h"

namespace qv::data {

// The four security levels every club database starts with.
extern const char* const kSecurityLevels[4];

// Refuses a folder that holds a workstation already, or a workstation
// database that is not ours; ok when a workstation can be made there.
Status checkNewWorkstation(const std::string& startFolder);

// Makes `startFolder` a workstation: DATA/ with the settings record pointing
// at START/DATA/, the workstation's version record, and the club database
// with its version record and the security levels. Refuses a folder that is
// a workstation already.
Status initWorkstation(const std::string& startFolder);

// A store for the workstation in `startFolder`, with the club database named
// from the stored data folder.
Status openWorkstation(const std::string& startFolder, std::unique_ptr<Store>& out,
                       System* settings = nullptr);

}  // namespace qv::data
