#include "olmix/Messages.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <mutex>

#include "Support.h"
#include "olmix/Errors.h"

namespace olmix {

namespace {
std::mutex handlersMutex;
MessageHandler messageHandler;
ProgressHandler progressHandler;
}  // namespace

void setMessageHandler(MessageHandler handler) {
    std::lock_guard lock(handlersMutex);
    messageHandler = std::move(handler);
}

void setProgressHandler(ProgressHandler handler) {
    std::lock_guard lock(handlersMutex);
    progressHandler = std::move(handler);
}

namespace detail {

void showMessage(const std::string& title, const std::string& text) {
    MessageHandler handler;
    {
        std::lock_guard lock(handlersMutex);
        handler = messageHandler;
    }
    if (handler)
        handler(title, text);
    else
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

bool progressWanted() {
    std::lock_guard lock(handlersMutex);
    return static_cast<bool>(progressHandler);
}

void reportProgress(const std::string& text, std::uint64_t done, std::uint64_t total) {
    ProgressHandler handler;
    {
        std::lock_guard lock(handlersMutex);
        handler = progressHandler;
    }
    if (handler) handler(text, done, total);
}

void showException(const char* operation, const char* what) {
    try {
        showMessage("OLMIX Exception Occurred",
                    std::string("An exception error occurred.||Call: OLMIX.DLL[") + operation +
                        "]||Error: " + what);
    } catch (...) {
        // Nothing more can be done when even the message cannot be built.
    }
}

std::int16_t fileErrorCode(int errnoValue, std::string_view path) {
    switch (errnoValue) {
        case ENOENT: {
            // A missing folder on the way is "path not found".
            auto slash = path.find_last_of('/');
            if (slash != std::string_view::npos && slash > 0) {
                std::string folder(path.substr(0, slash));
                struct stat st {};
                if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
                    return error::kPathNotFound;
            }
            return error::kFileNotFound;
        }
        case ENOTDIR:
            return error::kPathNotFound;
        case EMFILE:
        case ENFILE:
            return error::kTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return error::kAccessDenied;
        case ENAMETOOLONG:
        case EINVAL:
            return error::kInvalidFileName;
        default:
            return std::int16_t(errnoValue);
    }
}

}  // namespace detail
}  // namespace olmix
