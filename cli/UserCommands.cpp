// passwd and useradd: passwords come from the environment or standard
// input, never from the command line.

#include "cli/Cli.h"
#include "cli/ListFormat.h"
#include "cli/Session.h"
#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/session/Globals.h"
#include "core/session/Login.h"

namespace qv::cli {

using namespace qv::data;
using session::Access;

namespace {

bool newPassword(Context& ctx, std::string& out) {
    if (readSecret("QUILLAVON_NEW_PASSWORD", "New password: ", out)) return true;
    ctx.err << "quillavon-cli: no new password given (set QUILLAVON_NEW_PASSWORD or type it)\n";
    return false;
}

// passwd --user ID [--for OTHER]
int passwdCommand(Context& ctx) {
    const std::string other = option(ctx, "--for");
    if (ctx.args.size() != (other.empty() ? 0u : 2u)) return kUsage;
    std::string fresh;
    if (!newPassword(ctx, fresh)) return kRefused;
    session::Globals& g = session::globals();
    if (other.empty()) {
        g.NewPassword = fresh;
        if (Status s = session::changePassword(ctx.store(), g); !s) return report(ctx, s);
        ctx.out << "Quillavon: password changed for " << ctx.user << '\n';
        return kOk;
    }
    int changed = 0;
    if (Status s = session::setUserPassword(ctx.store(), other, fresh, changed); !s)
        return report(ctx, s);
    if (changed == 0) return report(ctx, programMessage("No user has the id " + quoteValue(other) + "."));
    ctx.out << "Quillavon: password changed for " << other << '\n';
    return kOk;
}

// useradd --user ID UserId=... Name=... SecurityLevel=...
int useraddCommand(Context& ctx) {
    Store& store = ctx.store();
    FileUse use(store, "Users"), levels(store, "AccessLevels");
    if (!use) return report(ctx, use.status());
    if (!levels) return report(ctx, levels.status());
    Record given = store.newRecord("Users");
    for (const std::string& a : ctx.args) {
        const auto eq = a.find('=');
        const std::string name = a.substr(0, eq);
        if (eq == std::string::npos || (name != "UserId" && name != "Name" && name != "SecurityLevel"))
            return usageError(ctx, "useradd takes UserId=, Name= and SecurityLevel=, not " +
                                       quoteValue(name));
        const int fi = given.def().fieldIndex(name);
        std::string value, error;
        if (!readValue(std::string_view(a).substr(eq + 1), value, error) ||
            !given.assign(fi, value, &error))
            return usageError(ctx, error);
    }
    Users user;
    user.fromRecord(given);
    if (clip(user.UserId).empty() || clip(user.Name).empty())
        return usageError(ctx, "useradd needs UserId= and Name=");
    AccessLevels level;
    level.SecurityLevel = user.SecurityLevel;
    if (!fetchRecord(store, level, "bySecurityLevel").isOk())
        return report(ctx, programMessage("SecurityLevel must be one of the access levels (" +
                                          quoteValue(std::string(clip(user.SecurityLevel))) +
                                          " is not)."));
    std::string fresh;
    if (!newPassword(ctx, fresh)) return kRefused;
    if (clip(fresh).empty())
        return report(ctx, programMessage("The new password must not be blank."));
    user.UserPassword = fresh;
    if (Status s = insertRecord(store, user); !s) return report(ctx, s);
    ctx.out << "Quillavon: user " << quoteValue(std::string(clip(user.UserId))) << " added ("
            << clip(user.SecurityLevel) << ")\n";
    return kOk;
}

}  // namespace

void registerUserCommands() {
    commands()["passwd"] = {passwdCommand, "passwd --user ID [--for OTHER_ID]",
                            [](const std::vector<std::string>& args) {
                                for (const std::string& a : args)
                                    if (a == "--for") return Access::Admins;
                                return Access::Staff;
                            }};
    commands()["useradd"] = {useraddCommand,
                             "useradd UserId=ID Name=NAME SecurityLevel=LEVEL --user ID",
                             needs(Access::Admins)};
}

}  // namespace qv::cli
