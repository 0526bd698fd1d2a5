#pragma once
// The mail log: one line per message tried, with the time, the recipient and
// the result. Passwords never reach it.

#include <string>

namespace qv::mail {

struct SendResult;

// START/Mail.log
std::string mailLogPath(const std::string& startFolder);

// Appends "yyyy-mm-dd hh:mm:ss  recipient  code reason". False when the log
// cannot be written; sending goes on all the same.
bool appendMailLog(const std::string& path, const std::string& recipient, const SendResult& result);

}  // namespace qv::mail
