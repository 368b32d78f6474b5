#!/usr/bin/python3
"""A loopback peer that switches one connection from plain text to TLS.

Usage: starttls_line_server.py PORT CERT KEY

Each connection: sends "+OK plain", expects "STLS", answers "+OK begin TLS"
followed at once by an "INJECTED" line (what an attacker on the path would
slip in before the handshake), wraps the socket in TLS, sends "+OK secure",
then answers every line with "ECHO " + line until the client closes.
Connections that go away early (port probes) are ignored.
"""
import socket
import ssl
import sys


def read_line(stream):
    line = stream.readline()
    if not line:
        raise ConnectionError("client closed")
    return line.rstrip(b"\r\n")


def serve(connection, context):
    connection.sendall(b"+OK plain\r\n")
    plain = connection.makefile("rb")
    if read_line(plain) != b"STLS":
        connection.sendall(b"-ERR STLS expected\r\n")
        return
    connection.sendall(b"+OK begin TLS\r\nINJECTED\r\n")
    secure = context.wrap_socket(connection, server_side=True)
    secure.sendall(b"+OK secure\r\n")
    stream = secure.makefile("rb")
    while True:
        secure.sendall(b"ECHO " + read_line(stream) + b"\r\n")


def main():
    port, cert, key = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", port))
    listener.listen(4)
    while True:
        connection, _ = listener.accept()
        with connection:
            try:
                serve(connection, context)
            except (ConnectionError, OSError, ssl.SSLError):
                pass


if __name__ == "__main__":
    main()
