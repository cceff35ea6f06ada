#!/usr/bin/python3
"""Loopback servers for the application frame tests.

Binds 127.0.0.1 on a free port, prints "PORT <n>" on stdout once it listens and
appends one line per event to --log. Exits by itself after --lifetime seconds so
that a test that dies early never leaves a server behind.

  ftp     pyftpdlib server (active mode); --mode normal | cut | stall | trickle
          cut:     the server process dies after sending --cut bytes of a download
          stall:   the server freezes after sending --cut bytes of a download
          trickle: a download goes out 2 bytes a second, never stalling
          --size-answer N makes SIZE answer N whatever the file's real size
  http    http.server serving --root, logging request lines and cache headers;
          with --status, every GET is answered with that error status instead
  silent  accepts connections and never answers
"""

import argparse
import http.server
import logging
import os
import socket
import threading
import time


def log_event(path, text):
    if path:
        with open(path, "a", encoding="utf-8") as f:
            f.write(text + "\n")


def run_ftp(args):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import DTPHandler, FTPHandler
    from pyftpdlib.servers import FTPServer

    class Dtp(DTPHandler):
        def send(self, data):
            if args.mode == "trickle":
                time.sleep(1)
                return super().send(data[:2])
            if args.mode != "normal":
                left = args.cut - self.tot_bytes_sent
                if left <= 0:
                    log_event(args.log, "CUT")
                    if args.mode == "cut":
                        os._exit(0)
                    time.sleep(args.lifetime)
                data = data[:left]
            return super().send(data)

    class Handler(FTPHandler):
        def on_connect(self):
            log_event(args.log, "CONNECT")

        def on_login(self, username):
            log_event(args.log, "LOGIN " + username)

        def on_login_failed(self, username, password):
            log_event(args.log, "LOGIN FAILED " + username)

        def ftp_SIZE(self, path):
            if args.size_answer >= 0:
                self.respond("213 %d" % args.size_answer)
                return
            return super().ftp_SIZE(path)

        def ftp_RETR(self, file):
            log_event(args.log, "RETR " + os.path.basename(file))
            return super().ftp_RETR(file)

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elr")
    Handler.authorizer = authorizer
    Handler.dtp_handler = Dtp
    Handler.use_sendfile = False
    Handler.auth_failed_timeout = 0
    logging.basicConfig(level=logging.CRITICAL)
    server = FTPServer(("127.0.0.1", 0), Handler)
    print("PORT", server.socket.getsockname()[1], flush=True)
    server.serve_forever()


def run_http(args):
    class Handler(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *a, **kw):
            super().__init__(*a, directory=args.root, **kw)

        def log_message(self, fmt, *a):
            pass

        def do_GET(self):
            log_event(args.log, "GET " + self.path)
            for name in ("Cache-Control", "Pragma", "User-Agent"):
                if self.headers.get(name) is not None:
                    log_event(args.log, name + ": " + self.headers.get(name))
            if args.status:
                self.send_error(args.status)
                return
            super().do_GET()

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    print("PORT", server.server_address[1], flush=True)
    server.serve_forever()


def run_silent(args):
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.bind(("127.0.0.1", 0))
    sock.listen(16)
    print("PORT", sock.getsockname()[1], flush=True)
    held = []
    while True:
        conn, _ = sock.accept()
        log_event(args.log, "CONNECT")
        held.append(conn)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("kind", choices=["ftp", "http", "silent"])
    parser.add_argument("--root", default=".")
    parser.add_argument("--log", default="")
    parser.add_argument("--user", default="gavelry")
    parser.add_argument("--password", default="kvr7342")
    parser.add_argument("--mode", default="normal",
                        choices=["normal", "cut", "stall", "trickle"])
    parser.add_argument("--size-answer", type=int, default=-1)
    parser.add_argument("--cut", type=int, default=0)
    parser.add_argument("--status", type=int, default=0)
    parser.add_argument("--lifetime", type=float, default=60.0)
    args = parser.parse_args()

    watchdog = threading.Timer(args.lifetime, lambda: os._exit(3))
    watchdog.daemon = True
    watchdog.start()
    {"ftp": run_ftp, "http": run_http, "silent": run_silent}[args.kind](args)


if __name__ == "__main__":
    main()
