#!/usr/bin/env python3
"""The end-to-end harness itself: a program that crashes fails the test that
waits on it within seconds, with its name, exit code and Wine's crash line,
instead of holding the run until its timeout."""
import argparse
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from desktop import ProgramCrashed, exit_code, launch, visible_windows, wait_until, wine_env  # noqa: E402

ARGS = None


class CrashReportTest(unittest.TestCase):
    def assert_reported(self, caught, started):
        self.assertLess(time.monotonic() - started, 10, "the crash was not seen at once")
        self.assertRegex(str(caught.exception), r"^CrashNow\.exe crashed with exit code \d+: wine: Unhandled page "
                         r"fault on execute access to 0+ ")

    def test_a_crash_ends_a_wait_for_a_window_at_once(self):
        started = time.monotonic()
        launch(["wine", ARGS.crash], wine_env(ARGS.prefix), self)
        with self.assertRaises(ProgramCrashed) as caught:
            wait_until(lambda: visible_windows("a window no program shows"), 60)
        self.assert_reported(caught, started)

    def test_a_crash_is_not_mistaken_for_an_exit_code(self):
        started = time.monotonic()
        proc = launch(["wine", ARGS.crash], wine_env(ARGS.prefix), self)
        with self.assertRaises(ProgramCrashed) as caught:
            exit_code(proc, 60)
        self.assert_reported(caught, started)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--crash", required=True, help="CrashNow.exe")
    parser.add_argument("--prefix", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
