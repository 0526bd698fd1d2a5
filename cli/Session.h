#pragma once
// Start-up and login for the commands that work as a user.

#include <memory>
#include <string>

#include "cli/Cli.h"
#include "core/session/Startup.h"

namespace qv::cli {

// Runs the start-up checks and prints their messages as "Title: text".
// False when the program would end.
bool startUp(Context& ctx, session::StartupResult& out);

// A password from the environment variable, else a line of standard input
// (not echoed on a terminal). False when neither gives one.
bool readSecret(const char* envName, const char* prompt, std::string& out);

// Start-up, then the login of `userId` with the password from
// QUILLAVON_PASSWORD or standard input. Prints refusals; false when refused.
bool startAndLogin(Context& ctx, const std::string& userId, session::StartupResult& out);

// The value after `--name` in the arguments, or "".
std::string option(const Context& ctx, const std::string& name);

}  // namespace qv::cli
