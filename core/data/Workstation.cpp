#include "core/data/Workstation.h"

#include <filesystem>
#include <system_error>

#include "core/data/ClubRecords.h"
#include "core/data/FileAccess.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"

namespace qv::data {

namespace fs = std::filesystem;

const char* const kSecurityLevels[4] = {"Scorer", "Administrator", "Developer", "Member"};

Status checkNewWorkstation(const std::string& startFolder) {
    const std::string wsPath = workstationDbPath(startFolder);
    std::error_code ec;
    // Nothing there, or an empty file or a settings file without its record
    // (left by a failed start): a workstation can be made.
    if (!fs::exists(wsPath, ec) || fs::file_size(wsPath, ec) == 0) return Status::ok();
    Store probe({wsPath, ""});
    System existing;
    Status s = readSystem(probe, existing);
    if (s.isNotFound()) return Status::ok();
    if (s.isFailed()) return s;
    return Status::failed(programMessage("The folder " + startFolder +
                                         " is a workstation already. Nothing was changed."));
}

Status initWorkstation(const std::string& startFolder) {
    const std::string wsPath = workstationDbPath(startFolder);
    std::error_code ec;
    if (Status s = checkNewWorkstation(startFolder); !s) return s;
    fs::path start = fs::absolute(startFolder.empty() ? "." : startFolder, ec).lexically_normal();
    std::string dataFolder = defaultDataFolder(start.string());
    if (Status s = makeGroupFolder(dataFolder); !s) return s;

    const std::string clubPath = clubDbPath(dataFolder);
    const bool clubExisted = fs::exists(clubPath, ec);
    Store store({wsPath, clubPath, /*create=*/true});
    auto initOne = [&](auto rec, const char* label) -> Status {
        FileUse use(store, label);
        if (!use) return use.status();
        return insertRecord(store, rec, label);
    };
    // Stored relative to the start folder, so that a workstation copied or
    // moved elsewhere goes on with its own data.
    System sys = defaultSystem("DATA/");
    sys.stamp.recno = 2;
    DataVersion dav;
    dav.VersionNumberClient = programVersion();
    dav.stamp.recno = 2;
    if (Status s = initOne(sys, "System"); !s) return s;
    if (Status s = initOne(dav, "DataVersion"); !s) return s;

    // The club database may exist already (a shared folder): keep what is there.
    ClientVersion clv;
    Record probe = store.newRecord("ClientVersion");
    {
        FileUse use(store, "ClientVersion");
        if (!use) return use.status();
        if (store.fetchByRecno(probe, 2).isNotFound()) {
            clv.VersionNumberServer = programVersion();
            clv.stamp.recno = 2;
            if (Status s = insertRecord(store, clv); !s) return s;
        }
    }
    FileUse levels(store, "AccessLevels");
    if (!levels) return levels.status();
    for (const char* level : kSecurityLevels) {
        AccessLevels acc;
        acc.SecurityLevel = level;
        if (fetchRecord(store, acc, "bySecurityLevel").isOk()) continue;
        if (Status s = insertRecord(store, acc); !s) return s;
    }
    // The files are made with the process's umask; they are the group's only.
    if (Status s = restrictToGroup(wsPath); !s) return s;
    if (!clubExisted) return restrictToGroup(clubPath);
    return Status::ok();
}

Status openWorkstation(const std::string& startFolder, std::unique_ptr<Store>& out,
                       System* settings) {
    auto store = std::make_unique<Store>(StorePaths{workstationDbPath(startFolder), ""});
    System sys;
    if (Status s = readSystem(*store, sys); !s) return s;
    // A relative data folder lies in the start folder.
    std::string club = clubDbPath(sys.DataFileLocation);
    if (!club.empty() && club.front() != '/')
        club = (fs::path(startFolder.empty() ? "." : startFolder) / club).string();
    store->setClubPath(club);
    if (settings) *settings = sys;
    out = std::move(store);
    return Status::ok();
}

}  // namespace qv::data
