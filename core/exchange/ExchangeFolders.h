#pragma once
// The folders and files of the data exchange, under the start folder, and
// the making of a folder that is missing.

#include <string>

#include "core/messages/StandardMessages.h"

namespace qv::exchange {

// START/exportdata/ (the full XML export).
std::string exportDataFolder(const std::string& startFolder);
// START/export/Quillavon.7z, START/backup/Quillavon.7z, START/import/Quillavon.7z.
std::string exportArchive(const std::string& startFolder);
std::string backupArchive(const std::string& startFolder);
std::string importArchive(const std::string& startFolder);
// START/DATA/FTP.log and START/DATA/EXPORT.CSV.
std::string ftpLogFile(const std::string& startFolder);
std::string memberHistoryFile(const std::string& startFolder);

// Makes `folder` (and its parents) when it is missing. False, with a message
// naming the folder and the reason, when it cannot be made.
bool ensureFolder(const std::string& folder, Message& failure);

// The start folder as a full path, for the messages that tell the user where
// the files went.
std::string fullFolder(const std::string& startFolder);

}  // namespace qv::exchange
