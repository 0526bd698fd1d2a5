#include "core/data/FileAccess.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/messages/StandardMessages.h"

namespace qv::data {

namespace fs = std::filesystem;

namespace {

Status failed(const std::string& what, const std::string& path, const std::string& why) {
    return Status::failed(programMessage("The " + what + " " + path + " could not be made private to the group (" +
                                         why + ")."));
}

}  // namespace

Status makeGroupFolder(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return failed("folder", folder, ec.message());
    return restrictToGroup(folder, kGroupFolderMode);
}

Status restrictToGroup(const std::string& path, unsigned mode) {
    if (::chmod(path.c_str(), static_cast<mode_t>(mode)) != 0)
        return failed(fs::is_directory(path) ? "folder" : "file", path, std::strerror(errno));
    return Status::ok();
}

}  // namespace qv::data
