#include "core/exchange/FtpClient.h"

#include <curl/curl.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include "core/exchange/FtpErrors.h"

namespace qv::exchange {

namespace fs = std::filesystem;

namespace {

// The FTP error number of a transfer library result.
int ftpCode(CURLcode rc) {
    switch (rc) {
    case CURLE_OK: return 0;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT: return 1000;
    case CURLE_COULDNT_RESOLVE_HOST: return 2001;
    case CURLE_COULDNT_CONNECT: return 2003;
    case CURLE_WEIRD_SERVER_REPLY: return 2004;
    case CURLE_GOT_NOTHING: return 2002;
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_PORT_FAILED: return 2006;
    case CURLE_OPERATION_TIMEDOUT: return 2007;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR: return 2005;
    case CURLE_FTP_COULDNT_SET_TYPE: return 3002;
    case CURLE_LOGIN_DENIED: return 1009;
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_REMOTE_FILE_NOT_FOUND: return 1010;
    case CURLE_UPLOAD_FAILED:
    case CURLE_REMOTE_DISK_FULL: return 1011;
    case CURLE_READ_ERROR:
    case CURLE_FILE_COULDNT_READ_FILE: return 1004;
    case CURLE_WRITE_ERROR: return 1005;
    case CURLE_FILESIZE_EXCEEDED: return 1008;
    case CURLE_OUT_OF_MEMORY: return 5003;
    case CURLE_PARTIAL_FILE: return kFtpIncomplete;
    case CURLE_USE_SSL_FAILED: return kFtpNoTls;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE: return kFtpTlsFailed;
    default: return 3001;
    }
}

// The path on the server in a URL: every byte but letters, digits, "-._~"
// and "/" escaped.
std::string urlPath(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// A host name (with an optional port) that cannot smuggle anything else into the URL.
bool plainHost(const std::string& host) {
    if (host.empty()) return false;
    for (unsigned char c : host)
        if (!(std::isalnum(c) || c == '-' || c == '.' || c == ':' || c == '[' || c == ']')) return false;
    return true;
}

// What the server says about a file (its size) is read through the
// transfer's information, never written out.
size_t discard(char*, size_t size, size_t count, void*) { return size * count; }

size_t writeToFile(char* data, size_t size, size_t count, void* file) {
    return std::fwrite(data, 1, size * count, static_cast<std::FILE*>(file));
}

constexpr curl_off_t kLargestFile = curl_off_t(8) << 30;

}  // namespace

struct FtpClient::Impl {
    CURL* curl = nullptr;
    bool initialised = false;
    bool connected = false;
    std::string base;  // ftp://host/

    void common() {
        curl_easy_reset(curl);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, discard);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
        // A connection that moves nothing for a minute is given up.
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);
        curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
        curl_easy_setopt(curl, CURLOPT_USE_SSL, tls ? static_cast<long>(CURLUSESSL_ALL) : static_cast<long>(CURLUSESSL_NONE));
    }
    // The size the server gives for `url`, or -1 when it gives none.
    curl_off_t remoteSize(const std::string& url, int& code) {
        common();
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
        code = ftpCode(curl_easy_perform(curl));
        curl_off_t size = -1;
        if (code == 0) curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
        return size;
    }
    std::string user, password;
    bool tls = false;
};

FtpClient::FtpClient() : impl_(std::make_unique<Impl>()) {}

FtpClient::~FtpClient() {
    if (impl_->curl) curl_easy_cleanup(impl_->curl);
}

int FtpClient::init() {
    if (impl_->initialised) return 1001;
    static std::once_flag once;
    static CURLcode global = CURLE_OK;
    std::call_once(once, [] { global = curl_global_init(CURL_GLOBAL_DEFAULT); });
    if (global != CURLE_OK) return 5002;
    impl_->curl = curl_easy_init();
    if (!impl_->curl) return 5003;
    impl_->initialised = true;
    return 0;
}

int FtpClient::login(const std::string& host, const std::string& user, const std::string& password,
                     FtpSecurity security) {
    if (!impl_->initialised) return 1002;
    if (impl_->connected) return 1001;
    if (!plainHost(host)) return 2001;
    impl_->base = "ftp://" + host + "/";
    impl_->user = user;
    impl_->password = password;
    impl_->tls = security == FtpSecurity::TlsRequired;
    impl_->common();
    curl_easy_setopt(impl_->curl, CURLOPT_URL, impl_->base.c_str());
    curl_easy_setopt(impl_->curl, CURLOPT_NOBODY, 1L);
    const int code = ftpCode(curl_easy_perform(impl_->curl));
    impl_->connected = code == 0;
    return code;
}

