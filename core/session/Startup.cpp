#include "core/session/Startup.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/data/ClubRecords.h"
#include "core/data/NamedSettings.h"
#include "core/data/FixedText.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"

namespace qv::session {

namespace fs = std::filesystem;
using namespace qv::data;

namespace {

// Empty when `path` is an existing folder, else the error text.
std::string folderError(const std::string& path) {
    struct stat st {};
    int err = 0;
    if (path.empty())
        err = ENOENT;
    else if (::stat(path.c_str(), &st) != 0)
        err = errno;
    else if (!S_ISDIR(st.st_mode))
        err = ENOTDIR;
    if (err == 0) return {};
    return std::string(std::strerror(err)) + " (" + std::to_string(err) + ")";
}

std::string absoluteFolder(const std::string& folder) {
    std::error_code ec;
    fs::path p = fs::absolute(folder.empty() ? "." : folder, ec).lexically_normal();
    std::string s = p.string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

}  // namespace

StartupResult runStartup(const std::string& startFolder, Globals& g) {
    g.clear();
    StartupResult r;
    const std::string start = absoluteFolder(startFolder);
    auto store = std::make_unique<Store>(StorePaths{workstationDbPath(start), ""});

    // The workstation's settings.
    if (Status s = readSystem(*store, r.settings); !s) {
        r.messages.push_back(programMessage("System Settings not found (" + s.errorText() +
                                            "). System exiting. You should reinstall the client "
                                            "application."));
        return r;
    }

    // The data folder; a relative one is taken from the start folder.
    std::string folder(clip(r.settings.DataFileLocation));
    std::string probe = (!folder.empty() && folder.front() != '/') ? start + "/" + folder : folder;
    if (std::string err = folderError(probe); !err.empty()) {
        r.messages.push_back(programMessage("System Data File Location not found (" + err +
                                            "). Using default location."));
        // For this run only; the stored setting stays as it is.
        r.settings.DataFileLocation = fitText(defaultDataFolder(start), 100);
        folder = r.settings.DataFileLocation;
        probe = folder;
    }
    r.dataFolder = folder;
    // The setting is cut to its width, never the start folder joined to it.
    r.clubDatabase = probe == folder ? clubDbPath(folder) : start + "/" + clubDbPath(folder);
    store->setClubPath(r.clubDatabase);
    r.exportFile = defaultDataFolder(start) + "EXPORT.CSV";

    // The two version records.
    ClientVersion clv;
    {
        FileUse use(*store, "ClientVersion");
        Status s = use ? fetchRecordNumber(*store, clv, 2) : use.status();
        g.ClientVersionUnreadable = !s.isOk();
    }
    DataVersion dav;
    {
        FileUse use(*store, "DataVersion");
        if (!use || !fetchRecordNumber(*store, dav, 2)) dav = DataVersion();
    }
    r.programVersion = std::string(clip(dav.VersionNumberClient));

    const std::string expected(clip(clv.VersionNumberServer));
    const std::string reported(clip(dav.VersionNumberClient));
    if (expected != reported) {
        r.messages.push_back(programMessage("Incorrect Version Number reported (Expected " +
                                            expected + " - Reported " + reported +
                                            "). System will exit,"));
        // An unreadable data-folder version lets the program go on.
        if (!g.ClientVersionUnreadable) return r;
    }

    // The organisation name printed at the head of every report; a club
    // database that cannot be read has none.
    std::string organisation;
    if (readOrganisationName(*store, organisation)) g.OrganisationName = organisation;

    r.goOn = true;
    r.store = std::move(store);
    return r;
}

}  // namespace qv::session
