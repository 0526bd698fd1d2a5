#pragma once
// Who may do what. Every window and every command declares one of these
// levels, and one gate checks it: the main frame's rules, in one place.

#include <string_view>

#include "core/messages/StandardMessages.h"

namespace qv::session {

enum class Access {
    Open,     // before any login: making a workstation, the start-up checks, the login window
    AnyUser,  // every logged-in user: reports, help, About
    Staff,    // "Developer", "Scorer" or "Administrator": maintenance, members, trips,
              // configuration, import/export, e-mail, password change
    Admins,   // "Developer" or "Administrator": the user and access lists
};

bool levelAllows(std::string_view level, Access need);
// The refusal of a user whose level does not reach `need`.
Message accessRefused(Access need, std::string_view level);

}  // namespace qv::session
