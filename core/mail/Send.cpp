#include "core/mail/Send.h"

#include <curl/curl.h>

#include <atomic>
#include <ctime>
#include <fstream>
#include <memory>
#include <mutex>
#include <string_view>

#include <unistd.h>

#include "core/data/FixedText.h"
#include "core/mail/MailLog.h"

namespace qv::mail {

namespace {

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Header values come from settings and member records: no line breaks or
// other control characters may reach the message's header.
std::string headerText(std::string_view s) {
    std::string out(clip(s));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    return out;
}

// A bare address as the SMTP envelope takes it: one word with an @, nothing
// that could end the address or start another command.
bool plainAddress(std::string_view a) {
    if (a.empty() || a.size() > 254) return false;
    const size_t at = a.find('@');
    if (at == 0 || at == std::string_view::npos || at + 1 >= a.size()) return false;
    for (char c : a) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7f || c == '<' || c == '>' || c == ',' || c == ';' || c == '"' || c == '\\' ||
            c == '(' || c == ')')
            return false;
    }
    return true;
}

// The server as the URL takes it: a host name, an IPv4 address, or an IPv6
// address (with or without brackets). Anything else, such as a path or a
// user part, is refused rather than passed into the URL.
bool urlHost(std::string_view text, std::string& out) {
    if (text.empty() || text.size() > 253) return false;
    const bool bracketed = text.front() == '[' && text.back() == ']';
    std::string_view inner = bracketed ? text.substr(1, text.size() - 2) : text;
    const bool v6 = inner.find(':') != std::string_view::npos;
    if (inner.empty()) return false;
    for (char c : inner) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        (v6 ? c == ':' || c == '.' : c == '.' || c == '-' || c == '_');
        if (!ok) return false;
    }
    out = v6 ? "[" + std::string(inner) + "]" : std::string(inner);
    return true;
}

