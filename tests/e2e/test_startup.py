#!/usr/bin/env python3
"""The built client started under Wine the way a player starts it, watched on the X display."""
import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from desktop import (exit_code, geometry, launch, screen_pixel_reader, screen_size, visible_windows,  # noqa: E402
                     wait_until, wine_env)

ARGS = None
SERVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "operator_server.py")
ROOT_COLOUR = (0, 255, 0)


def temp_folder(prefix):
    """The Windows temporary folder of the prefix's user, as a Unix path."""
    found = glob.glob(os.path.join(prefix, "drive_c", "users", "*", "Temp"))
    found = [f for f in found if not f.split(os.sep)[-2] == "Public"]
    return found[0]


def forget_stale_manifest(prefix):
    """A manifest another test left would be read at the next start, and might offer an update."""
    stale = os.path.join(temp_folder(prefix), "update.txt")
    if os.path.exists(stale):
        os.unlink(stale)


def windows_path(unix_path):
    return "Z:" + unix_path.replace("/", "\\")


class ClientRun(unittest.TestCase):
    def setUp(self):
        forget_stale_manifest(ARGS.prefix)

    def start(self, *arguments, prefix=None, offline=False):
        command = ["wine", ARGS.exe, *arguments]
        if offline:
            # Wine asks its own service processes about the network, so the
            # whole Wine, server included, runs inside the empty namespace.
            command = ["unshare", "-n", "sh", "-c", '"$@"; code=$?; wineserver -k; exit $code', "sh", *command]
        return launch(command, wine_env(prefix or ARGS.prefix), self)


class StartupTest(ClientRun):
    # The offline start is the client's smoke test: tests/e2e/test_smoke.py.

    def test_web_switch_opens_the_maker_site_and_shows_no_window(self):
        record = tempfile.NamedTemporaryFile(prefix="tavrin-browser-", delete=False)
        record.close()
        os.unlink(record.name)
        browser = record.name + ".sh"
        with open(browser, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s" "$1" > "%s"\n' % record.name)
        os.chmod(browser, 0o755)
        self.addCleanup(lambda: [os.path.exists(p) and os.unlink(p) for p in (browser, record.name)])
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers",
                        "/d", browser, "/f"], env=wine_env(ARGS.prefix), capture_output=True, check=True)

        proc = self.start("/web")
        seen = []
        while proc.poll() is None:
            seen += visible_windows("Form1")
            time.sleep(0.05)
        self.assertEqual(exit_code(proc, 0), 0)
        self.assertEqual(seen, [], "no window of the program is shown")
        self.assertTrue(wait_until(lambda: os.path.exists(record.name) and os.path.getsize(record.name), 20),
                        "no browser was started")
        with open(record.name) as f:
            self.assertEqual(f.read(), ARGS.maker_url)

    def test_splash_takes_the_pictures_size_centred_with_see_through_corners(self):
        subprocess.run(["xsetroot", "-solid", "#%02x%02x%02x" % ROOT_COLOUR], check=True)
        proc = self.start()
        splash = wait_until(lambda: visible_windows("Form1"), 30)
        self.assertTrue(splash, "the splash did not appear")
        x, y, width, height = geometry(splash[0])
        self.assertEqual((width, height), (356, 122))
        screen_w, screen_h = screen_size()
        self.assertLessEqual(abs(x + width // 2 - screen_w // 2), 1)
        self.assertLessEqual(abs(y + height // 2 - screen_h // 2), 1)
        def painted():  # once its middle hides the desktop
            pixel = screen_pixel_reader()
            return pixel if pixel(x + width // 2, y + height // 2) != ROOT_COLOUR else None

        pixel = wait_until(painted, 10)
        self.assertTrue(pixel, "the splash was not painted")
        self.assertEqual(pixel(x, y), ROOT_COLOUR, "transparent corner shows the desktop")
        self.assertEqual(pixel(x + width - 1, y + height - 1), ROOT_COLOUR)
        self.assertIsNone(proc.poll(), "the splash stays while the login screen loads")

    def test_other_arguments_start_the_client_normally(self):
        for arguments in (["/WEB"], ["/web", "extra"]):
            proc = self.start(*arguments)
            # The splash, or the offline message once the login page fails: a normal start.
            self.assertTrue(wait_until(lambda: visible_windows("Form1") or visible_windows("提示"), 30), arguments)
            proc.kill()
            proc.wait()
            wait_until(lambda: not visible_windows("Form1") and not visible_windows("提示"), 10)


class UpdateAtStartTest(ClientRun):
    """The operator's manifest, served where the client was built to look."""

    def setUp(self):
        super().setUp()
        url = urllib.parse.urlsplit(ARGS.manifest_url)
        self.root = tempfile.mkdtemp(prefix="tavrin-manifest-")
        self.addCleanup(shutil.rmtree, self.root, True)
        self.manifest = os.path.join(self.root, url.path.lstrip("/"))
        os.makedirs(os.path.dirname(self.manifest))
        server = subprocess.Popen([sys.executable, SERVER, "--root", self.root, "--host", url.hostname,
                                   "--port", str(url.port), "--stdin-stop"],
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (server.stdin.close(), server.wait(timeout=10), server.stdout.close()))
        self.assertIn("listening", server.stdout.readline())

    def serve_version(self, version):
        with open(self.manifest, "wb") as f:
            f.write(b"[update]\r\nversion=%s\r\nfile=http://127.0.0.1/none.exe\r\n" % version)

    def offer(self):
        return wait_until(lambda: visible_windows("提示"), 30)

    def answer(self, window, key):
        subprocess.run(["xdotool", "windowfocus", "--sync", window])
        subprocess.run(["xdotool", "key", key])

    def test_the_same_version_starts_without_a_question(self):
        self.serve_version(b"1.1.0")
        self.start()

        def first_shown():
            # The splash is checked first: a question never shares the screen
            # with it, the offline message of a page that fails later may.
            return next((name for name in ("Form1", "提示") if visible_windows(name)), None)

        self.assertEqual(wait_until(first_shown, 30), "Form1", "no question before the splash")

    def test_no_to_the_offer_carries_on_to_the_splash(self):
        self.serve_version(b"2.0.0")
        self.start()
        offer = self.offer()
        self.assertTrue(offer, "no offer")
        self.assertEqual(visible_windows("Form1"), [], "the offer comes before the splash")
        self.answer(offer[0], "n")
        self.assertTrue(wait_until(lambda: visible_windows("Form1"), 30))

    # Yes to the offer starts the real updater: tests/e2e/test_update.py, WholeRoadTest.


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--maker-url", required=True)
    parser.add_argument("--manifest-url", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
