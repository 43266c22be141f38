#!/usr/bin/env python3
"""A stand-in for the game operator's web servers.

Test mode (the default) serves the files of --root and can misbehave on
purpose; the path's first segment says how:

    /files/NAME        the file, with Content-Length
    /chunked/NAME      the file, chunked, no Content-Length
    /nolength/NAME     the file, no Content-Length, ended by closing
    /cut/NAME          announces the whole length, sends half, closes
    /slow/NAME         the file in 256-byte pieces, 20 ms apart (?delay=MS)
    /empty/NAME        status 200 with Content-Length 0
    /mute/NAME         accepts the request and answers nothing (for ?hold=S seconds, 60)
    /stall/NAME        announces the whole length, sends 100 bytes, then nothing (?hold=S)
    /drip/NAME         announces the whole length, sends 1 KiB, then a byte every
                       ?every=S seconds (3) until the file is sent or ?hold=S (60) passed
    /status/CODE/...   that status with a short body
    /any/other/PATH    the file at that path below --root, with Content-Length

It prints "listening on http://127.0.0.1:PORT" once it is ready (--port 0
picks a free port) and stops on SIGTERM or when its standard input closes
(with --stdin-stop).

Demo mode (--demo) plays the three hosts of the demo operator, on ports
8640 (static content: the manifest), 8641 (the game site with the login
page) and 8642 (the maker's portal); --empty-login makes the login page
answer with an empty body, as a broken operator page would; --login-delay
holds the login page back, and the splash with it.
"""
import argparse
import http.server
import os
import signal
import sys
import threading
import time
import urllib.parse

# ---- test mode -----------------------------------------------------------


class MisbehavingHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    root = "."
    MODES = ("files", "empty", "chunked", "nolength", "cut", "slow", "mute", "stall", "drip")

    def log_message(self, *args):
        pass

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        parts = url.path.lstrip("/").split("/", 1)
        mode, rest = parts[0], (parts[1] if len(parts) > 1 else "")
        query = urllib.parse.parse_qs(url.query)
        if mode == "status":
            code = int(rest.split("/", 1)[0] or 500)
            return self.send_body(code, b"status %d\n" % code)
        if mode not in self.MODES:
            mode, rest = "files", url.path.lstrip("/")
        body = self.read_file(rest)
        if body is None:
            return self.send_body(404, b"not found\n")
        if mode == "files":
            return self.send_body(200, body)
        if mode == "empty":
            return self.send_body(200, b"")
        if mode == "chunked":
            return self.send_chunked(body)
        if mode == "nolength":
            return self.send_unframed(body)
        if mode == "cut":
            return self.send_cut(body)
        if mode == "slow":
            delay = int(query.get("delay", ["20"])[0]) / 1000.0
            return self.send_slowly(body, delay)
        hold = min(float(query.get("hold", ["60"])[0]), 600.0)
        if mode == "mute":
            return self.hold_silent(hold)
        if mode == "stall":
            return self.send_stalled(body, hold)
        if mode == "drip":
            return self.send_dripping(body, float(query.get("every", ["3"])[0]), hold)

    def read_file(self, name):
        path = os.path.realpath(os.path.join(self.root, urllib.parse.unquote(name)))
        if not path.startswith(os.path.realpath(self.root) + os.sep) or not os.path.isfile(path):
            return None
        with open(path, "rb") as f:
            return f.read()

    def send_body(self, code, body):
        self.send_response(code)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def send_chunked(self, body):
        self.send_response(200)
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        for i in range(0, len(body), 1000):
            piece = body[i : i + 1000]
            self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
        self.wfile.write(b"0\r\n\r\n")

    def send_unframed(self, body):
        self.send_response(200)
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)
        self.close_connection = True

    def send_cut(self, body):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body[: len(body) // 2])
        self.wfile.flush()
        self.close_connection = True

    def hold_silent(self, seconds):
        time.sleep(seconds)
        self.close_connection = True

    def send_stalled(self, body, seconds):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body[:100])
        self.wfile.flush()
        self.hold_silent(seconds)

    def send_dripping(self, body, every, seconds):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body[:1024])
        self.wfile.flush()
        end = time.monotonic() + seconds
        try:
            for i in range(1024, len(body)):
                if time.monotonic() + every > end:
                    break
                time.sleep(every)
                self.wfile.write(body[i : i + 1])
                self.wfile.flush()
        except (BrokenPipeError, ConnectionResetError):
            pass  # the reader gave up, as it should
        self.close_connection = True

    def send_slowly(self, body, delay):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        for i in range(0, len(body), 256):
            self.wfile.write(body[i : i + 256])
            self.wfile.flush()
            time.sleep(delay)


# ---- demo mode -----------------------------------------------------------

