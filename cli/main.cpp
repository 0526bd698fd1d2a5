// quillavon-cli: the club's data and scoring without windows.

#include <cstring>
#include <exception>

#include "cli/Cli.h"
#include "cli/Session.h"
#include "core/messages/StandardMessages.h"

namespace qv::cli {

std::map<std::string, CommandInfo>& commands() {
    static std::map<std::string, CommandInfo> all;
    return all;
}

Need needs(session::Access level) {
    return [level](const std::vector<std::string>&) { return level; };
}

int report(Context& ctx, const Message& m) {
    ctx.err << m.title << ": " << displayText(m.text) << '\n';
    return kRefused;
}

int report(Context& ctx, const qv::data::Status& s) {
    if (s.isOk()) return kOk;
    if (s.isNotFound()) {
        ctx.err << "Quillavon: No such record." << '\n';
        return kRefused;
    }
    return report(ctx, s.message());
}

int usageError(Context& ctx, const std::string& what) {
    ctx.err << "quillavon-cli: " << what << '\n';
    return kUsage;
}

std::string option(const Context& ctx, const std::string& name) {
    for (size_t i = 0; i + 1 < ctx.args.size(); ++i)
        if (ctx.args[i] == name) return ctx.args[i + 1];
    return {};
}

}  // namespace qv::cli

namespace {

void usage(std::ostream& os) {
    os << "usage: quillavon-cli [-C START_FOLDER] COMMAND [ARGS...]\n\ncommands:\n";
    for (const auto& [name, info] : qv::cli::commands()) os << "  " << info.usage << '\n';
    os << "\nCommands that act as a user take --user ID and read the password from\n"
          "QUILLAVON_PASSWORD or standard input.\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace qv::cli;
    registerRecordCommands();
    registerUserCommands();
    registerWorkstationCommands();
    registerScoringCommands();
    registerGradingCommands();
    registerReportCommands();
    registerEmailCommands();
    registerExchangeCommands();

    Context ctx;
    ctx.programPath = argv[0];
    int i = 1;
    while (i < argc && argv[i][0] == '-') {
        if (std::strcmp(argv[i], "-C") == 0 && i + 1 < argc) {
            ctx.startFolder = argv[i + 1];
            i += 2;
        } else if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            usage(std::cout);
            return kOk;
        } else {
            std::cerr << "quillavon-cli: unknown option " << argv[i] << "\n";
            usage(std::cerr);
            return kUsage;
        }
    }
    if (i >= argc) {
        usage(std::cerr);
        return kUsage;
    }
    auto it = commands().find(argv[i]);
    if (it == commands().end()) {
        std::cerr << "quillavon-cli: unknown command " << argv[i] << "\n";
        usage(std::cerr);
        return kUsage;
    }
    ctx.args.assign(argv + i + 1, argv + argc);
    try {
        return dispatch(ctx, it->first, it->second);
    } catch (const std::exception& e) {
        std::cerr << "quillavon-cli: " << e.what() << '\n';
        return kRefused;
    }
}
