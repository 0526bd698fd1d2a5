#include "core/session/Access.h"

#include <string>

namespace qv::session {

namespace {

bool isStaff(std::string_view l) { return l == "Developer" || l == "Scorer" || l == "Administrator"; }
bool isAdmin(std::string_view l) { return l == "Developer" || l == "Administrator"; }

const char* levelsOf(Access need) {
    switch (need) {
        case Access::Staff: return "Developer, Scorer or Administrator";
        case Access::Admins: return "Developer or Administrator";
        default: return "any logged-in user";
    }
}

}  // namespace

bool levelAllows(std::string_view level, Access need) {
    switch (need) {
        case Access::Open: return true;
        case Access::AnyUser: return !level.empty();
        case Access::Staff: return isStaff(level);
        case Access::Admins: return isAdmin(level);
    }
    return false;
}

Message accessRefused(Access need, std::string_view level) {
    return programMessage("This needs the security level " + std::string(levelsOf(need)) +
                          "; you are logged in as " +
                          (level.empty() ? std::string("no level") : std::string(level)) + ".");
}

}  // namespace qv::session
