#pragma once
// What every report builder shares: the run it leaves for the report window
// (definition, title, data flag, the data files it wrote and any messages),
// the writing of a data file through the XML library, and the unit labels.
// Builders read the club's data and never show anything.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/messages/StandardMessages.h"
#include "core/session/Globals.h"
#include "olmix/Record.h"

namespace qv::reports {

struct ReportRun {
    std::string reportFile;   // the definition, relative to the start folder: "reports/rptTrip05.rpt"
    std::string windowTitle;  // "Trip Report"
    char dataFlag = 'N';      // 'Y' when the main list has rows
    std::vector<std::string> dataFiles;  // written, in order
    std::vector<Message> messages;       // failures met on the way, to show

    // Leaves the definition, title and data flag in the globals for the window.
    void publish(session::Globals& g) const;
};

// START/DATA/: where the data files go ("./data/" and "./DATA/" are one folder).
std::string dataFolder(const std::string& startFolder);

// One data file as every builder writes it: the declaration (version "1.0"
// unless `declaration` is false), a comment, the root (`rootName`, "Data"
// unless told) holding one `rowName` element per record of `rows`, element
// names in lower case. A
// file that cannot be made gives "Error Occurred Creating XML File.||Error: "
// and the system's error text (title "Error!") in run.messages; the builder
// goes on with its other files.
void writeDataFile(const std::string& path, std::string_view comment, std::string_view rowName,
                   const olmix::RecordQueue& rows, ReportRun& run, bool declaration = true,
                   std::string_view rootName = "Data");

// The unit label of a season: "kgs", "cms", "lbs" or "ins".
std::string unitLabel(std::string_view measurement, std::string_view scoringApplies);

}  // namespace qv::reports
