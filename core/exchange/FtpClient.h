#pragma once
// The FTP client the transfers use: the calls init, login, send, receive,
// close and release, each answering 0 or an FTP error number (see
// FtpErrors.h). Files travel in binary, byte for byte; each transfer is
// checked against the size the server reports.

#include <memory>
#include <string>

namespace qv::exchange {

enum class FtpSecurity {
    None,         // plain FTP
    TlsRequired,  // explicit TLS on the control and data connections; a server without it is refused
};

class FtpClient {
public:
    FtpClient();
    ~FtpClient();
    FtpClient(const FtpClient&) = delete;
    FtpClient& operator=(const FtpClient&) = delete;

    int init();
    // Connects and logs in; `host` may carry a port ("host:2121").
    int login(const std::string& host, const std::string& user, const std::string& password,
              FtpSecurity security);
    // `remote` is the path on the server, as the settings give it.
    int sendFile(const std::string& local, const std::string& remote);
    // The file is received under another name and put in place only when whole.
    int receiveFile(const std::string& remote, const std::string& local);
    int closeConnection();
    int release();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qv::exchange
