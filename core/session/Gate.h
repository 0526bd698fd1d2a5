#pragma once
// The one gate before anything touches club data: the start-up checks, then
// the login, then the level the window or command declares.

#include <optional>
#include <string>

#include "core/session/Access.h"
#include "core/session/Startup.h"

namespace qv::session {

// Logs `userId` in with `password` and checks that the level reaches `need`.
// The refusal to show, or nothing when the user may go on.
std::optional<Message> enter(data::Store& store, Access need, const std::string& userId,
                             const std::string& password, Globals& g = globals());

struct Admission {
    bool admitted = false;
    // Start-up's messages come first; the store is there once admitted.
    StartupResult start;
    std::optional<Message> refusal;
};

// Start-up, then (unless `need` is Open) enter().
Admission admit(const std::string& startFolder, Access need, const std::string& userId,
                const std::string& password, Globals& g = globals());

}  // namespace qv::session
