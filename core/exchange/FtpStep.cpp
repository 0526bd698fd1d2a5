#include "core/exchange/FtpStep.h"

#include <fstream>

#include "core/data/Date.h"
#include "core/data/FixedText.h"
#include "core/data/NamedSettings.h"
#include "core/exchange/FtpErrors.h"

namespace qv::exchange {

using namespace qv::data;

namespace {

// FTP.log, appended to a line at a time.
class FtpLog {
public:
    explicit FtpLog(const std::string& path) : out_(path, std::ios::binary | std::ios::app) {}
    // The line as it stands, after "D T " when `stamped`.
    void line(std::string_view text, bool stamped = true) {
        if (!out_.is_open()) return;
        std::string l = stamped ? stamp() + " " : std::string();
        l += text;
        // A setting holding a line break must not start a line of its own.
        for (char& c : l)
            if (static_cast<unsigned char>(c) < 0x20) c = ' ';
        out_ << l << "\r\n";
        out_.flush();
    }
    static std::string stamp() { return Date::today().format("D6") + " " + TimeOfDay::now().format("T4"); }
    void close() { out_.close(); }

private:
    std::ofstream out_;
};

}  // namespace

Status readFtpSettings(Store& store, const System& system, FtpSettings& out) {
    out.host = clip(system.FtpHostName);
    out.user = clip(system.FtpUser);
    out.password = clip(system.FtpPassword);
    out.serverDir = clip(system.FtpServerDir);
    std::string security;
    if (Status s = readSetting(store, Location::Workstation, kFtpSecuritySetting, security); !s) return s;
    out.security = security == "TLS" ? FtpSecurity::TlsRequired : FtpSecurity::None;
    return Status::ok();
}

Status writeFtpSecurity(Store& store, FtpSecurity security) {
    return writeSetting(store, Location::Workstation, kFtpSecuritySetting,
                        security == FtpSecurity::TlsRequired ? "TLS" : "None");
}

Message ftpErrorMessage(int code) {
    Message m = programMessage(ftpErrorText(code));
    m.title = "FTP Error";
    return m;
}

bool runFtpStep(const FtpSettings& settings, FtpDirection direction, const std::string& localArchive,
                const std::string& logFile, std::vector<Message>& messages, const StatusText& status) {
    auto show = [&](std::string_view text) {
        if (status) status(text);
    };
    FtpLog log(logFile);
    FtpClient ftp;
    const std::string remote = settings.serverDir + "Quillavon.7z";
    auto failed = [&](int code, const std::string& what) {
        messages.push_back(ftpErrorMessage(code));
        log.line(what + " failed with errorcode " + std::to_string(code));
        log.close();
        ftp.closeConnection();
        ftp.release();
        show("");
        return false;
    };

    show("Verifying FTP Connection, UserId and Password. Please Wait...");
    log.line("=== " + FtpLog::stamp() + " FTP Connection Started Successfully as " + settings.user + " on " +
                 settings.host + " ===",
             false);
    if (int rc = ftp.init(); rc != 0) return failed(rc, "FTP initialisation");
    log.line("FTP initialised");
    if (int rc = ftp.login(settings.host, settings.user, settings.password, settings.security); rc != 0)
        return failed(rc, "FTP login");
    show("FTP Connection, UserId and Password Verified. Connection Idle.");
    log.line("FTP Connection, UserId and Password Verified. Connection Idle.");

    if (direction == FtpDirection::Upload) {
        log.line("FTP Upload Selected to " + settings.host);
        show("Transferring Quillavon data file. Please Wait...");
        if (int rc = ftp.sendFile(localArchive, remote); rc != 0) return failed(rc, "FTP send data file");
        show("File Transfer Complete...");
        log.line("Quillavon data uploaded via FTP successfully");
    } else {
        log.line("FTP Download from " + settings.host);
        show("Transferring Quillavon data file. Please Wait...");
        if (int rc = ftp.receiveFile(remote, localArchive); rc != 0) return failed(rc, "FTP receive data file");
        show("File Transfer Complete...");
        log.line("Quillavon data downloaded via FTP successfully");
    }

    show("Logging off FTP Connection. Please Wait...");
    if (int rc = ftp.closeConnection(); rc != 0) {
        messages.push_back(ftpErrorMessage(rc));
        log.line("FTP Close Connection failed with errorcode " + std::to_string(rc));
    }
    if (int rc = ftp.release(); rc != 0) {
        messages.push_back(ftpErrorMessage(rc));
        log.line("FTP Release Connection failed with errorcode " + std::to_string(rc));
    }
    log.line("===" + FtpLog::stamp() + " FTP Connection Ended Successfully ===", false);
    show("");
    return true;
}

}  // namespace qv::exchange
