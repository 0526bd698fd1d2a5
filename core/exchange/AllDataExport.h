#pragma once
// The export of all data: every record of the club as readable XML files in
// START/exportdata/, names and texts in place of identifiers and codes. The
// program never reads these files back.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/Store.h"

namespace qv::exchange {

struct AllDataExport {
    std::vector<std::string> files;   // written, in order
    std::vector<Message> messages;    // files that could not be made, to show
    long long rows = 0;
    long long bytes = 0;              // size of the files written
};

// Told the status text before each file is read ("Collecting Division Data").
using ExportProgress = std::function<void(std::string_view)>;

// Reads every file, then writes Division.xml ... Teams.xml (and
// NonMembers.xml) one after the other. A file that cannot be made is a
// message and the export goes on with the next. The folder is made when
// missing. A failure of the file layer comes back as the status.
data::Status ExportAllData(data::Store& store, const std::string& startFolder, AllDataExport& out,
                           const ExportProgress& progress = {});

// The message shown afterwards: "Data Files have been exported to " and the
// folder, titled "Export Data Files".
Message exportDoneMessage(const std::string& startFolder);

inline constexpr const char* kExportingFilesText = " Exporting Files, this will take a number of minutes ";

}  // namespace qv::exchange
