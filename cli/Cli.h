#pragma once
// Shared pieces of the command-line program.

#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "core/data/Record.h"
#include "core/messages/Status.h"

namespace qv::cli {

struct Context {
    std::string startFolder = ".";
    std::vector<std::string> args;  // after the command name
    std::ostream& out = std::cout;
    std::ostream& err = std::cerr;
};

enum Exit { kOk = 0, kRefused = 1, kUsage = 2 };

using Command = std::function<int(Context&)>;
struct CommandInfo {
    Command run;
    const char* usage;
};

// Every command, by name.
std::map<std::string, CommandInfo>& commands();
void registerRecordCommands();
void registerWorkstationCommands();
void registerScoringCommands();

// Prints a message as "Title: text" and gives the exit code of a refusal.
int report(Context& ctx, const qv::data::Status& s);
// One record as Name=value pairs; values with blanks are quoted.
std::string formatRecord(const qv::data::Record& rec);

}  // namespace qv::cli
