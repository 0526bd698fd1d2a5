#pragma once
// Who may read the club's files: the databases hold member details, password
// hashes and the FTP password, so they are shared by a group of workstation
// users and never by everyone.

#include <string>

#include "core/messages/Status.h"

namespace qv::data {

// Modes of the folders and database files the program makes.
inline constexpr unsigned kGroupFolderMode = 0770;
inline constexpr unsigned kGroupFileMode = 0660;

// Makes `folder` (and its missing parents) and gives it the group mode.
Status makeGroupFolder(const std::string& folder);
// Gives an existing file or folder the group mode.
Status restrictToGroup(const std::string& path, unsigned mode = kGroupFileMode);

}  // namespace qv::data
