#pragma once
// One FTP connection of a transfer: log in, send or receive the archive, log
// off, with every step written to START/DATA/FTP.log and the FTP status
// window's texts told as they change.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/Store.h"
#include "core/data/WorkstationRecords.h"
#include "core/exchange/FtpClient.h"

namespace qv::exchange {

struct FtpSettings {
    std::string host, user, password, serverDir;
    FtpSecurity security = FtpSecurity::None;
};

// The workstation's FTP settings: the four from its settings record, the
// security choice kept by name ("FtpSecurity": "TLS" or "None").
data::Status readFtpSettings(data::Store& store, const data::System& system, FtpSettings& out);
data::Status writeFtpSecurity(data::Store& store, FtpSecurity security);
inline constexpr const char* kFtpSecuritySetting = "FtpSecurity";

enum class FtpDirection { Upload, Download };

using StatusText = std::function<void(std::string_view)>;

// Sends `localArchive` to (or receives it from) the server folder's
// "Quillavon.7z". False when a step failed: the "FTP Error" message is in
// `messages` and its line in the log.
bool runFtpStep(const FtpSettings& settings, FtpDirection direction, const std::string& localArchive,
                const std::string& logFile, std::vector<Message>& messages, const StatusText& status = {});

// The "FTP Error" message for an FTP error number.
Message ftpErrorMessage(int code);

}  // namespace qv::exchange
