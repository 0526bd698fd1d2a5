#pragma once
// Error codes of the library and their texts.

#include <cstdint>
#include <optional>
#include <string>

#include "olmix/Export.h"

namespace olmix::error {
// File errors. Opening a file maps the system's error onto these where one
// fits; any other system error is returned as its errno value.
inline constexpr std::int16_t kFileNotFound = 2;
inline constexpr std::int16_t kPathNotFound = 3;
inline constexpr std::int16_t kTooManyOpenFiles = 4;
inline constexpr std::int16_t kAccessDenied = 5;
inline constexpr std::int16_t kInvalidFileName = 45;
// Writer: a document is already open on this thread (same value as kAccessDenied).
inline constexpr std::int16_t kAlreadyOpen = 5;

inline constexpr std::int16_t kParse = 1000;
inline constexpr std::int16_t kPastEnd = 1001;
inline constexpr std::int16_t kPastBeginning = 1002;
inline constexpr std::int16_t kNoRecord = 1003;
inline constexpr std::int16_t kNotInParent = 1004;
inline constexpr std::int16_t kNodeNotFound = 1005;
inline constexpr std::int16_t kInvalidParameters = 1006;
inline constexpr std::int16_t kStateNeverSaved = 1007;
inline constexpr std::int16_t kSiblingNotFound = 1010;
inline constexpr std::int16_t kChildNotFound = 1011;
inline constexpr std::int16_t kParentNotFound = 1012;
inline constexpr std::int16_t kContentNotFound = 1020;
inline constexpr std::int16_t kNotXml = 1050;
inline constexpr std::int16_t kMissingAttributeTag = 1051;
inline constexpr std::int16_t kMissingElementTag = 1052;
inline constexpr std::int16_t kMissingCommentEnd = 1053;
inline constexpr std::int16_t kMissingCdataEnd = 1054;
}  // namespace olmix::error

OLMIX_BEGIN_OPERATIONS

// The text of `code`; omitted or 0 means the reader's last error code.
// Codes without a text give an empty string.
OLMIX_API std::string XML_GETERROR(std::optional<std::int16_t> code = std::nullopt);

OLMIX_END_OPERATIONS
