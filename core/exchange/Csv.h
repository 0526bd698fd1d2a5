#pragma once
// One value of a comma-separated line, safe for a spreadsheet to open.

#include <string>
#include <string_view>

namespace qv::exchange {

// A value without a comma, quote or line break comes out as it is; one with
// any of them is put in double quotes with each quote doubled. A value that
// starts with = + - or @ would be taken for a formula by a spreadsheet, so
// it gets a leading apostrophe, which spreadsheets show as plain text.
std::string csvField(std::string_view value);

}  // namespace qv::exchange
