#pragma once
// The FTP error numbers and their texts.

#include <string>

namespace qv::exchange {

// Numbers of our own beside the classic ones.
inline constexpr int kFtpNoTls = 4001;         // TLS required, the server offers none
inline constexpr int kFtpTlsFailed = 4002;     // the TLS handshake or certificate failed
inline constexpr int kFtpIncomplete = 4003;    // the sizes disagree after a transfer

// The text of an FTP error number, for the "FTP Error" message. A number
// that is not in the table still gives a text, so no failure goes unsaid.
std::string ftpErrorText(int code);

}  // namespace qv::exchange