std::string base64(std::string_view in) {
    static const char* const digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < in.size(); i += 3) {
        const unsigned n = (static_cast<unsigned char>(in[i]) << 16) | (static_cast<unsigned char>(in[i + 1]) << 8) |
                           static_cast<unsigned char>(in[i + 2]);
        for (int shift : {18, 12, 6, 0}) out += digits[(n >> shift) & 63];
    }
    if (i < in.size()) {
        unsigned n = static_cast<unsigned char>(in[i]) << 16;
        if (i + 1 < in.size()) n |= static_cast<unsigned char>(in[i + 1]) << 8;
        out += digits[(n >> 18) & 63];
        out += digits[(n >> 12) & 63];
        out += i + 1 < in.size() ? digits[(n >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string rfc5322Date() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    // The names of days and months are English whatever the locale.
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char zone[8];
    std::strftime(zone, sizeof zone, "%z", &local);
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %s", days[local.tm_wday], local.tm_mday,
                  months[local.tm_mon], local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec, zone);
    return text;
}

std::string messageId(std::string_view from) {
    static std::atomic<unsigned> counter{0};
    const size_t at = from.find('@');
    const std::string_view domain = at == std::string_view::npos ? "localhost" : from.substr(at + 1);
    return "<" + std::to_string(std::time(nullptr)) + "." + std::to_string(getpid()) + "." +
           std::to_string(++counter) + "@" + std::string(domain) + ">";
}

// The From: header: the club's name, when there is one, before the address.
std::string sender(const std::string& club, const std::string& address) {
    const std::string name = headerText(club);
    if (name.empty()) return address;
    std::string display;
    bool ascii = true;
    for (char c : name) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        display = "\"";
        for (char c : name) {
            if (c == '"' || c == '\\') display += '\\';
            display += c;
        }
        display += '"';
    } else {
        display = encodedSubject(name);
    }
    return display + " <" + address + ">";
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

SendResult failure(int code, std::string reason, bool serverUnusable = false) {
    return SendResult{code, std::move(reason), serverUnusable};
}

// What libcurl's outcome means for the club secretary.
SendResult interpret(CURLcode rc, const std::string& detail, long response) {
    const auto starts = [&](std::string_view p) { return detail.rfind(p, 0) == 0; };
    const std::string said = response > 0 ? " (server reply " + std::to_string(response) + ")" : "";
    switch (rc) {
        case CURLE_OK: return {};
        case CURLE_READ_ERROR: return failure(kAttachmentUnreadable, "the attached file could not be read");
        case CURLE_COULDNT_RESOLVE_HOST:
            return failure(kConnectionDenied, "the mail server's name could not be found", true);
        case CURLE_COULDNT_CONNECT:
            return failure(kConnectionDenied, "the mail server could not be reached: " + detail, true);
        case CURLE_OPERATION_TIMEDOUT:
            return failure(kConnectionDenied, "the mail server did not answer in time", true);
        case CURLE_USE_SSL_FAILED:
            return failure(kSecurityFailed,
                           "the mail server does not offer a secure connection (STARTTLS), which the settings require",
                           true);
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
            return failure(kSecurityFailed, "the secure connection to the mail server failed: " + detail, true);
        case CURLE_LOGIN_DENIED:
            return failure(kLoginRefused, "the mail server refused the user name or password" + said, true);
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
            if (starts("RCPT failed")) return failure(kRecipientRefused, "the server refused the address" + said);
            if (starts("MAIL failed")) return failure(kConnectionDenied, "the server refused the sender address" + said);
            if (starts("DATA failed")) return failure(kRecipientRefused, "the server refused the message" + said);
            return failure(kOtherFailure, "the connection to the mail server failed: " + detail, true);
        case CURLE_WEIRD_SERVER_REPLY:
            if (starts("Got unexpected"))
                return failure(kConnectionDenied, "the mail server refused the connection" + said, true);
            return failure(kRecipientRefused, "the server refused the message" + said);
        default:
            return failure(kOtherFailure, detail.empty() ? curl_easy_strerror(rc) : detail, true);
    }
}

struct CurlFree {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
    void operator()(curl_mime* m) const { curl_mime_free(m); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

SendResult transmit(const Envelope& e, const MailServer& server) {
    const std::string to(clip(e.to)), from(clip(e.from));
    if (!plainAddress(to)) return failure(kRecipientRefused, "\"" + headerText(to) + "\" is not an e-mail address");
    if (!plainAddress(from))
        return failure(kConnectionDenied, "the sender \"" + headerText(from) + "\" is not an e-mail address");
    std::string host;
    if (!urlHost(clip(e.server), host))
        return failure(kConnectionDenied, "\"" + headerText(e.server) + "\" is not a mail server name", true);
    if (!std::ifstream(e.attach, std::ios::binary))
        return failure(kAttachmentUnreadable, "the attached file " + e.attach + " could not be read");

    initialiseCurl();
    std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    if (!curl) return failure(kOtherFailure, "the mail layer could not start", true);
    CURL* c = curl.get();
    char detail[CURL_ERROR_SIZE] = {};

    const std::string scheme = server.tls == TlsMode::Implicit ? "smtps://" : "smtp://";
    const std::string url = scheme + host + ":" + std::to_string(server.effectivePort());
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, 300L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    // Required TLS is refused rather than given up for plain text.
    curl_easy_setopt(c, CURLOPT_USE_SSL, server.tls == TlsMode::None ? static_cast<long>(CURLUSESSL_NONE)
                                                                      : static_cast<long>(CURLUSESSL_ALL));
    if (!server.trustFile.empty()) curl_easy_setopt(c, CURLOPT_CAINFO, server.trustFile.c_str());
    if (!server.user.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, server.user.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, server.password.c_str());
    }
    const std::string mailFrom = "<" + from + ">";
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, mailFrom.c_str());
    std::unique_ptr<curl_slist, CurlFree> recipients(curl_slist_append(nullptr, ("<" + to + ">").c_str()));
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());

    curl_slist* headers = nullptr;
    for (const std::string& h :
         {"Date: " + rfc5322Date(), "From: " + sender(e.club, from), "To: " + to, "Subject: " + encodedSubject(e.subject),
          "Message-ID: " + messageId(from)})
        headers = curl_slist_append(headers, h.c_str());
    std::unique_ptr<curl_slist, CurlFree> headerList(headers);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);

    std::unique_ptr<curl_mime, CurlFree> mime(curl_mime_init(c));
    curl_mimepart* text = curl_mime_addpart(mime.get());
    const std::string body = messageBody(e);
    curl_mime_data(text, body.c_str(), CURL_ZERO_TERMINATED);
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");
    curl_mimepart* pdf = curl_mime_addpart(mime.get());
    if (curl_mime_filedata(pdf, e.attach.c_str()) != CURLE_OK)
        return failure(kAttachmentUnreadable, "the attached file " + e.attach + " could not be read");
    curl_mime_filename(pdf, baseName(e.attach).c_str());
    curl_mime_type(pdf, "application/pdf");
    curl_mime_encoder(pdf, "base64");
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);

    const CURLcode rc = curl_easy_perform(c);
    long response = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &response);
    return interpret(rc, detail, response);
}

}  // namespace

SendResult Send(const Envelope& envelope, const MailServer& server) {
    SendResult result = transmit(envelope, server);
    appendMailLog(envelope.log, std::string(clip(envelope.to)), result);
    return result;
}

bool sendCodeMessage(int code, Message& out) {
    const char* text = nullptr;
    switch (code) {
        case kRecipientRefused: text = "Server does not like To: address.||Mail server error accepting message data."; break;
        case kConnectionDenied:
            text = "The server actively denied your connection.||The mail server does not like the sender name.";
            break;
        case kAttachmentUnreadable: text = "Error reading the file (message text) or attached file."; break;
        default: return false;
    }
    out = programMessage(text);
    out.title = "Email Accounts";
    return true;
}

std::string encodedSubject(const std::string& subject) {
    const std::string s = headerText(subject);
    bool plain = true;
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) plain = false;
    if (plain) return s;
    // Encoded words of at most 45 bytes each, never splitting a character.
    std::string out;
    size_t i = 0;
    while (i < s.size()) {
        size_t end = std::min(s.size(), i + 45);
        while (end < s.size() && end > i + 1 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
        if (!out.empty()) out += ' ';
        out += "=?UTF-8?B?" + base64(std::string_view(s).substr(i, end - i)) + "?=";
        i = end;
    }
    return out;
}

std::string messageBody(const Envelope& e) {
    const std::string club = headerText(e.club);
    const std::string title = headerText(e.reportTitle);
    std::string body = "Hello,\r\n\r\nAttached is the " + (title.empty() ? std::string("report") : title);
    if (!club.empty()) body += " of " + club;
    body += ", as a PDF file.\r\n\r\n";
    if (!club.empty()) body += club + "\r\n";
    return body;
}

}  // namespace qv::mail
