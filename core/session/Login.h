#pragma once
// The login check, and the change of the logged-in user's password.

#include <optional>

#include "core/data/Store.h"
#include "core/messages/Status.h"
#include "core/session/Globals.h"

namespace qv::session {

inline constexpr const char* kBuiltInUserName = "System Test User";
inline constexpr const char* kWrongPassword = "Password incorrect. Access denied.";
inline constexpr const char* kUnauthorised = "Unauthorised Access!";

struct LoginResult {
    bool accepted = false;
    // Why the program ends (title "Quillavon").
    std::optional<Message> refusal;
    // A "Scorer" gets the member-grade table built before the main frame opens.
    bool refreshGrades = false;
};

// Checks g.UserId and g.UserPassword; on success fills g.UserName and
// g.SecurityLevel.
LoginResult checkLogin(data::Store& store, Globals& g = globals());

// Gives every Users record of g.UserId the password g.NewPassword, then makes
// it g.UserPassword and clears g.NewPassword. The built-in account changes
// only g.UserPassword. A blank new password is refused.
data::Status changePassword(data::Store& store, Globals& g = globals());

}  // namespace qv::session
