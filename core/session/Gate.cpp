#include "core/session/Gate.h"

#include "core/session/Login.h"

namespace qv::session {

std::optional<Message> enter(data::Store& store, Access need, const std::string& userId,
                             const std::string& password, Globals& g) {
    g.UserId = userId;
    g.UserPassword = password;
    g.LoggedIn = true;
    LoginResult r = checkLogin(store, g);
    if (!r.accepted) return r.refusal;
    if (!levelAllows(g.SecurityLevel.str(), need)) return accessRefused(need, g.SecurityLevel.str());
    return std::nullopt;
}

Admission admit(const std::string& startFolder, Access need, const std::string& userId,
                const std::string& password, Globals& g) {
    Admission a;
    a.start = runStartup(startFolder, g);
    if (!a.start.goOn) return a;
    if (need != Access::Open) {
        a.refusal = enter(*a.start.store, need, userId, password, g);
        if (a.refusal) return a;
    }
    a.admitted = true;
    return a;
}

}  // namespace qv::session
