#!/usr/bin/env python3
"""Each shipped executable starts, does its one thing and ends with the expected
code: the client on a machine that is offline, the updater with an empty
argument and with a one-file update. Run before the long layers."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import test_startup as startup  # noqa: E402
import test_update as update  # noqa: E402
from desktop import exit_code, run, visible_windows, wait_until, wine_env  # noqa: E402


class ClientSmokeTest(startup.ClientRun):
    def test_offline_shows_only_the_message_and_ends_after_ok(self):
        if subprocess.run(["unshare", "-n", "true"]).returncode != 0:
            self.fail("no network namespace can be made here (run as root)")
        # Wine asks its own services about the network: a prefix of its own
        # gives the namespace a Wine server of its own.
        prefix = tempfile.mkdtemp(prefix="tavrin-offline-")
        self.addCleanup(shutil.rmtree, prefix, True)
        shutil.copytree(startup.ARGS.prefix, prefix, symlinks=True, dirs_exist_ok=True)
        proc = self.start(prefix=prefix, offline=True)
        # A copied prefix's first Wine server starts its services afresh: slow on a busy machine.
        message = wait_until(lambda: visible_windows("提示"), 90)
        self.assertTrue(message, "the offline message did not appear")
        self.assertEqual(visible_windows("Form1"), [], "nothing else is shown")
        self.assertIsNone(proc.poll(), "the program waits for OK")
        update.answer(message[0], "Return")
        self.assertEqual(exit_code(proc, 30), 0)


class UpdaterSmokeTest(update.UpdateRun):
    def test_an_empty_argument_ends_at_once(self):
        self.assertEqual(run(["wine", update.ARGS.updater], wine_env(update.ARGS.prefix), 30), 1)
        self.assertFalse(self.started(), "nothing is opened")

    def test_a_one_file_update_lands_and_the_client_is_opened(self):
        self.write_manifest("/files/game.dll")
        trace = self.run_updater(answers=["Return"])
        self.assertTrue(update.shown(trace, update.SUCCESS))
        self.assertEqual(self.installed("game.dll"), self.new_dll)
        self.assertEqual(self.installed("client.exe"), self.old_exe)
        self.assertTrue(wait_until(self.started, 20), "client.exe was not opened")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--client", required=True)
    parser.add_argument("--updater", required=True)
    parser.add_argument("--stand-in", required=True)
    parser.add_argument("--prefix", required=True)
    args, rest = parser.parse_known_args()
    args.exe = args.client
    startup.ARGS = update.ARGS = args
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