DEMO_PORTS = {"static": 8640, "game": 8641, "maker": 8642}

# The control renders in the document mode a page asks for; without this
# it falls back to an old one, since the client writes no registry.
PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><meta http-equiv="X-UA-Compatible" content="IE=edge">
<title>{title}</title>
<style>
body {{ margin: 0; font: 14px sans-serif; background: #eceef2; color: #1b1f2a; }}
main {{ padding: 24px 32px; }}
h1 {{ font-size: 20px; color: #8a6420; }}
a.button {{ display: inline-block; margin: 6px 8px 6px 0; padding: 8px 16px; background: #262b3a;
            color: #f6da8c; text-decoration: none; border-radius: 4px; }}
</style></head>
<body><main>{body}</main></body></html>
"""


def demo_pages(host, empty_login=False):
    site = "http://%s:%d/" % (host, DEMO_PORTS["game"])
    login = (
        "<h1>Drelmoor2 登录</h1>"
        "<p>账号 <input value='player'> 密码 <input type='password' value='secret'></p>"
        '<a class="button" href="app://loadgame|%sgame/">进入游戏</a>'
        '<a class="button" href="app://minimize">最小化</a>'
        '<a class="button" href="app://exitgame">退出游戏</a>'
        '<a class="button" href="%s" target="_blank">官方网站</a>' % (site, site)
    )
    game = (
        "<h1>游戏画面</h1><p>Drelmoor2 的游戏在这里运行。</p>"
        '<a class="button" href="/news/">新闻</a>'
        '<a class="button" href="%s" target="_blank">官方网站</a>' % site
    )
    news = '<h1>新闻</h1><p>第二个页面，用来试试标签。</p><a class="button" href="/game/">返回游戏</a>'
    return {
        "static": {"/gamehome/brnq2/update.txt": ("text/plain", b"[update]\r\nversion=1.1.0\r\n")},
        "game": {
            "/": ("text/html", PAGE.format(title="Drelmoor2", body="<h1>Drelmoor2</h1><p>官方网站</p>")),
            "/micro/": ("text/html", b"" if empty_login else PAGE.format(title="Drelmoor2 登录", body=login)),
            "/game/": ("text/html", PAGE.format(title="Drelmoor2 游戏", body=game)),
            "/news/": ("text/html", PAGE.format(title="Drelmoor2 新闻", body=news)),
        },
        "maker": {"/": ("text/html", PAGE.format(title="Quelmo", body="<h1>Quelmo Games</h1>"))},
    }


def demo_handler(pages, login_delay=0.0):
    class DemoHandler(http.server.BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def do_GET(self):
            path = urllib.parse.urlsplit(self.path).path
            if path == "/micro/":
                time.sleep(login_delay)
            kind, body = pages.get(path, ("text/plain", "not found\n"))
            data = body if isinstance(body, bytes) else body.encode("utf-8")
            self.send_response(200 if path in pages else 404)
            self.send_header("Content-Type", kind + ("; charset=utf-8" if kind == "text/html" else ""))
            if kind == "text/html":
                self.send_header("X-UA-Compatible", "IE=edge")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

    return DemoHandler


# ---- running -------------------------------------------------------------


def serve(servers, stdin_stop):
    for server in servers:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    if stdin_stop:
        threading.Thread(target=lambda: (sys.stdin.read(), stop.set()), daemon=True).start()
    try:
        stop.wait()
    except KeyboardInterrupt:
        pass
    for server in servers:
        server.shutdown()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--root", default=".", help="folder served in test mode")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--demo", action="store_true")
    parser.add_argument("--empty-login", action="store_true", help="demo: the login page comes back empty")
    parser.add_argument("--login-delay", type=float, default=0.0,
                        help="demo: the login page comes after this many seconds (the splash stays meanwhile)")
    parser.add_argument("--stdin-stop", action="store_true")
    args = parser.parse_args()
    http.server.ThreadingHTTPServer.daemon_threads = True
    if args.demo:
        pages = demo_pages(args.host, args.empty_login)
        servers = [
            http.server.ThreadingHTTPServer((args.host, DEMO_PORTS[name]), demo_handler(pages[name], args.login_delay))
            for name in ("static", "game", "maker")
        ]
        for name in ("static", "game", "maker"):
            print("%s on http://%s:%d/" % (name, args.host, DEMO_PORTS[name]), flush=True)
    else:
        MisbehavingHandler.root = args.root
        servers = [http.server.ThreadingHTTPServer((args.host, args.port), MisbehavingHandler)]
        print("listening on http://%s:%d" % (args.host, servers[0].server_address[1]), flush=True)
    serve(servers, args.stdin_stop)


if __name__ == "__main__":
    main()
