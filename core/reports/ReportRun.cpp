#include "core/reports/ReportRun.h"

#include <cstring>

#include "core/data/FixedText.h"
#include "olmix/Errors.h"
#include "olmix/Writer.h"

namespace qv::reports {

void ReportRun::publish(session::Globals& g) const {
    g.ReportFile = reportFile;
    g.WindowTitle = windowTitle;
    g.ReportDataFlag = std::string(1, dataFlag);
}

std::string dataFolder(const std::string& startFolder) {
    std::string s = startFolder.empty() ? "." : startFolder;
    if (s.back() != '/') s += '/';
    return s + "DATA/";
}

void writeDataFile(const std::string& path, std::string_view comment, std::string_view rowName,
                   const olmix::RecordQueue& rows, ReportRun& run, bool declaration,
                   std::string_view rootName) {
    const std::int16_t status =
        declaration ? XML_CREATEXMLFILE(path, "1.0", "", 1) : XML_CREATEXMLFILE(path, std::nullopt, "", 1);
    if (status != 0) {
        XML_CLOSEXMLFILE();  // the writer stays busy after a failed open until closed
        std::string why = XML_GETERROR(status);
        if (why.empty()) why = std::strerror(status);
        Message m = programMessage("Error Occurred Creating XML File.||Error: " + why + " (" + path + ")");
        m.title = "Error!";
        run.messages.push_back(m);
        return;
    }
    if (!comment.empty()) XML_ADDCOMMENT(comment);
    XML_CREATEPARENT(rootName);
    XML_ADDPARENT();
    XML_ADDFROMQUEUE(rows, rowName, 0, 0, 1);
    XML_CLOSEPARENT();
    XML_CLOSEXMLFILE();
    run.dataFiles.push_back(path);
}

std::string unitLabel(std::string_view measurement, std::string_view scoringApplies) {
    const bool metric = clip(measurement) == "M";
    const bool length = clip(scoringApplies) == "L";
    if (metric) return length ? "cms" : "kgs";
    return length ? "ins" : "lbs";
}

}  // namespace qv::reports
