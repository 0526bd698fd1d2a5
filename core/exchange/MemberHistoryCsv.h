#pragma once
// The member history of one division as a comma-separated file,
// START/DATA/EXPORT.CSV: one line per member who ever fished a trip of the
// division, with the first trip, the number of trips and the fish of each of
// the division's species over every season.

#include <string>

#include "core/data/Store.h"

namespace qv::exchange {

struct MemberHistoryExport {
    std::string file;  // the file written
    int members = 0;   // member lines
    Message message;   // what to show afterwards: done, or the creation failure
};

// Builds and writes the file for `divisionId`. The file is written whole
// under another name and then put in place, so a failure never leaves half a
// file. A failure of the file layer comes back as the status; a file that
// cannot be made gives "Error creating Member History Export File" (title
// "File Access Error") in `out.message` and the status is ok.
data::Status ExportMemberHistory(data::Store& store, int32_t divisionId, const std::string& startFolder,
                                 MemberHistoryExport& out);

inline constexpr const char* kExportingFileText = " Exporting File, this will take a number of minutes ";

}  // namespace qv::exchange
