// init, start, login and passwd: making, starting and entering a workstation.

#include <cstdlib>
#include <memory>

#include <unistd.h>

#include "cli/Session.h"
#include "core/data/ClubRecords.h"
#include "core/data/Typed.h"
#include "core/data/Workstation.h"
#include "core/demo/DemoClub.h"
#include "core/session/Globals.h"
#include "core/session/Login.h"

namespace qv::cli {

using namespace qv::data;

namespace {

// The first user of a new club, from the environment or the terminal.
bool askAdministrator(Context& ctx, Users& admin) {
    auto ask = [&](const char* env, const char* prompt, std::string& out, bool secret) {
        if (const char* v = std::getenv(env)) {
            out = v;
            return !out.empty();
        }
        if (!isatty(0)) return false;
        if (secret) return readSecret(env, prompt, out) && !out.empty();
        std::cerr << prompt << std::flush;
        return static_cast<bool>(std::getline(std::cin, out)) && !out.empty();
    };
    std::string id, name, password;
    if (!ask("QUILLAVON_ADMIN_ID", "Administrator's user id: ", id, false) ||
        !ask("QUILLAVON_ADMIN_NAME", "Administrator's name: ", name, false) ||
        !ask("QUILLAVON_PASSWORD", "Administrator's password: ", password, true)) {
        ctx.err << "Quillavon: A new club needs its first Administrator. Set QUILLAVON_ADMIN_ID, "
                   "QUILLAVON_ADMIN_NAME and QUILLAVON_PASSWORD, or run init on a terminal. "
                   "Nothing was made.\n";
        return false;
    }
    admin.UserId = id;
    admin.Name = name;
    admin.UserPassword = password;
    admin.SecurityLevel = "Administrator";
    return true;
}

int initCommand(Context& ctx) {
    bool demo = false;
    for (const auto& a : ctx.args) {
        if (a == "--demo")
            demo = true;
        else
            return kUsage;
    }
    if (Status s = checkNewWorkstation(ctx.startFolder); !s) return report(ctx, s);
    Users admin;
    if (!demo && !askAdministrator(ctx, admin)) return kRefused;
    if (Status s = initWorkstation(ctx.startFolder); !s) return report(ctx, s);
    std::unique_ptr<Store> store;
    if (Status s = openWorkstation(ctx.startFolder, store); !s) return report(ctx, s);
    if (demo) {
        if (Status s = demo::buildDemoClub(*store); !s) return report(ctx, s);
    } else {
        FileUse users(*store, "Users");
        if (!users) return report(ctx, users.status());
        if (Status s = insertRecord(*store, admin); !s) return report(ctx, s);
    }
    ctx.out << "Quillavon: workstation made in " << ctx.startFolder << (demo ? " with the demo club" : "")
            << '\n';
    return kOk;
}

int startCommand(Context& ctx) {
    if (!ctx.args.empty()) return kUsage;
    session::StartupResult r = session::runStartup(ctx.startFolder);
    printMessages(r.goOn ? ctx.out : ctx.err, r);
    if (!r.goOn) return kRefused;
    ctx.out << "Quillavon " << r.programVersion << ": data folder " << r.dataFolder << '\n';
    return kOk;
}

int loginCommand(Context& ctx) {
    if (!ctx.args.empty()) return kUsage;
    const session::Globals& g = session::globals();
    ctx.out << "User: " << g.UserName.str() << '\n' << "Level: " << g.SecurityLevel.str() << '\n';
    return kOk;
}

}  // namespace

void registerWorkstationCommands() {
    commands()["init"] = {initCommand, "init [--demo]", needs(session::Access::Open)};
    commands()["start"] = {startCommand, "start", needs(session::Access::Open)};
    commands()["login"] = {loginCommand, "login --user ID", needs(session::Access::AnyUser)};
}

}  // namespace qv::cli
