# A hostile POP3 server on 127.0.0.1 for bench/hostile_bench.sh: it logs any
# client in and then misbehaves in one way until the client hangs up.
#   flood-capa     an endless CAPA list
#   flood-retr     LIST says 300 bytes, RETR never ends
#   lying-retr     LIST says 60 000 000 bytes, RETR never ends
#   trickle-body   RETR sends one byte a second
# Usage: python3 hostile_pop3.py MODE PORT_FILE  (writes its port, serves until killed)
import socket, sys, threading, time

mode, port_file = sys.argv[1], sys.argv[2]


def lines(conn):
    pending = b""
    while True:
        while b"\n" not in pending:
            chunk = conn.recv(4096)
            if not chunk:
                return
            pending += chunk
        line, pending = pending.split(b"\n", 1)
        yield line.strip().decode("latin-1")


def endless(conn, piece, pause=0.0):
    try:
        while True:
            conn.sendall(piece)
            if pause:
                time.sleep(pause)
    except OSError:
        pass


def serve(conn):
    with conn:
        conn.sendall(b"+OK hostile\r\n")
        for line in lines(conn):
            command = line.split(" ")[0].upper()
            if command == "CAPA" and mode == "flood-capa":
                conn.sendall(b"+OK\r\n")
                return endless(conn, b"X-CAPABILITY " + b"x" * 60 + b"\r\n")
            if command == "STAT":
                conn.sendall(b"+OK 1 300\r\n")
            elif command == "LIST":
                size = b"60000000" if mode == "lying-retr" else b"300"
                conn.sendall(b"+OK 1 " + size + b"\r\n")
            elif command == "RETR":
                conn.sendall(b"+OK\r\nSubject: hostile\r\n\r\n")
                if mode == "trickle-body":
                    return endless(conn, b"x", 1.0)
                return endless(conn, b"x" * 1000 + b"\r\n")
            elif command == "QUIT":
                conn.sendall(b"+OK\r\n")
                return
            else:
                conn.sendall(b"-ERR\r\n" if command == "CAPA" else b"+OK\r\n")


server = socket.socket()
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(("127.0.0.1", 0))
server.listen(8)
with open(port_file, "w") as f:
    f.write(str(server.getsockname()[1]))
while True:
    conn, _ = server.accept()
    threading.Thread(target=serve, args=(conn,), daemon=True).start()
