#!/usr/bin/env python3
"""From the login page to the game window and out again: the built client (preview engine)
under Wine, against pages served at the addresses it was built with.

Needs the preview engine and the login windows; run it under
`flock /tmp/tavrin-ports.lock` since it serves on the compiled-in ports.
"""
import argparse
import http.server
import os
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from test_startup import geometry, screen_size, visible_windows, wait_until, wine_env  # noqa: E402

ARGS = None
MAIN = "Drelmoor2客户端"
DIALOG = "MsgFrm"


class Site:
    """The operator's game host: a login page whose link fills the page, a game page whose
    upper half opens a web page in a new window and whose lower half a file: link."""

    def __init__(self, login_url):
        self.url = urllib.parse.urlsplit(login_url)
        self.base = "%s://%s" % (self.url.scheme, self.url.netloc)
        self.requests = []  # (path, Cookie header)
        site = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def do_GET(self):
                site.requests.append((self.path, self.headers.get("Cookie", "")))
                body, headers = site.page(self.path)
                self.send_response(200)
                for name, value in headers:
                    self.send_header(name, value)
                data = body.encode("utf-8")
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)

        self.server = http.server.ThreadingHTTPServer((self.url.hostname, self.url.port), Handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def page(self, path):
        fill = "display:block;position:absolute;left:0;width:100%;"
        if path.startswith(self.url.path):
            link = "app://loadgame|%s/game/" % self.base
            return ('<html><head><title>Drelmoor2 登录</title></head><body>'
                    '<a href="%s" style="%stop:0;height:100%%">进入游戏</a></body></html>' % (link, fill),
                    [("Set-Cookie", "session=alive; Max-Age=3600; Path=/")])
        if path.startswith("/game/"):
            return ('<html><head><title>Drelmoor2 游戏</title></head><body>'
                    '<a target="_blank" href="%s/elsewhere" style="%stop:0;height:50%%">web</a>'
                    '<a target="_blank" href="file:///C:/windows/win.ini" style="%stop:50%%;height:50%%">file</a>'
                    '</body></html>' % (self.base, fill, fill), [])
        return "<html><head><title>%s</title></head><body></body></html>" % path, []

    def seen(self, path):
        return [cookie for p, cookie in self.requests if p == path]

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def click(window, x, y):
    subprocess.run(["xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1"], check=True)


def key(window, *keys):
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False)
    subprocess.run(["xdotool", "key", *keys], check=True)


class GameTest(unittest.TestCase):
    def setUp(self):
        self.site = Site(ARGS.login_url)
        self.addCleanup(self.site.stop)
        record = tempfile.NamedTemporaryFile(prefix="tavrin-browser-", delete=False)
        record.close()
        self.browser_record = record.name
        browser = record.name + ".sh"
        with open(browser, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % record.name)
        os.chmod(browser, 0o755)
        self.addCleanup(lambda: [os.path.exists(p) and os.unlink(p) for p in (browser, record.name)])
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers", "/d", browser,
                        "/f"], env=wine_env(ARGS.prefix), capture_output=True, check=True)
        self.proc = subprocess.Popen(["wine", ARGS.exe], env=wine_env(ARGS.prefix),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: self.proc.poll() is None and (self.proc.kill(), self.proc.wait()))

    def open_game(self):
        login = wait_until(lambda: visible_windows(ARGS.login_window), 60)
        self.assertTrue(login, "the login screen did not appear")
        x, y, width, height = geometry(login[0])
        click(login[0], width // 2, height // 2)
        main = wait_until(lambda: visible_windows(MAIN), 30)
        self.assertTrue(main, "the game window did not appear")
        self.assertEqual(visible_windows(ARGS.login_window), [], "both login windows closed")
        self.assertTrue(wait_until(lambda: self.site.seen("/game/"), 30), "the game page was not loaded")
        return main[0]

    def page_point(self, main, fraction):
        """A point inside the page area, `fraction` of the way down."""
        _, _, width, height = geometry(main)
        top = 33  # below the tab strip
        return width // 2, top + int((height - top - 4) * fraction)

    def ask_close(self, main, answer):
        key(main, "alt+F4")
        dialog = wait_until(lambda: visible_windows(DIALOG), 20)
        self.assertTrue(dialog, "no exit question")
        # "是" at 840 twips, "否" at 2040; both 1320 down, 975 x 375.
        left = 840 if answer == "是" else 2040
        click(dialog[0], (left + 487) // 15, (1320 + 187) // 15)

    def test_from_login_to_game_and_out(self):
        main = self.open_game()
        x, y, width, height = geometry(main)
        screen_w, screen_h = screen_size()
        self.assertEqual((x, y, width), (0, 0, screen_w), "maximised")
        self.assertLessEqual(height, screen_h, "above the taskbar")

        # A page's new window goes to the default browser, a file: link nowhere.
        click(main, *self.page_point(main, 0.25))
        click(main, *self.page_point(main, 0.75))
        self.assertTrue(wait_until(lambda: os.path.getsize(self.browser_record) > 0, 20))
        time.sleep(2)
        with open(self.browser_record) as f:
            self.assertEqual(f.read().split(), [self.site.base + "/elsewhere"])

        # DDE from another process: a second tab, and a minimised window restored.
        subprocess.run(["xdotool", "windowminimize", "--sync", main], check=False)
        sent = subprocess.run(["wine", ARGS.dde_send, os.path.splitext(os.path.basename(ARGS.exe))[0],
                               "TavrinDDE", self.site.base + "/event/"], env=wine_env(ARGS.prefix))
        self.assertEqual(sent.returncode, 0, "the DDE command was refused")
        self.assertTrue(wait_until(lambda: self.site.seen("/event/"), 20), "no tab for the DDE address")
        self.assertTrue(wait_until(lambda: visible_windows(MAIN), 10), "not restored")

        # F10 hides and shows.
        key(main, "F10")
        self.assertTrue(wait_until(lambda: not visible_windows(MAIN), 10), "F10 did not hide")
        key(main, "F10")
        self.assertTrue(wait_until(lambda: visible_windows(MAIN), 10), "F10 did not show")

        # "清除缓存" from the program menu keeps the cookie: the reload still sends it.
        x, y, width, height = geometry(main)
        click(main, width - 1825 // 15 + 12, 9)
        key(main, "Down", "Down", "Down", "Return")
        message = wait_until(lambda: visible_windows("缓存清理"), 20)
        self.assertTrue(message, "no message after clearing")
        key(message[0], "Return")
        before = len(self.site.seen("/event/"))
        click(main, width - 1825 // 15 + 12, 9)
        key(main, "Down", "Return")  # 刷新(F5)
        self.assertTrue(wait_until(lambda: len(self.site.seen("/event/")) > before, 20), "no reload")
        self.assertIn("session=alive", self.site.seen("/event/")[-1])

        # A close request asks: "否" keeps it, "是" ends the program.
        self.ask_close(main, "否")
        time.sleep(1)
        self.assertEqual(visible_windows(DIALOG), [])
        self.assertTrue(visible_windows(MAIN), "否 closed the window")
        self.assertIsNone(self.proc.poll())
        self.ask_close(main, "是")
        self.assertEqual(self.proc.wait(timeout=30), 0)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--login-url", required=True)
    parser.add_argument("--dde-send", required=True, help="DdeSend.exe of the same build")
    parser.add_argument("--login-window", default="Form1", help="title of the login browser window")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
