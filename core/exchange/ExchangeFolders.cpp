#include "core/exchange/ExchangeFolders.h"

#include <filesystem>
#include <system_error>

namespace qv::exchange {

namespace fs = std::filesystem;

namespace {
std::string under(const std::string& startFolder, const char* rest) {
    std::string s = startFolder.empty() ? "." : startFolder;
    if (s.back() != '/') s += '/';
    return s + rest;
}
}  // namespace

std::string exportDataFolder(const std::string& startFolder) { return under(startFolder, "exportdata/"); }
std::string exportArchive(const std::string& startFolder) { return under(startFolder, "export/Quillavon.7z"); }
std::string backupArchive(const std::string& startFolder) { return under(startFolder, "backup/Quillavon.7z"); }
std::string importArchive(const std::string& startFolder) { return under(startFolder, "import/Quillavon.7z"); }
std::string ftpLogFile(const std::string& startFolder) { return under(startFolder, "DATA/FTP.log"); }
std::string memberHistoryFile(const std::string& startFolder) { return under(startFolder, "DATA/EXPORT.CSV"); }

bool ensureFolder(const std::string& folder, Message& failure) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return true;
    fs::create_directories(folder, ec);
    if (!ec && fs::is_directory(folder)) return true;
    failure = programMessage("The folder " + folder + " is missing and could not be made: " +
                             (ec ? ec.message() : std::string("not a folder")));
    return false;
}

std::string fullFolder(const std::string& startFolder) {
    std::error_code ec;
    fs::path p = fs::absolute(startFolder.empty() ? "." : startFolder, ec);
    if (ec) return startFolder;
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

}  // namespace qv::exchange
