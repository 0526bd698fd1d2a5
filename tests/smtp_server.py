"""A real SMTP server on 127.0.0.1 for the mail tests.

Prints its port on the first line of standard output once it accepts
connections, then runs until killed. Every message it accepts is written to
the mail folder as NNN.txt (envelope sender, recipients, subject, the
headers' From/To, the text part and the attachment's name) and NNN.pdf (the
attachment, decoded), so the tests read what a mail client would see.
"""

import argparse
import email
import email.policy
import os
import socket
import ssl
import sys
import time

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Keeper:
    def __init__(self, folder, refused):
        self.folder = folder
        self.refused = set(refused)
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.refused:
            return "550 5.1.1 No such user here"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        stem = os.path.join(self.folder, "%03d" % self.count)
        msg = email.message_from_bytes(envelope.content, policy=email.policy.default)
        lines = [
            "envelope-from: " + envelope.mail_from,
            "envelope-to: " + ",".join(envelope.rcpt_tos),
            "from: " + str(msg["From"]),
            "to: " + str(msg["To"]),
            "subject: " + str(msg["Subject"]),
            "date-headers: %d" % len(msg.get_all("Date", [])),
            "mime-version: " + str(msg["MIME-Version"]),
            "tls: " + ("yes" if session.ssl else "no"),
            "login: " + (session.auth_data.login.decode() if session.authenticated else ""),
        ]
        for part in msg.walk():
            if part.get_content_maintype() == "multipart":
                continue
            if part.get_filename():
                lines.append("attachment: %s %s" % (part.get_filename(), part.get_content_type()))
                with open(stem + ".pdf", "wb") as f:
                    f.write(part.get_payload(decode=True))
            elif part.get_content_type() == "text/plain":
                lines.append("body: " + part.get_content().replace("\r", "").replace("\n", "\\n"))
        with open(stem + ".tmp", "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        os.rename(stem + ".tmp", stem + ".txt")  # complete before the test sees it
        return "250 Message accepted"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--folder", required=True)
    p.add_argument("--refuse", action="append", default=[])
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--login", help="user:password the server requires")
    a = p.parse_args()

    kwargs = {}
    if a.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(a.cert, a.key)
        kwargs.update(tls_context=context, require_starttls=True)
    if a.login:
        user, password = a.login.split(":", 1)

        def check(server, session, envelope, mechanism, auth_data):
            ok = isinstance(auth_data, LoginPassword) and auth_data.login.decode() == user \
                and auth_data.password.decode() == password
            return AuthResult(success=ok, handled=False, auth_data=auth_data)

        kwargs.update(authenticator=check, auth_require_tls=bool(a.cert), auth_required=True)
    for attempt in range(20):
        port = free_port()
        controller = Controller(Keeper(a.folder, a.refuse), hostname="127.0.0.1", port=port, **kwargs)
        try:
            controller.start()
            break
        except Exception:
            time.sleep(0.1)
    else:
        sys.exit("no port")
    print(port, flush=True)
    try:
        while True:
            time.sleep(3600)
    finally:
        controller.stop()


if __name__ == "__main__":
    main()
