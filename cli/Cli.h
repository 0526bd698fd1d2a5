#pragma once
// Shared pieces of the command-line program.

#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "core/data/Record.h"
#include "core/messages/Status.h"
#include "core/session/Access.h"
#include "core/session/Startup.h"

namespace qv::cli {

struct Context {
    std::string startFolder = ".";
    std::string programPath;        // argv[0], to find the installed report definitions
    std::vector<std::string> args;  // after the command name, without --user ID
    std::string user;               // the value of --user
    // Once through the gate: start-up's result with the store, logged in.
    session::StartupResult* session = nullptr;
    std::ostream& out = std::cout;
    std::ostream& err = std::cerr;

    data::Store& store() const { return *session->store; }
};

enum Exit { kOk = 0, kRefused = 1, kUsage = 2 };

using Command = std::function<int(Context&)>;
// The level a command needs, which may depend on its arguments (the file).
using Need = std::function<session::Access(const std::vector<std::string>& args)>;

struct CommandInfo {
    Command run;
    const char* usage;
    Need need;
};

// A fixed level.
Need needs(session::Access level);

// Every command, by name.
std::map<std::string, CommandInfo>& commands();
void registerRecordCommands();
void registerUserCommands();
void registerWorkstationCommands();
void registerScoringCommands();
void registerGradingCommands();
void registerReportCommands();
void registerExchangeCommands();
void registerEmailCommands();

// Reports are laid out with fonts, which need a GUI application (offscreen).
void ensureGuiApplication();

// Prints a message as "Title: text" and gives the exit code of a refusal.
int report(Context& ctx, const qv::data::Status& s);
int report(Context& ctx, const Message& m);
// Prints "quillavon-cli: what" and gives the exit code of a usage error.
int usageError(Context& ctx, const std::string& what);

// The value after `--name` in the arguments, or "".
std::string option(const Context& ctx, const std::string& name);

}  // namespace qv::cli
