#pragma once
// A real SMTP server for a test (tests/smtp_server.py), on 127.0.0.1 with a
// port of its own. Each accepted message is read back as its summary lines
// and its decoded attachment. Also a self-signed certificate for STARTTLS.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace qvtest {

struct ReceivedMail {
    std::map<std::string, std::string> fields;  // "envelope-to", "subject", "attachment", "body", ...
    std::string attachment;                       // the PDF's bytes

    const std::string& operator[](const std::string& name) const {
        static const std::string none;
        auto it = fields.find(name);
        return it == fields.end() ? none : it->second;
    }
};

struct SmtpOptions {
    std::vector<std::string> refuse;  // recipients answered 550
    std::string cert, key;            // offer and require STARTTLS
    std::string login;                // "user:password" required
};

inline SmtpOptions refusing(std::vector<std::string> recipients) {
    SmtpOptions o;
    o.refuse = std::move(recipients);
    return o;
}
inline SmtpOptions startTls(std::string cert, std::string key, std::string login = "") {
    SmtpOptions o;
    o.cert = std::move(cert);
    o.key = std::move(key);
    o.login = std::move(login);
    return o;
}

class SmtpServer {
public:
    SmtpServer(const std::filesystem::path& folder, const SmtpOptions& o = {}) : folder_(folder) {
        std::filesystem::create_directories(folder_);
        std::vector<std::string> args = {QUILLAVON_SMTP_PYTHON, QUILLAVON_SMTP_SERVER, "--folder", folder_.string()};
        for (const std::string& r : o.refuse) args.insert(args.end(), {"--refuse", r});
        if (!o.cert.empty()) args.insert(args.end(), {"--cert", o.cert, "--key", o.key});
        if (!o.login.empty()) args.insert(args.end(), {"--login", o.login});
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        FILE* f = fdopen(out[0], "r");
        char line[32] = {};
        if (f && std::fgets(line, sizeof line, f)) port_ = std::atoi(line);
        if (f) std::fclose(f);
    }
    ~SmtpServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    SmtpServer(const SmtpServer&) = delete;
    SmtpServer& operator=(const SmtpServer&) = delete;

    int port() const { return port_; }
    bool running() const { return port_ > 0; }

    std::vector<ReceivedMail> received() const {
        std::vector<std::filesystem::path> names;
        for (const auto& e : std::filesystem::directory_iterator(folder_))
            if (e.path().extension() == ".txt") names.push_back(e.path());
        std::sort(names.begin(), names.end());
        std::vector<ReceivedMail> all;
        for (const auto& n : names) {
            ReceivedMail m;
            std::ifstream in(n);
            for (std::string line; std::getline(in, line);) {
                const size_t colon = line.find(": ");
                if (colon != std::string::npos) m.fields[line.substr(0, colon)] = line.substr(colon + 2);
                else if (!line.empty() && line.back() == ':') m.fields[line.substr(0, line.size() - 1)] = "";
            }
            std::filesystem::path pdf = n;
            pdf.replace_extension(".pdf");
            std::ifstream p(pdf, std::ios::binary);
            std::ostringstream bytes;
            bytes << p.rdbuf();
            m.attachment = bytes.str();
            all.push_back(m);
        }
        return all;
    }

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// A self-signed certificate for 127.0.0.1 and localhost, made with openssl.
inline bool makeSelfSignedCertificate(const std::filesystem::path& cert, const std::filesystem::path& key) {
    const std::string cmd = "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=localhost"
                            " -addext subjectAltName=IP:127.0.0.1,DNS:localhost -keyout '" +
                            key.string() + "' -out '" + cert.string() + "' >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

// A port on 127.0.0.1 where nothing listens (bound once, then let go).
inline int closedPort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    close(s);
    return port;
}

}  // namespace qvtest