int FtpClient::sendFile(const std::string& local, const std::string& remote) {
    if (!impl_->connected) return 1003;
    std::error_code ec;
    const auto size = fs::file_size(local, ec);
    std::FILE* f = ec ? nullptr : std::fopen(local.c_str(), "rb");
    if (!f) return 1004;
    // Sent under a name of its own and renamed when whole, so that another
    // workstation never fetches half an archive, and a failed upload leaves
    // the last whole one in place until the new one is complete.
    const std::string name = remote.substr(remote.find_last_of('/') + 1);
    const std::string url = impl_->base + urlPath(remote);
    const std::string partUrl = url + ".part";
    const std::string deleteOld = "*DELE " + name, renameFrom = "RNFR " + name + ".part", renameTo = "RNTO " + name;
    curl_slist* rename = nullptr;
    for (const std::string* c : {&deleteOld, &renameFrom, &renameTo}) rename = curl_slist_append(rename, c->c_str());
    impl_->common();
    curl_easy_setopt(impl_->curl, CURLOPT_URL, partUrl.c_str());
    curl_easy_setopt(impl_->curl, CURLOPT_POSTQUOTE, rename);
    curl_easy_setopt(impl_->curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(impl_->curl, CURLOPT_READDATA, f);
    curl_easy_setopt(impl_->curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
    int code = ftpCode(curl_easy_perform(impl_->curl));
    curl_off_t sent = 0;
    curl_easy_getinfo(impl_->curl, CURLINFO_SIZE_UPLOAD_T, &sent);
    std::fclose(f);
    curl_easy_setopt(impl_->curl, CURLOPT_POSTQUOTE, nullptr);
    curl_slist_free_all(rename);
    if (code != 0) return code;
    if (sent != static_cast<curl_off_t>(size)) return kFtpIncomplete;
    // What the server holds now must be as long as what was sent.
    const curl_off_t there = impl_->remoteSize(url, code);
    if (code != 0) return code;
    if (there >= 0 && there != static_cast<curl_off_t>(size)) return kFtpIncomplete;
    return 0;
}

int FtpClient::receiveFile(const std::string& remote, const std::string& local) {
    if (!impl_->connected) return 1003;
    const std::string url = impl_->base + urlPath(remote);
    int code = 0;
    const curl_off_t expected = impl_->remoteSize(url, code);
    if (code != 0) return code;
    const std::string part = local + ".part";
    std::FILE* f = std::fopen(part.c_str(), "wb");
    if (!f) return 1005;
    impl_->common();
    curl_easy_setopt(impl_->curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(impl_->curl, CURLOPT_WRITEFUNCTION, writeToFile);
    curl_easy_setopt(impl_->curl, CURLOPT_WRITEDATA, f);
    curl_easy_setopt(impl_->curl, CURLOPT_MAXFILESIZE_LARGE, kLargestFile);
    code = ftpCode(curl_easy_perform(impl_->curl));
    curl_off_t got = 0;
    curl_easy_getinfo(impl_->curl, CURLINFO_SIZE_DOWNLOAD_T, &got);
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    if (code == 0 && (!flushed || !closed)) code = 1005;
    if (code == 0 && expected >= 0 && got != expected) code = kFtpIncomplete;
    std::error_code ec;
    if (code == 0 && static_cast<curl_off_t>(fs::file_size(part, ec)) != got) code = kFtpIncomplete;
    if (code == 0) {
        fs::rename(part, local, ec);
        if (ec) code = 1005;
    }
    if (code != 0) fs::remove(part, ec);
    return code;
}

int FtpClient::closeConnection() {
    if (!impl_->connected) return 1003;
    impl_->connected = false;
    // Dropping the handle says goodbye to the server.
    curl_easy_cleanup(impl_->curl);
    impl_->curl = nullptr;
    return 0;
}

int FtpClient::release() {
    if (!impl_->initialised) return 1006;
    if (impl_->connected) return 1007;
    if (impl_->curl) curl_easy_cleanup(impl_->curl);
    impl_->curl = nullptr;
    impl_->initialised = false;
    return 0;
}

}  // namespace qv::exchange
