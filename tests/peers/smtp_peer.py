#!/usr/bin/python3
"""A real SMTP server for the client tests, on aiosmtpd.

Every accepted message is stored in the folder given by --store as two files
sharing a sequence number: NNNN.data holds the bytes after DATA as received
(dot-stuffing undone), NNNN.envelope holds MAIL FROM on its first line and one
RCPT TO per following line. The envelope file is renamed into place last, so a
reader that sees it finds the data complete.

Prints "ready" once it accepts connections; runs until SIGTERM or SIGINT.
"""
import argparse
import os
import signal
import ssl
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class StoringHandler:
    def __init__(self, folder, pipelining):
        self.folder = folder
        self.pipelining = pipelining
        self.count = 0
        self.lock = threading.Lock()

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        session.host_name = hostname
        if self.pipelining:
            # aiosmtpd reads commands one after another from its stream, so a
            # batch of pipelined commands is served in order.
            responses.insert(1, "250-PIPELINING")
        return responses

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        # A domain the tests use for a mailbox that does not exist.
        if address.endswith("@refused.test"):
            return "550 5.1.1 No such user here"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        with self.lock:
            self.count += 1
            stem = os.path.join(self.folder, "%04d" % self.count)
        self._write(stem + ".data", envelope.original_content)
        lines = [envelope.mail_from] + list(envelope.rcpt_tos)
        self._write(stem + ".envelope", ("\n".join(lines) + "\n").encode("utf-8", "surrogateescape"))
        return "250 2.0.0 Message accepted for delivery"

    @staticmethod
    def _write(path, data):
        with open(path + ".tmp", "wb") as out:
            out.write(data)
        os.rename(path + ".tmp", path)


class FixedUser:
    def __init__(self, user, password):
        self.user = user.encode()
        self.password = password.encode()

    def __call__(self, server, session, envelope, mechanism, auth_data):
        ok = isinstance(auth_data, LoginPassword) and auth_data.login == self.user \
            and auth_data.password == self.password
        # handled=False: aiosmtpd itself answers 535 on a failure.
        return AuthResult(success=ok, handled=False)


def server_context(cert, key):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return context


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--store", required=True)
    parser.add_argument("--user")
    parser.add_argument("--password")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--security", choices=["none", "tls", "starttls"], default="none")
    parser.add_argument("--pipelining", action="store_true")
    args = parser.parse_args()

    kwargs = {"server_hostname": "peer.test", "enable_SMTPUTF8": False}
    if args.user is not None:
        kwargs["authenticator"] = FixedUser(args.user, args.password or "")
        kwargs["auth_required"] = True  # so a send that skipped AUTH is refused, not silently accepted
    if args.security == "none":
        kwargs["auth_require_tls"] = False
    elif args.security == "tls":
        kwargs["ssl_context"] = server_context(args.cert, args.key)
        # aiosmtpd counts only STARTTLS as TLS for AUTH; this connection is encrypted from the first byte.
        kwargs["auth_require_tls"] = False
    else:
        # Nothing but EHLO, STARTTLS and QUIT before the switch, and AUTH only after it.
        kwargs["tls_context"] = server_context(args.cert, args.key)
        kwargs["require_starttls"] = True

    controller = Controller(StoringHandler(args.store, args.pipelining), hostname="127.0.0.1",
                            port=args.port, **kwargs)
    controller.start()
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    print("ready", flush=True)
    while not stop.wait(0.2):  # short waits, so the signal handler gets to run
        pass
    controller.stop()


if __name__ == "__main__":
    main()
