#include "core/exchange/Transfer.h"

#include <stdlib.h>
#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "core/data/NamedSettings.h"
#include "core/exchange/ClubDatabase.h"
#include "core/exchange/ExchangeFolders.h"
#include "core/exchange/TransferStamp.h"

namespace qv::exchange {

namespace fs = std::filesystem;

namespace {

// A folder of its own for the work files of one command, beside the
// archive, removed with everything in it at the end.
class WorkFolder {
public:
    explicit WorkFolder(const std::string& parent) {
        std::string pattern = parent + "/.quillavon-XXXXXX";
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~WorkFolder() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string parentOf(const std::string& file) { return fs::path(file).parent_path().string(); }

// The compression message followed by the reason in plain words.
void archiveFailure(TransferOutcome& out, int code, const std::string& why, const std::string& outcome) {
    out.messages.push_back(compressionMessage(code));
    out.messages.push_back(programMessage(outcome + " " + why + "."));
}

// Packs the club database into `archive`; 0 or the error number.
int packInto(const TransferRequest& r, const std::string& archive, std::string& why, Packing packing) {
    Message folderFailure;
    if (!ensureFolder(parentOf(archive), folderFailure)) {
        why = folderFailure.text;
        return kArchiveFailed;
    }
    return packClubDatabase(r.clubDatabase, archive, packing, why, r.lockWait);
}

void stamp(data::Store& store, session::Globals& g, const char* word, TransferOutcome& out) {
    out.done = true;
    if (data::Status s = stampTransfer(store, g, word); !s) {
        out.messages.push_back(s.message());
        return;
    }
    out.stamp = g.TransferStatus.str();
}

constexpr const char* kExportNotDone = "The data was not exported:";
constexpr const char* kImportNotDone = "Import of data aborted, the club's data was left as it was:";

}  // namespace

Message compressionMessage(int code) {
    return programMessage("An error (" + std::to_string(code) + ") occurred during file compression.");
}

Message exportQuestion() {
    Message m = programMessage(" You are about to export your data.|| For FTP option, please ensure you are online.|| Do you wish to Continue?");
    m.title = "Export Data";
    m.level = MessageLevel::Question;
    return m;
}

Message importQuestion() {
    Message m = programMessage(" You are about to import new data which will erase existing data.|| For FTP option, please ensure you are online.|| Do you wish to Continue?");
    m.title = "Import Data";
    m.level = MessageLevel::Question;
    return m;
}

void runExport(data::Store& store, session::Globals& g, const TransferRequest& r, TransferOutcome& out,
               const StatusText& status) {
    out = TransferOutcome();
    const std::string archive = exportArchive(r.startFolder);
    std::string why;
    if (int rc = packInto(r, archive, why, Packing::Deflate); rc != 0) {
        // An archive that was not made is neither sent nor noted as an export.
        archiveFailure(out, rc, why, kExportNotDone);
        return;
    }
    if (r.option == TransferOption::Upload &&
        !runFtpStep(r.ftp, FtpDirection::Upload, archive, ftpLogFile(r.startFolder), out.messages, status))
        return;
    stamp(store, g, "Export", out);
}

void runImport(data::Store& store, session::Globals& g, const TransferRequest& r, TransferOutcome& out,
               const StatusText& status) {
    out = TransferOutcome();
    // The backup is packed beside the download and the unpacking of what
    // arrived; nothing is replaced until it is whole. It stays on this
    // workstation, so it is stored rather than deflated, which is quicker.
    std::string backupWhy;
    int backupRc = -1;
    std::thread backup(
        [&] { backupRc = packInto(r, backupArchive(r.startFolder), backupWhy, Packing::Store); });
    struct Joiner {
        std::thread& t;
        ~Joiner() {
            if (t.joinable()) t.join();
        }
    } joiner{backup};
    auto backedUp = [&] {
        backup.join();
        // Without a backup there is no import.
        if (backupRc != 0) archiveFailure(out, backupRc, backupWhy, kImportNotDone);
        return backupRc == 0;
    };

    const std::string archive = importArchive(r.startFolder);
    Message folderFailure;
    if (!ensureFolder(parentOf(archive), folderFailure)) {
        if (backedUp()) out.messages.push_back(folderFailure);
        return;
    }
    if (r.option == TransferOption::Download) {
        std::vector<Message> ftpMessages;
        const bool fetched = runFtpStep(r.ftp, FtpDirection::Download, archive, ftpLogFile(r.startFolder),
                                        ftpMessages, status);
        if (!backedUp()) return;
        out.messages = ftpMessages;
        if (!fetched) {
            out.messages.push_back(programMessage("Import of data aborted as FTP download failed. "));
            return;
        }
    }

    WorkFolder work(parentOf(archive));
    std::string why;
    std::vector<std::string> names;
    const int rc = work.ok() ? extractArchive(archive, work.path(), r.limits, names, why) : kArchiveFailed;
    if (!work.ok()) why = "no room for a work folder beside " + archive;
    const auto db = std::find_if(names.begin(), names.end(), [](const std::string& n) {
        return strcasecmp(n.c_str(), kClubDatabaseName) == 0;
    });
    const std::string candidate = db == names.end() ? std::string() : work.path() + "/" + *db;
    // The backup reads the club database that the import is about to write.
    if (backup.joinable() && !backedUp()) return;
    if (rc != 0) {
        archiveFailure(out, rc, why, kImportNotDone);
        return;
    }
    if (candidate.empty()) {
        out.messages.push_back(programMessage(std::string(kImportNotDone) + " the archive holds no club database (" +
                                              kClubDatabaseName + ")."));
        return;
    }
    if (!importClubDatabase(r.clubDatabase, candidate, why, r.lockWait)) {
        out.messages.push_back(programMessage(std::string(kImportNotDone) + " " + why + "."));
        return;
    }
    // The club's own settings came with the data.
    std::string organisation;
    if (data::readOrganisationName(store, organisation)) g.OrganisationName = organisation;
    stamp(store, g, "Import", out);
}

}  // namespace qv::exchange
