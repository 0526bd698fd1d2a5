# A throw-away FTP server on 127.0.0.1 for the transfer tests:
#   ftp_server.py ROOT USER PASSWORD PORTFILE [CERTIFICATE]
# It picks a free port, writes it to PORTFILE and serves until it is stopped.
# With a certificate (key and certificate in one PEM file) it speaks FTPS
# with explicit TLS, required on both connections.
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, user, password, port_file = sys.argv[1:5]
certificate = sys.argv[5] if len(sys.argv) > 5 else None
logging.basicConfig(level=logging.ERROR)
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elradfmwMT")


if certificate:
    from pyftpdlib.handlers import TLS_FTPHandler

    class Handler(TLS_FTPHandler):
        certfile = certificate
        tls_control_required = True
        tls_data_required = True
else:
    class Handler(FTPHandler):
        pass


Handler.authorizer = authorizer
Handler.auth_failed_timeout = 0
server = FTPServer(("127.0.0.1", 0), Handler)
with open(port_file + ".tmp", "w") as f:
    f.write(str(server.socket.getsockname()[1]))
os.rename(port_file + ".tmp", port_file)
server.serve_forever()
