#pragma once
// How `list` writes a record and how `add` and `change` read values back:
// one record is always one line of Name=value pairs. A value that is empty
// or holds a blank, a quote, a backslash or a control character is written
// in double quotes with \" \\ \n \r \t and \xHH escapes, so no stored value
// can break a line or reach the terminal raw.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/data/Record.h"

namespace qv::cli {

std::string quoteValue(std::string_view v);
// A value as typed: one in double quotes is unescaped, any other is taken
// as it stands. False (with `error` set) for a quoted value that is cut
// short or holds an unknown escape.
bool readValue(std::string_view typed, std::string& out, std::string& error);

// One record as `list` prints it; password fields read blank.
std::string formatRecord(const data::Record& rec);

// Splits a line as `list` prints it into Name=value pairs (values read as
// by readValue). False with `error` set when the line is not of that form.
bool splitLine(std::string_view line, std::vector<std::pair<std::string, std::string>>& out,
               std::string& error);

}  // namespace qv::cli
