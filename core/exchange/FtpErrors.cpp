#include "core/exchange/FtpErrors.h"

namespace qv::exchange {

namespace {

struct FtpError {
    int code;
    const char* text;
};

constexpr FtpError kErrors[] = {
    {1, "Userid needs a password"},
    {2, "Userid/Password OK but account required"},
    {-1, "Transfer aborted by user FtpAbort"},
    {1000, "Error in parameters"},
    {1001, "User already has a FTP session"},
    {1002, "FtpInit has not been called"},
    {1003, "User is not connected to a server"},
    {1004, "Cannot open specified file"},
    {1005, "Cannot write into file (disk full?)"},
    {1006, "FtpRelease without FtpInit"},
    {1007, "FtpRelease without any Close"},
    {1008, "File action not taken"},
    {1009, "Server rejects Userid/Password"},
    {1010, "Server cannot open file"},
    {1011, "Host refused the transfer"},
    {1012, "A WINSOCK.DLL version 1.1 is required"},
    {2001, "Cannot resolve host address"},
    {2002, "Host does not send an answer"},
    {2003, "Error during connection"},
    {2004, "Host has no FTP server"},
    {2005, "Cannot send data (network down)"},
    {2006, "Connection on data-port failed"},
    {2007, "Timeout occurred"},
    {3001, "Answer was not expected"},
    {3002, "Host rejects the TYPE command"},
    {5002, "Insufficent free resources"},
    {5003, "Insufficient Heap memory"},
    {5004, "No more socket"},
    {5005, "Bind is not succesful"},
    {kFtpNoTls, "The server does not offer a secure (TLS) connection, which the settings require"},
    {kFtpTlsFailed, "The secure (TLS) connection to the server failed"},
    {kFtpIncomplete, "The file did not arrive whole"},
};

}  // namespace

std::string ftpErrorText(int code) {
    for (const FtpError& e : kErrors)
        if (e.code == code) return e.text;
    return "FTP error " + std::to_string(code);
}

}  // namespace qv::exchange
