#!/usr/bin/env python3
"""From the login page to the game window and out again: the client built with the
preview engine under Wine, against pages served at the address it was built with.

The preview engine shows a page's title on top and each link as a push button; a
long caption keeps every button on a row of its own. Run it under
`flock /tmp/tavrin-ports.lock`: it serves on the compiled-in login port.
"""
import argparse
import http.server
import os
import subprocess
import sys
import tempfile
import threading
import unittest
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from test_startup import forget_stale_manifest  # noqa: E402
from desktop import (EXIT_QUESTION, LOGIN, LOGIN_PAGE, MAIN, SPLASH, TAB_PAGE, button_edge, button_row,  # noqa: E402
                     click, close_button, exit_answer, exit_code, focused, geometry, iconic, key, launch, menu_button,
                     minimise_button, run, screen_pixel_reader, screen_size, stacking, visible_class, visible_windows,
                     wait_until, wine_env)

ARGS = None
TRAY = "Wine System Tray"
WIDE = "-" * 400  # wider than any page: the next button starts a new row


class Site:
    """The operator's game host: the login page sets a cookie and offers the game; the
    game page offers a web page in a new window and a file: link in a new window."""

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
                data = body.encode("utf-8")
                self.send_response(200)
                for name, value in headers + [("Content-Type", "text/html; charset=utf-8"),
                                              ("Content-Length", str(len(data)))]:
                    self.send_header(name, value)
                self.end_headers()
                self.wfile.write(data)

        self.server = http.server.ThreadingHTTPServer((self.url.hostname, self.url.port), Handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def page(self, path):
        if path.startswith(self.url.path):
            return ('<html><head><title>Drelmoor2 登录</title></head><body>'
                    '<a href="app://loadgame|%s/game/">进入游戏</a></body></html>' % self.base,
                    [("Set-Cookie", "session=alive; Max-Age=3600; Path=/")])
        if path.startswith("/game/"):
            return ('<html><head><title>Drelmoor2 游戏</title></head><body>'
                    '<a target="_blank" href="%s/elsewhere">web %s</a>'
                    '<a target="_blank" href="file:///C:/windows/win.ini">file %s</a>'
                    '</body></html>' % (self.base, WIDE, WIDE), [])
        return "<html><head><title>活动</title></head><body></body></html>", []

    def seen(self, path):
        return [cookie for p, cookie in self.requests if p == path]

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def running(prefix, *names):
    """Whether a process of the prefix runs with one of the names in its command line."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                command = f.read().decode(errors="replace")
            with open("/proc/%s/environ" % pid, "rb") as f:
                environment = f.read().decode(errors="replace").split("\0")
        except OSError:
            continue
        if "WINEPREFIX=" + prefix in environment and any(name in command for name in names):
            return True
    return False


def record_default_browser(test):
    """Makes Wine's default browser a script that writes each address it is given to a
    file, and returns the file's path."""
    record = tempfile.NamedTemporaryFile(prefix="tavrin-browser-", delete=False)
    record.close()
    browser = record.name + ".sh"
    with open(browser, "w") as f:
        f.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % record.name)
    os.chmod(browser, 0o755)
    test.addCleanup(lambda: [os.path.exists(p) and os.unlink(p) for p in (browser, record.name)])
    subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers", "/d", browser,
                    "/f"], env=wine_env(ARGS.prefix), capture_output=True, check=True)
    return record.name


