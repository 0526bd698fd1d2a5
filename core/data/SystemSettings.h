#pragma once
// The workstation's settings record and the places of the two databases.

#include <string>

#include "core/data/Store.h"
#include "core/data/WorkstationRecords.h"

namespace qv::data {

// The version this program carries, stored in both version records.
const char* programVersion();

// START/DATA/WORKSTATION.DB; the start folder may end with a separator or not.
std::string workstationDbPath(const std::string& startFolder);
// The start folder's DATA folder, with a trailing separator.
std::string defaultDataFolder(const std::string& startFolder);
// The club database named from the data folder text: the text without
// trailing blanks, directly followed by "QUILLAVON.DB" (no separator is
// inserted), the whole cut to 100 characters.
std::string clubDbPath(const std::string& dataFolderText);

// The settings of a fresh workstation whose data lives in `dataFolder`.
System defaultSystem(const std::string& dataFolder);

// The one record, at record number 2.
Status readSystem(Store& store, System& out);
// Writes the buffer back over record number 2.
Status writeSystem(Store& store, System& rec);

}  // namespace qv::data
