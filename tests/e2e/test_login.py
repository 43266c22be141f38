#!/usr/bin/env python3
"""The login screen of the built client under Wine, against the demo operator server.

--engine preview: the client built with the preview engine shows the login
screen; --engine ie: the shipped engine, which renders nothing under this
Wine, ends with the offline message. The demo ports are fixed: run it under
flock /tmp/tavrin-ports.lock.
"""
import argparse
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import test_startup as startup  # noqa: E402
from desktop import (exit_code, geometry, screen_pixel_reader, screen_settled, screen_size,  # noqa: E402
                     visible_windows, wait_until)

ARGS = None
SERVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "operator_server.py")
BACKGROUND = "Drelmoor2客户端"
LOGIN = "Fennoy客户端"
KEY_COLOUR = (254, 254, 254)


def owner_of(window):
    """The X window a window is transient for (Wine marks owned windows so), or None."""
    out = subprocess.run(["xprop", "-id", window, "WM_TRANSIENT_FOR"], capture_output=True, text=True).stdout
    return int(out.split("#")[1], 16) if "#" in out else None


class LoginRun(startup.ClientRun):
    engine = None

    def setUp(self):
        if ARGS.engine != self.engine:
            self.skipTest("needs the %s engine" % self.engine)
        super().setUp()

    def serve_demo(self, *options):
        server = subprocess.Popen([sys.executable, SERVER, "--demo", "--stdin-stop", *options],
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (server.stdin.close(), server.wait(timeout=10), server.stdout.close()))
        for _ in range(3):
            self.assertIn("http://", server.stdout.readline())

    def expect_offline_end(self, proc):
        message = wait_until(lambda: visible_windows("提示"), 60)
        self.assertTrue(message, "the offline message did not appear")
        self.assertEqual(visible_windows(BACKGROUND) + visible_windows(LOGIN), [], "no login screen")
        self.assertIsNone(proc.poll(), "the program waits for OK")
        subprocess.run(["xdotool", "windowfocus", "--sync", message[0]])
        subprocess.run(["xdotool", "key", "Return"])
        self.assertEqual(exit_code(proc, 30), 0)
        self.assertEqual(visible_windows("Form1"), [])


class PreviewLoginTest(LoginRun):
    engine = "preview"

    def test_both_login_windows_together_owned_see_through_and_the_splash_gone(self):
        subprocess.run(["xsetroot", "-solid", "#%02x%02x%02x" % startup.ROOT_COLOUR], check=True)
        self.serve_demo()
        proc = self.start()
        login = wait_until(lambda: visible_windows(LOGIN), 60)
        background = visible_windows(BACKGROUND)
        self.assertTrue(login and background, "the login screen did not appear")
        x, y, width, height = geometry(background[0])
        self.assertEqual((width, height), (1237, 696))
        self.assertEqual(geometry(login[0]), (x, y, 1237, 696), "the same left and top")
        self.assertEqual(owner_of(login[0]), int(background[0]), "owned by the background")
        self.assertTrue(wait_until(lambda: not visible_windows("Form1"), 10), "the splash is gone")

        self.assertTrue(wait_until(screen_settled((x, y, width, height)), 20, step=0.2), "still painting")
        pixel = screen_pixel_reader()
        screen_w, screen_h = screen_size()
        desktop = pixel(x + 1, y + 700) if y + 700 < screen_h else pixel(min(x + 1240, screen_w - 1), y + 1)
        # Key-coloured parts of the login window show what lies beneath: the
        # picture's see-through corner shows the desktop, its body the picture.
        self.assertEqual(pixel(x + 1, y + 1), desktop)
        self.assertNotIn(pixel(x + 100, y + 300), (KEY_COLOUR, desktop))
        self.assertNotIn(pixel(x + 250, y + 150), (KEY_COLOUR, desktop), "the moon")
        self.assertNotIn(pixel(x + 415 + 366, y + 179 + 212), (KEY_COLOUR, desktop), "the page")
        self.assertIsNone(proc.poll())

    def test_an_empty_login_page_gives_the_offline_message_and_the_end(self):
        self.serve_demo("--empty-login")
        self.expect_offline_end(self.start())


class ShippedEngineTest(LoginRun):
    engine = "ie"

    def test_splash_then_the_offline_message_then_the_end_after_ok(self):
        self.serve_demo()
        proc = self.start()
        self.assertTrue(wait_until(lambda: visible_windows("Form1") or visible_windows("提示"), 30))
        self.assertTrue(visible_windows("Form1"), "the splash comes first")
        self.expect_offline_end(proc)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--engine", choices=("ie", "preview"), required=True)
    ARGS, rest = parser.parse_known_args()
    startup.ARGS = ARGS
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