class GameTest(unittest.TestCase):
    def setUp(self):
        self.site = Site(ARGS.login_url)
        self.addCleanup(self.site.stop)
        self.browser_record = record_default_browser(self)
        forget_stale_manifest(ARGS.prefix)
        self.proc = launch(["wine", ARGS.exe], wine_env(ARGS.prefix), self)

    def open_game(self):
        login = wait_until(lambda: visible_windows(LOGIN), 60)
        self.assertTrue(login, "the login screen did not appear")
        background = visible_windows(MAIN)  # the login background shares the main caption
        click(login[0], *button_row(LOGIN_PAGE, 0))
        main = wait_until(lambda: [w for w in visible_windows(MAIN) if w not in background], 30)
        self.assertTrue(main, "the game window did not appear")
        self.assertTrue(wait_until(lambda: visible_windows(MAIN) == main and not visible_windows(LOGIN), 10),
                        "both login windows closed")
        self.assertTrue(wait_until(lambda: self.site.seen("/game/"), 30), "the game page was not loaded")
        return main[0]

    def test_from_login_to_game_and_out(self):
        main = self.open_game()
        x, y, width, height = geometry(main)
        screen_w, screen_h = screen_size()
        self.assertEqual((x, y, width), (0, 0, screen_w), "maximised")
        self.assertLessEqual(height, screen_h, "above the taskbar")
        # With no X tray, Wine shows its own window of tray icons, only while there are some.
        self.assertTrue(wait_until(lambda: visible_windows(TRAY), 10), "no tray icon")
        # The page is shown once its second button's edge is drawn, unlike the empty pane below.
        def drawn():
            pixel = screen_pixel_reader()
            return pixel(*button_edge(TAB_PAGE, 1)) != pixel(*button_edge(TAB_PAGE, 3))

        self.assertTrue(wait_until(drawn, 20), "the game page was not shown")

        # A page's new window goes to the default browser, a file: link nowhere. The file: link
        # goes first: whatever it started has started before the web page's browser.
        click(main, *button_row(TAB_PAGE, 1))
        click(main, *button_row(TAB_PAGE, 0))
        self.assertTrue(wait_until(lambda: os.path.getsize(self.browser_record) > 0, 20), "no browser")
        self.assertTrue(wait_until(lambda: not running(ARGS.prefix, "winebrowser", self.browser_record), 20))
        with open(self.browser_record) as f:
            self.assertEqual(f.read().split(), [self.site.base + "/elsewhere"])

        # DDE from another process reaches a minimised window: a second tab, and the window
        # restored. (With no window manager a minimised window stays mapped.)
        click(main, *minimise_button(width))
        self.assertTrue(wait_until(lambda: iconic(main), 20), "not minimised")
        service = os.path.splitext(os.path.basename(ARGS.exe))[0]
        sent = run(["wine", ARGS.dde_send, service, "TavrinDDE", self.site.base + "/event/"],
                   wine_env(ARGS.prefix), 60)
        self.assertEqual(sent, 0, "the DDE command was refused")
        self.assertTrue(wait_until(lambda: self.site.seen("/event/"), 20), "no tab for the DDE address")
        self.assertTrue(wait_until(lambda: not iconic(main), 20), "not restored")

        # Anything but a web address of at most 2,048 characters is answered "not processed"
        # (DdeSend's 1) and opens nothing; the client runs on.
        long_url = self.site.base + "/long/" + "a" * 100000
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False, encoding="utf-8") as f:
            f.write(long_url)
        self.addCleanup(os.unlink, f.name)
        for command in ("file:///C:/windows/win.ini", "javascript:alert(1)", "@Z:" + f.name.replace("/", "\\")):
            refused = run(["wine", ARGS.dde_send, service, "TavrinDDE", command], wine_env(ARGS.prefix), 60)
            self.assertEqual(refused, 1, command[:40])
        self.assertIsNone(self.proc.poll(), "the client ended")
        self.assertFalse([p for p, _ in self.site.requests if p.startswith("/long/")], "a tab for the long string")

        # F10 hides and shows.
        key(main, "F10")
        self.assertTrue(wait_until(lambda: not visible_windows(MAIN), 10), "F10 did not hide")
        # A hidden window takes no focus: the key goes in through another program's window.
        other = launch(["wine", "notepad"], wine_env(ARGS.prefix), self)
        notepad = wait_until(lambda: visible_class("notepad"), 30)
        self.assertTrue(notepad, "no other program's window")
        key(notepad[0], "F10")
        self.assertTrue(wait_until(lambda: visible_windows(MAIN), 10), "F10 did not show")
        other.kill()
        other.wait()

        # A close request asks: Esc, then "否", keeps the window and its tabs.
        self.ask_close(width, typed="Escape")
        self.assertTrue(wait_until(lambda: not visible_windows(EXIT_QUESTION), 10), "Esc gave no answer")
        self.assertTrue(visible_windows(MAIN), "Esc closed the window")
        self.assertIsNone(self.proc.poll())
        self.ask_close(width, "否")
        self.assertTrue(wait_until(lambda: not visible_windows(EXIT_QUESTION), 10))
        self.assertTrue(visible_windows(MAIN), "否 closed the window")
        self.assertIsNone(self.proc.poll())

        # "清除缓存" from the program menu keeps the cookie: the selected tab's reload still
        # sends it, which also shows the tab survived the question.
        tool = menu_button(width)
        click(main, *tool)
        key(main, "Down", "Down", "Down", "Return")
        message = wait_until(lambda: visible_windows("缓存清理"), 20)
        self.assertTrue(message, "no message after clearing")
        key(message[0], "Return")
        before = len(self.site.seen("/event/"))
        click(main, *tool)
        key(main, "Down", "Return")  # 刷新(F5)
        self.assertTrue(wait_until(lambda: len(self.site.seen("/event/")) > before, 20), "no reload")
        self.assertIn("session=alive", self.site.seen("/event/")[-1])

        # Enter on "是", which has the keyboard when the question shows, ends the program.
        self.ask_close(width, typed="Return")
        self.assertEqual(exit_code(self.proc, 30), 0)
        self.assertTrue(wait_until(lambda: not visible_windows(TRAY), 10), "the tray icon stayed")

    def test_one_client_a_second_start_brings_it_forward_and_a_log_off_ends_it_quietly(self):
        login = wait_until(lambda: visible_windows(LOGIN), 60)
        self.assertTrue(login, "the login screen did not appear")
        background = visible_windows(MAIN)
        self.start_again_behind_notepad(login + background, LOGIN)

        main = self.open_game()
        key(main, "F10")
        self.assertTrue(wait_until(lambda: not visible_windows(MAIN), 10), "F10 did not hide")
        self.start_again_behind_notepad([main], MAIN)

        # A log-off asks nothing: yes within 2 seconds, then a quiet end.
        ending = run(["wine", ARGS.stand_in, "/end-session " + MAIN], wine_env(ARGS.prefix), 60)
        self.assertEqual(ending, 0, "WM_QUERYENDSESSION answered yes in time")
        self.assertEqual(visible_windows(EXIT_QUESTION), [], "no question")
        self.assertEqual(exit_code(self.proc, 20), 0)
        self.assertTrue(wait_until(lambda: not visible_windows(TRAY), 10), "the tray icon stayed")

    def start_again_behind_notepad(self, ours, active):
        """With another program in front, starts the client again: that start ends by itself,
        and the one client's windows (`ours`, the same and no more) come in front, the one
        captioned `active` the foreground window."""
        other = launch(["wine", "notepad"], wine_env(ARGS.prefix), self)
        notepad = wait_until(lambda: visible_class("notepad"), 30)
        self.assertTrue(notepad, "no other program's window")
        subprocess.run(["xdotool", "windowfocus", "--sync", notepad[0]], check=False)

        def state():  # the focus, our windows' places from the top, notepad's
            stack = stacking()
            return focused(), [stack.index(w) for w in ours], stack.index(notepad[0])

        def ours_foreground():  # as Windows sees it
            return run(["wine", ARGS.stand_in, "/foreground " + active], wine_env(ARGS.prefix), 60) == 0

        def notepad_in_front():  # above those of ours that show
            shown = visible_windows(LOGIN) + visible_windows(MAIN)
            focus, mine, theirs = state()
            return focus == notepad[0] and all(p > theirs for w, p in zip(ours, mine) if w in shown) \
                and not ours_foreground()

        def ours_in_front():  # and above notepad as X shows it
            _, mine, theirs = state()
            return all(place < theirs for place in mine) and ours_foreground()

        self.assertTrue(wait_until(notepad_in_front, 10), "notepad in front: %s" % (state(),))
        second = launch(["wine", ARGS.exe], wine_env(ARGS.prefix), self)
        self.assertEqual(exit_code(second, 20), 0, "the second start ended by itself")
        self.assertEqual(visible_windows(SPLASH), [], "no second splash")
        self.assertTrue(wait_until(ours_in_front, 10), "the client did not come in front: %s" % (state(),))
        self.assertEqual(sorted(visible_windows(LOGIN) + visible_windows(MAIN)), sorted(ours), "one client")
        other.kill()
        other.wait()

    def ask_close(self, width, answer=None, typed=None):
        """Clicks the window's close button and answers the question: clicks the answer's
        button, or types the key."""
        click(visible_windows(MAIN)[0], *close_button(width))
        dialog = wait_until(lambda: visible_windows(EXIT_QUESTION), 20)
        self.assertTrue(dialog, "no exit question")
        if typed:
            key(dialog[0], typed)
        else:
            click(dialog[0], *exit_answer(answer))


