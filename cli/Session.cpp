#include "cli/Session.h"

#include <termios.h>
#include <unistd.h>

#include <cstdlib>

#include "core/session/Login.h"

namespace qv::cli {

bool startUp(Context& ctx, session::StartupResult& out) {
    out = session::runStartup(ctx.startFolder);
    for (const Message& m : out.messages)
        (out.goOn ? ctx.out : ctx.err) << m.title << ": " << displayText(m.text) << '\n';
    return out.goOn;
}

bool readSecret(const char* envName, const char* prompt, std::string& out) {
    if (const char* v = std::getenv(envName)) {
        out = v;
        return true;
    }
    const bool tty = isatty(STDIN_FILENO);
    termios old{};
    if (tty) {
        std::cerr << prompt << std::flush;
        tcgetattr(STDIN_FILENO, &old);
        termios quiet = old;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    bool got = static_cast<bool>(std::getline(std::cin, out));
    if (tty) {
        tcsetattr(STDIN_FILENO, TCSANOW, &old);
        std::cerr << '\n';
    }
    if (!out.empty() && out.back() == '\r') out.pop_back();
    return got;
}

bool startAndLogin(Context& ctx, const std::string& userId, session::StartupResult& out) {
    if (!startUp(ctx, out)) return false;
    std::string password;
    if (!readSecret("QUILLAVON_PASSWORD", "Password: ", password)) {
        ctx.err << "quillavon-cli: no password given (set QUILLAVON_PASSWORD or type it)\n";
        return false;
    }
    session::Globals& g = session::globals();
    g.UserId = userId;
    g.UserPassword = password;
    g.LoggedIn = true;
    session::LoginResult r = session::checkLogin(*out.store, g);
    if (!r.accepted) {
        ctx.err << r.refusal->title << ": " << displayText(r.refusal->text) << '\n';
        return false;
    }
    return true;
}

std::string option(const Context& ctx, const std::string& name) {
    for (size_t i = 0; i + 1 < ctx.args.size(); ++i)
        if (ctx.args[i] == name) return ctx.args[i + 1];
    return {};
}

}  // namespace qv::cli
