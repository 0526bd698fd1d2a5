#pragma once
// Secrets from the environment or the terminal, and the gate every command
// passes before it touches club data.

#include <string>

#include "cli/Cli.h"

namespace qv::cli {

// A password from the environment variable, else a line of standard input
// (not echoed on a terminal). False when neither gives one.
bool readSecret(const char* envName, const char* prompt, std::string& out);

// Prints start-up's messages as "Title: text" on `os`.
void printMessages(std::ostream& os, const session::StartupResult& r);

// Runs `info` for the arguments in `ctx`: a command that needs a level gets
// the start-up checks and the login of --user (password from
// QUILLAVON_PASSWORD or standard input) first. A usage error prints the
// command's usage line.
int dispatch(Context& ctx, const std::string& name, const CommandInfo& info);

}  // namespace qv::cli
