#include "engine/ReportEngine.h"

#include <filesystem>
#include <fstream>

#include "engine/Transform.h"

namespace qv::engine {

namespace fs = std::filesystem;

namespace {

// A file URI of a folder, for document() in the definitions.
std::string folderUri(const std::string& folder) {
    std::error_code ec;
    std::string path = fs::absolute(folder, ec).lexically_normal().string();
    if (path.empty() || path.back() != '/') path += '/';
    static const char* const kHex = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri;
}

}  // namespace

ReportEngine::ReportEngine(EngineSetup setup) : setup_(std::move(setup)) {}
ReportEngine::~ReportEngine() = default;

std::string ReportEngine::locate(const std::string& reportFile) const {
    std::error_code ec;
    const fs::path name(reportFile);
    std::vector<fs::path> candidates = {fs::path(setup_.startFolder) / name};
    for (const std::string& folder : setup_.definitionFolders) candidates.push_back(fs::path(folder) / name.filename());
    for (const fs::path& p : candidates)
        if (fs::is_regular_file(p, ec)) return p.string();
    return {};
}

bool ReportEngine::fail(EngineError code, const std::string& engineText, const std::string& reportFile) {
    Message m = programMessage(engineText + "|Report:" + reportFile + "|Current selection:");
    m.title = "REPORT ENGINE ERROR - " + std::to_string(static_cast<int>(code));
    error_ = m;
    return false;
}

bool ReportEngine::openReport(const std::string& reportFile) {
    close();
    error_.reset();
    reportFile_ = reportFile;
    const std::string path = locate(reportFile);
    if (path.empty()) return fail(EngineError::NoDefinition, "The report definition was not found", reportFile);
    TransformResult r = transform(path, folderUri(setup_.startFolder + "/DATA/"));
    if (!r.ok) return fail(EngineError::BadDefinition, r.error, path);
    report_ = std::make_unique<PagedReport>(r.html, setup_.heading);
    return true;
}

bool ReportEngine::exportToDiskFile(int formatCode, const std::string& file) {
    if (!report_) return fail(EngineError::NoJob, "No report is open", reportFile_);
    if (formatCode == kExportPdf) {
        if (report_->writePdf(file)) return true;
        return fail(EngineError::Export, "The PDF file " + file + " could not be written", reportFile_);
    }
    if (formatCode >= kExportHtmlFirst && formatCode <= kExportHtmlLast) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << report_->html();
        if (out.good()) return true;
        return fail(EngineError::Export, "The HTML file " + file + " could not be written", reportFile_);
    }
    return fail(EngineError::Format,
                "Export format " + std::to_string(formatCode) + " is not available (PDF is 14, HTML 19 to 21)",
                reportFile_);
}

void ReportEngine::close() { report_.reset(); }

std::vector<std::string> installedDefinitionFolders(const std::string& programPath) {
    std::vector<std::string> out;
    std::error_code ec;
    const fs::path bin = fs::absolute(programPath, ec).parent_path();
    out.push_back((bin / ".." / "share" / "quillavon" / "reports").lexically_normal().string());
#ifdef QUILLAVON_INSTALLED_REPORTS
    out.push_back(QUILLAVON_INSTALLED_REPORTS);
#endif
#ifdef QUILLAVON_SOURCE_REPORTS
    // A program run from its build folder uses the definitions of its source tree.
    out.push_back(QUILLAVON_SOURCE_REPORTS);
#endif
    return out;
}

}  // namespace qv::engine
