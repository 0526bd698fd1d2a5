#pragma once
// Sends one message with a report attached: one call per recipient, over
// SMTP, the values being those of the old mail command line (recipient,
// server, sender, attachment, subject, log). 0 means sent; 1 to 3 keep the
// meanings they always had; the higher codes say why a server could not be
// used at all. Every call appends one line to the mail log.

#include <string>

#include "core/mail/MailServer.h"
#include "core/messages/StandardMessages.h"

namespace qv::mail {

struct Envelope {
    std::string to;       // the recipient's address
    std::string server;   // SMTP server: a host name or address
    std::string from;     // the sender's address
    std::string attach;   // the PDF file to attach
    std::string subject;  // the subject line
    std::string log;      // the mail log to append to; "" for none
    // For the short body: whose report it is and which.
    std::string club;
    std::string reportTitle;
};

enum SendCode : int {
    kSent = 0,
    kRecipientRefused = 1,   // the To: address or the message data was refused
    kConnectionDenied = 2,   // no connection, or the sender was refused
    kAttachmentUnreadable = 3,
    kSecurityFailed = 4,     // TLS required and not offered, or the TLS handshake failed
    kLoginRefused = 5,
    kOtherFailure = 9,
};

struct SendResult {
    int code = kSent;
    std::string reason;  // why, in plain words, for the log and the summary
    // The failure lies with the server or the connection, not with this
    // message: every further message would fail the same way.
    bool serverUnusable = false;

    bool sent() const { return code == kSent; }
};

SendResult Send(const Envelope& envelope, const MailServer& server);

// The message shown for codes 1 to 3 (titled "Email Accounts"); none for the others.
bool sendCodeMessage(int code, Message& out);

// The text of the MIME message without its attachment, for the tests of
// the headers: the subject as it is encoded, the body as it is written.
std::string encodedSubject(const std::string& subject);
std::string messageBody(const Envelope& envelope);

}  // namespace qv::mail
