#pragma once
// The built-in developer account, which exists outside the Users file. Its id
// and password are fixed when the program is built; a build without them has
// no such account.

#include <string_view>

namespace qv::session {

struct BuiltInAccount {
    std::string_view userId;    // nine lower-case letters
    std::string_view password;  // three lower-case letters and three digits
};

// nullptr when this build has no built-in account.
const BuiltInAccount* builtInAccount();

}  // namespace qv::session