class Foreign:
    """Another host, not the operator's: the login port on 127.0.0.2. Its advert frame
    aims the operator's commands, and a page of its own, at the top window."""

    def __init__(self, port, site_base):
        self.requests = []
        self.base = "http://127.0.0.2:%d" % port
        advert = ('<html><head><title>广告</title></head><body>'
                  '<a target="_top" href="app://exitgame">exit %s</a>'
                  '<a target="_top" href="app://loadgame|%s/game/">game %s</a>'
                  '<a target="_top" href="%s/elsewhere">away %s</a>'
                  '</body></html>' % (WIDE, site_base, WIDE, self.base, WIDE)).encode("utf-8")
        foreign = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def do_GET(self):
                foreign.requests.append(self.path)
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(advert)))
                self.end_headers()
                self.wfile.write(advert)

        self.server = http.server.ThreadingHTTPServer(("127.0.0.2", port), Handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


class TrustSite(Site):
    """The login page: a link whose query holds a command, a load command to a foreign
    host, the foreign advert frame and a frame of the operator's own offering
    "app://exitgame". The link leads to the same page without the advert frame."""

    def __init__(self, login_url, foreign):
        self.foreign = foreign
        super().__init__(login_url)

    def page(self, path):
        if path.startswith("/own/"):
            return ('<html><head><title>自己</title></head><body>'
                    '<a href="app://exitgame">exit %s</a></body></html>' % WIDE, [])
        if path.startswith(self.url.path):
            advert = "" if "?" in path else '<iframe src="%s/frame/"></iframe>' % self.foreign.base
            return ('<html><head><title>Drelmoor2 登录</title></head><body>'
                    '<a href="%snext?r=app://minimize">query %s</a>'
                    '<a href="app://loadgame|%s/game/">foreign game %s</a>'
                    '%s<iframe src="/own/"></iframe>'
                    '</body></html>' % (self.url.path, WIDE, self.foreign.base, WIDE, advert), [])
        return super().page(path)


class TrustTest(unittest.TestCase):
    """Only pages whose every document is the operator's command the client."""

    def setUp(self):
        login = urllib.parse.urlsplit(ARGS.login_url)
        self.foreign = Foreign(login.port, "%s://%s" % (login.scheme, login.netloc))
        self.addCleanup(self.foreign.stop)
        self.site = TrustSite(ARGS.login_url, self.foreign)
        self.addCleanup(self.site.stop)
        self.browser_record = record_default_browser(self)
        forget_stale_manifest(ARGS.prefix)
        self.proc = launch(["wine", ARGS.exe], wine_env(ARGS.prefix), self)

    def test_an_advert_frame_commands_nothing_and_silences_the_page_the_operators_page_commands(self):
        login = wait_until(lambda: visible_windows(LOGIN), 60)
        self.assertTrue(login, "the login screen did not appear")
        self.assertTrue(wait_until(lambda: self.site.seen("/own/") and "/frame/" in self.foreign.requests, 30),
                        "the frames did not load")
        page = LOGIN_PAGE
        advert = (page[0] + 9, page[1] + 95)  # below the title and two rows, inside a border
        own = (advert[0], advert[1] + 128 + 6)  # below the advert's title and three rows

        # Posted work runs before the next input, so each click is taken in turn.
        click(login[0], *button_row(advert, 0))  # top: app://exitgame
        click(login[0], *button_row(advert, 1))  # top: app://loadgame| the operator's game
        click(login[0], *button_row(advert, 2))  # top: a foreign page
        click(login[0], *button_row(own, 0))  # app://exitgame, on a page with an advert
        click(login[0], *button_row(page, 1))  # app://loadgame| a foreign address
        self.assertTrue(wait_until(lambda: os.path.getsize(self.browser_record) > 0, 20),
                        "the foreign page the player clicked did not go to the default browser")
        with open(self.browser_record) as f:
            self.assertEqual(f.read().split(), [self.foreign.base + "/elsewhere"])
        requests = len(self.site.requests)
        click(login[0], *button_row(page, 0))  # a query holding app://minimize: the page without the advert
        query = self.site.url.path + "next?r=app://minimize"
        self.assertTrue(wait_until(lambda: self.site.seen(query), 30), "the link did not navigate")
        self.assertTrue(wait_until(lambda: len(self.site.seen("/own/")) >= 2, 30), "the page did not reload")
        self.assertIsNone(self.proc.poll(), "the advert ended the program")
        self.assertEqual(visible_windows(LOGIN), login, "the login screen stays")
        self.assertEqual(len(visible_windows(MAIN)), 1, "the login background only, no game window")
        self.assertEqual(self.site.seen("/game/"), [], "no game from the advert")
        self.assertEqual([p for p in self.foreign.requests if p != "/frame/"], [], "nothing else of the foreign host")
        self.assertGreater(len(self.site.requests), requests)

        own = advert  # no advert now: the operator's frame takes its place
        click(login[0], *button_row(own, 0))  # app://exitgame from the operator's frame
        self.assertEqual(exit_code(self.proc, 30), 0, "the operator's command ends the program")
        self.assertEqual(visible_windows(LOGIN), [])


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--login-url", required=True)
    parser.add_argument("--dde-send", required=True, help="DdeSend.exe of the same build")
    parser.add_argument("--stand-in", required=True, help="StandInClient.exe, which ends a session")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
