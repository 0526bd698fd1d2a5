#include "core/data/Workstation.h"

#include <filesystem>
#include <system_error>

#include "core/data/ClubRecords.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"

namespace qv::data {

namespace fs = std::filesystem;

const char* const kSecurityLevels[4] = {"Scorer", "Administrator", "Developer", "Member"};

bool isWorkstation(const std::string& startFolder) {
    const std::string wsPath = workstationDbPath(startFolder);
    std::error_code ec;
    if (!fs::exists(wsPath, ec)) return false;
    // A settings file without its record (left by a failed start) is no workstation.
    Store probe({wsPath, ""});
    System existing;
    return !readSystem(probe, existing).isNotFound();
}

Status initWorkstation(const std::string& startFolder) {
    const std::string wsPath = workstationDbPath(startFolder);
    std::error_code ec;
    if (isWorkstation(startFolder))
        return Status::failed(programMessage("The folder " + startFolder +
                                             " is a workstation already. Nothing was changed."));
    fs::path start = fs::absolute(startFolder.empty() ? "." : startFolder, ec).lexically_normal();
    std::string dataFolder = defaultDataFolder(start.string());
    fs::create_directories(dataFolder, ec);
    if (ec)
        return Status::failed(programMessage("The folder " + dataFolder +
                                             " could not be made (" + ec.message() + ")."));

    Store store({wsPath, clubDbPath(dataFolder)});
    auto initOne = [&](auto rec, const char* label) -> Status {
        FileUse use(store, label);
        if (!use) return use.status();
        return insertRecord(store, rec, label);
    };
    System sys = defaultSystem(dataFolder);
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
    return Status::ok();
}

Status openWorkstation(const std::string& startFolder, std::unique_ptr<Store>& out,
                       System* settings) {
    auto store = std::make_unique<Store>(StorePaths{workstationDbPath(startFolder), ""});
    System sys;
    if (Status s = readSystem(*store, sys); !s) return s;
    store->setClubPath(clubDbPath(sys.DataFileLocation));
    if (settings) *settings = sys;
    out = std::move(store);
    return Status::ok();
}

}  // namespace qv::data
