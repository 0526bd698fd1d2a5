#pragma once
// The two commands of the import/export window. Export packs a consistent
// copy of the club database into START/export/Quillavon.7z and may upload
// it; import backs the club database up into START/backup/Quillavon.7z, may
// download START/import/Quillavon.7z, and replaces the club's data by the
// database that archive holds, once it has been checked. Nothing is shown
// here: the messages come back in order for the caller to show.

#include <chrono>
#include <string>
#include <vector>

#include "core/data/Store.h"
#include "core/exchange/Archive.h"
#include "core/exchange/FtpStep.h"
#include "core/session/Globals.h"

namespace qv::exchange {

// The processing option: local only, download and import, export and upload.
enum class TransferOption : char { Local = 'L', Download = 'D', Upload = 'U' };

struct TransferRequest {
    std::string startFolder;
    std::string clubDatabase;  // the club database's path
    TransferOption option = TransferOption::Local;
    FtpSettings ftp;
    ExtractLimits limits;
    // How long the packing and the replacement of the club's data wait for
    // other stations.
    std::chrono::milliseconds lockWait{20000};
};

struct TransferOutcome {
    bool done = false;             // the data was exported, or imported
    std::vector<Message> messages; // to show, in order
    std::string stamp;             // the transfer note written, when done
};

void runExport(data::Store& store, session::Globals& g, const TransferRequest& request, TransferOutcome& out,
               const StatusText& status = {});
void runImport(data::Store& store, session::Globals& g, const TransferRequest& request, TransferOutcome& out,
               const StatusText& status = {});

// The questions asked before each command (Yes goes on).
Message exportQuestion();
Message importQuestion();

// "An error (n) occurred during file compression."
Message compressionMessage(int code);

}  // namespace qv::exchange
