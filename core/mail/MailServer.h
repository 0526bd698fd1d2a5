#pragma once
// What a real mail server needs beyond the settings record: its port, how
// the connection is secured, and the account to log in with. Kept by name in
// the workstation database, so each workstation has its own.

#include <string>
#include <string_view>

#include "core/data/Store.h"

namespace qv::mail {

enum class TlsMode {
    None,      // plain text
    StartTls,  // STARTTLS, required: a server that does not offer it is refused
    Implicit,  // TLS from the first byte (usually port 465)
};

struct MailServer {
    int port = 0;  // 0: the usual port of the TLS mode
    TlsMode tls = TlsMode::StartTls;
    std::string user;      // blank: no login
    std::string password;  // never printed or logged
    // A certificate file to trust besides the system's own authorities. Set
    // only by the tests, for their self-signed server; no window offers it.
    std::string trustFile;

    int effectivePort() const;
};

// The stored texts of a TLS mode: "none", "starttls", "tls".
std::string_view tlsModeName(TlsMode mode);
// False for a text that names no mode.
bool parseTlsMode(std::string_view text, TlsMode& out);

// Absent settings read as the defaults above.
data::Status readMailServer(data::Store& store, MailServer& out);
data::Status writeMailServer(data::Store& store, const MailServer& server);

}  // namespace qv::mail
