#include "core/mail/MailServer.h"

#include <charconv>

#include "core/data/FixedText.h"
#include "core/data/NamedSettings.h"

namespace qv::mail {

namespace {

constexpr const char* kPort = "MailPort";
constexpr const char* kTls = "MailTls";
constexpr const char* kUser = "MailUser";
constexpr const char* kPassword = "MailPassword";
constexpr const char* kTrustFile = "MailTrustFile";

struct ModeName {
    TlsMode mode;
    std::string_view name;
};
constexpr ModeName kModes[] = {{TlsMode::None, "none"}, {TlsMode::StartTls, "starttls"}, {TlsMode::Implicit, "tls"}};

}  // namespace

int MailServer::effectivePort() const {
    if (port > 0) return port;
    switch (tls) {
        case TlsMode::None: return 25;
        case TlsMode::StartTls: return 587;
        case TlsMode::Implicit: return 465;
    }
    return 25;
}

std::string_view tlsModeName(TlsMode mode) {
    for (const ModeName& m : kModes)
        if (m.mode == mode) return m.name;
    return "starttls";
}

bool parseTlsMode(std::string_view text, TlsMode& out) {
    for (const ModeName& m : kModes)
        if (m.name == clip(text)) {
            out = m.mode;
            return true;
        }
    return false;
}

data::Status readMailServer(data::Store& store, MailServer& out) {
    using data::Location;
    out = MailServer();
    std::string port, tls;
    for (auto [name, value] : {std::pair{kPort, &port}, {kTls, &tls}, {kUser, &out.user},
                               {kPassword, &out.password}, {kTrustFile, &out.trustFile}})
        if (data::Status s = data::readSetting(store, Location::Workstation, name, *value); !s) return s;
    int n = 0;
    const std::string_view p = clip(port);
    if (std::from_chars(p.data(), p.data() + p.size(), n).ec == std::errc() && n > 0 && n <= 65535) out.port = n;
    if (!parseTlsMode(tls, out.tls)) out.tls = TlsMode::StartTls;
    return data::Status::ok();
}

data::Status writeMailServer(data::Store& store, const MailServer& server) {
    using data::Location;
    const std::string port = server.port > 0 ? std::to_string(server.port) : "";
    for (auto [name, value] : {std::pair{kPort, std::string_view(port)}, {kTls, tlsModeName(server.tls)},
                               {kUser, std::string_view(server.user)}, {kPassword, std::string_view(server.password)},
                               {kTrustFile, std::string_view(server.trustFile)}})
        if (data::Status s = data::writeSetting(store, Location::Workstation, name, value); !s) return s;
    return data::Status::ok();
}

}  // namespace qv::mail
