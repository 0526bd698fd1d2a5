#pragma once
// The login check, and the change of the logged-in user's password.

#include <cstdint>
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

// Wrong passwords a user id may have before each further try must wait.
inline constexpr int kFreeWrongPasswords = 5;
// Seconds the next try waits after `failures` wrong passwords in a row: none
// for the first five, then 2, 4, 8 ... at most 60.
int64_t loginWait(int failures);
int64_t nowSeconds();

// Checks g.UserId and g.UserPassword; on success fills g.UserName and
// g.SecurityLevel. Wrong passwords are counted per typed id in the club
// database (unknown ids too, so that the count tells nothing); after five,
// a try made before its wait is over is refused without being checked. A
// success clears the count. An unknown id takes as long as a known one.
LoginResult checkLogin(data::Store& store, Globals& g = globals(), int64_t now = nowSeconds());

// Gives every Users record of g.UserId the password g.NewPassword, then makes
// it g.UserPassword and clears g.NewPassword. The built-in account changes
// only g.UserPassword. A blank new password is refused.
data::Status changePassword(data::Store& store, Globals& g = globals());

// Gives every Users record of `userId` the password `fresh`; `changed` counts
// them. A blank password is refused.
data::Status setUserPassword(data::Store& store, std::string_view userId, std::string_view fresh,
                             int& changed);

}  // namespace qv::session
