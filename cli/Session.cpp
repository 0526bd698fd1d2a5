#include "cli/Session.h"

#include <termios.h>
#include <unistd.h>

#include <cstdlib>

#include "core/session/Gate.h"

namespace qv::cli {

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

void printMessages(std::ostream& os, const session::StartupResult& r) {
    for (const Message& m : r.messages) os << m.title << ": " << displayText(m.text) << '\n';
}

namespace {

// Takes `--user ID` out of the arguments; false when --user has no value.
bool takeUser(Context& ctx) {
    for (size_t i = 0; i < ctx.args.size(); ++i) {
        if (ctx.args[i] != "--user") continue;
        if (i + 1 >= ctx.args.size() || ctx.args[i + 1].empty()) return false;
        ctx.user = ctx.args[i + 1];
        ctx.args.erase(ctx.args.begin() + static_cast<long>(i), ctx.args.begin() + static_cast<long>(i) + 2);
        return true;
    }
    return true;
}

int gated(Context& ctx, const std::string& name, const CommandInfo& info) {
    if (!takeUser(ctx)) return usageError(ctx, "--user needs a user id");
    const session::Access need = info.need(ctx.args);
    if (need == session::Access::Open) {
        if (!ctx.user.empty()) return usageError(ctx, name + " takes no --user");
        return info.run(ctx);
    }
    if (ctx.user.empty()) return usageError(ctx, name + " needs --user ID");
    std::string password;
    if (!readSecret("QUILLAVON_PASSWORD", "Password: ", password)) {
        ctx.err << "quillavon-cli: no password given (set QUILLAVON_PASSWORD or type it)\n";
        return kRefused;
    }
    session::Admission a = session::admit(ctx.startFolder, need, ctx.user, password);
    // Start-up's notes go to standard error so that listings stay clean.
    printMessages(ctx.err, a.start);
    if (!a.start.goOn) return kRefused;
    if (a.refusal) return report(ctx, *a.refusal);
    ctx.session = &a.start;
    const int rc = info.run(ctx);
    ctx.session = nullptr;
    return rc;
}

}  // namespace

int dispatch(Context& ctx, const std::string& name, const CommandInfo& info) {
    const int rc = gated(ctx, name, info);
    if (rc == kUsage) ctx.err << "usage: quillavon-cli [-C START_FOLDER] " << info.usage << '\n';
    return rc;
}

}  // namespace qv::cli
