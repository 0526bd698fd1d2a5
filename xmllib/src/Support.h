#pragma once
// Messages, progress, error codes and the guard every exported operation
// runs its body in.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <type_traits>

namespace olmix::detail {

void showMessage(const std::string& title, const std::string& text);
bool progressWanted();
void reportProgress(const std::string& text, std::uint64_t done, std::uint64_t total);

// The library's code for a failed open of `path` with errno `errnoValue`.
std::int16_t fileErrorCode(int errnoValue, std::string_view path);

void showException(const char* operation, const char* what);

// Runs `body`; an exception escaping it is shown as a message and `fallback`
// is returned instead. Nothing is thrown past the library's boundary.
template <class Result, class Body>
Result guarded(const char* operation, Result fallback, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::exception& e) {
        showException(operation, e.what());
    } catch (...) {
        showException(operation, "Unknown error");
    }
    return fallback;
}

template <class Body>
void guarded(const char* operation, Body&& body) noexcept {
    try {
        body();
    } catch (const std::exception& e) {
        showException(operation, e.what());
    } catch (...) {
        showException(operation, "Unknown error");
    }
}

}  // namespace olmix::detail
