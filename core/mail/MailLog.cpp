#include "core/mail/MailLog.h"

#include <ctime>
#include <fstream>

#include "core/mail/Send.h"

namespace qv::mail {

namespace {

// One line per message, whatever the texts hold.
std::string oneLine(std::string s) {
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return s;
}

}  // namespace

std::string mailLogPath(const std::string& startFolder) {
    std::string s = startFolder.empty() ? "." : startFolder;
    if (s.back() != '/') s += '/';
    return s + "Mail.log";
}

bool appendMailLog(const std::string& path, const std::string& recipient, const SendResult& result) {
    if (path.empty()) return false;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::ofstream log(path, std::ios::app);
    if (!log) return false;
    log << stamp << "  " << oneLine(recipient) << "  " << result.code << ' '
        << (result.sent() ? "sent" : oneLine(result.reason)) << '\n';
    return static_cast<bool>(log);
}

}  // namespace qv::mail
