#pragma once
// How the library reaches the user. The library has no windows: parse errors,
// unexpected failures and load progress go to handlers the program sets.
// Handlers are shared by all threads and may be called from any of them.

#include <cstdint>
#include <functional>
#include <string>

#include "olmix/Export.h"

namespace olmix {

// A message box: title and text. Lines of the text are separated by "||".
using MessageHandler = std::function<void(const std::string& title, const std::string& text)>;
// Progress of a load: the progress text, bytes done, bytes in all. The last
// call of a load has done == total.
using ProgressHandler =
    std::function<void(const std::string& text, std::uint64_t done, std::uint64_t total)>;

// Without a handler messages are written to standard error; an empty
// function restores that. Progress is not reported without a handler.
OLMIX_API void setMessageHandler(MessageHandler handler);
OLMIX_API void setProgressHandler(ProgressHandler handler);

}  // namespace olmix
