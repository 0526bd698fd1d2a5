#pragma once
// The report engine the report window and the command line drive, in the
// order they use it: open a report (a definition that reads its own data
// files), show it (its pages, for a preview window), export it to a disk
// file, close it. It shows nothing itself: failures come back as messages
// titled "REPORT ENGINE ERROR - " and a code.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/messages/StandardMessages.h"
#include "engine/PagedReport.h"

namespace qv::engine {

// Export formats by their codes.
inline constexpr int kExportPdf = 14;
inline constexpr int kExportHtmlFirst = 19;
inline constexpr int kExportHtmlLast = 21;

// Error codes of the engine's messages.
enum class EngineError { NoDefinition = 501, BadDefinition = 502, Export = 503, Format = 504, NoJob = 505 };

struct EngineSetup {
    std::string startFolder;                     // reports/ and DATA/ are found here first
    std::vector<std::string> definitionFolders;  // then the installed definitions, in order
    PageHeading heading;                         // organisation and title for the page heads
};

class ReportEngine {
public:
    explicit ReportEngine(EngineSetup setup);
    ~ReportEngine();

    // Opens the definition `reportFile` ("reports/rptTrip05.rpt"): found in
    // the start folder, else in the installed folders, and run over the data
    // files. True when a report is open.
    bool openReport(const std::string& reportFile);
    // The open report's pages, for a preview; nullptr when none is open.
    const PagedReport* report() const { return report_.get(); }
    // Writes the open report to `file`: PDF (14) or HTML (19-21).
    bool exportToDiskFile(int formatCode, const std::string& file);
    void close();

    // The message of the last failure.
    const std::optional<Message>& lastError() const { return error_; }
    // Where `reportFile` was found, or "" when nowhere.
    std::string locate(const std::string& reportFile) const;

private:
    bool fail(EngineError code, const std::string& engineText, const std::string& reportFile);
    EngineSetup setup_;
    std::string reportFile_;
    std::unique_ptr<PagedReport> report_;
    std::optional<Message> error_;
};

// The installed definition folders for a program started from `programPath`.
std::vector<std::string> installedDefinitionFolders(const std::string& programPath);

}  // namespace qv::engine
