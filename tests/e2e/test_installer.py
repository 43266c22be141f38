#!/usr/bin/env python3
"""The players' setup under Wine, in a fresh prefix of its own whose home
folder (the desktop's) is its own too: silent install, the installed client
started from the shortcut, a setup and an uninstaller refused while it runs,
a newer setup over the install, a silent uninstall; and the signatures, off
in the build and on in a side build with a certificate made here."""
import argparse
import glob
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from desktop import launch, run, visible_windows, wait_until, wine_env  # noqa: E402
from test_startup import temp_folder  # noqa: E402
from test_update import Operator  # noqa: E402

ARGS = None
HERE = os.path.dirname(os.path.abspath(__file__))
KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall"
EXIT_RUNNING = 3
EXIT_UNFINISHED = 4
VALUES = ("DisplayName", "DisplayVersion", "DisplayIcon", "Publisher", "InstallLocation", "UninstallString",
          "QuietUninstallString", "EstimatedSize", "NoModify", "NoRepair")


def say(*lines):
    """What the closing note quotes: commands, exit codes, listings, values."""
    print("\n".join(lines), flush=True)


def u32(data, offset):
    return int.from_bytes(data[offset : offset + 4], "little")


def shortcut_target(path):
    """The local path a .lnk file points at (its LinkInfo's base path)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"L\0\0\0":
        raise AssertionError("not a shell link: " + path)
    flags, pos = u32(data, 20), 76
    if flags & 1:  # an item id list comes first
        pos += 2 + int.from_bytes(data[pos : pos + 2], "little")
    if not flags & 2:
        raise AssertionError("no link information: " + path)
    info = data[pos:]
    if not u32(info, 8) & 1:
        raise AssertionError("no local path: " + path)
    if u32(info, 4) >= 0x24:
        start = u32(info, 28)
        return info[start : info.index(b"\0\0", start) + 1].decode("utf-16-le")
    start = u32(info, 16)
    return info[start : info.index(b"\0", start)].decode("mbcs" if os.name == "nt" else "latin-1")


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def end_server(env):
    """Stops the prefix's Wine server and waits until it has exited."""
    subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=env, stderr=subprocess.DEVNULL)


class SetupRun(unittest.TestCase):
    """A fresh prefix per class, its Wine server ended with it."""

    @classmethod
    def setUpClass(cls):
        cls.prefix = ARGS.prefix + "-" + cls.__name__.lower()
        # A server of an earlier run saves the registry as it goes: it must be
        # gone before the prefix is made anew.
        end_server(wine_env(cls.prefix))
        shutil.rmtree(cls.prefix, True)
        cls.home = cls.prefix + "-home"
        shutil.rmtree(cls.home, True)
        os.makedirs(cls.home)
        cls.env = wine_env(cls.prefix, cls.home)
        subprocess.run([os.path.join(HERE, "..", "wine", "boot-prefix.sh"), cls.prefix, ARGS.bits], env=cls.env,
                       check=True)
        users = [u for u in glob.glob(os.path.join(cls.prefix, "drive_c", "users", "*")) if not u.endswith("Public")]
        cls.profile = users[0]
        cls.user = os.path.basename(cls.profile)

    @classmethod
    def tearDownClass(cls):
        end_server(cls.env)

    def unix(self, windows_path):
        """C:\\users\\NAME\\... as a path of the prefix (the desktop as Wine links it)."""
        self.assertTrue(windows_path.upper().startswith("C:\\"), windows_path)
        return os.path.realpath(os.path.join(self.prefix, "drive_c", *windows_path[3:].split("\\")))

    def default_folder(self):
        return "C:\\users\\%s\\AppData\\Local\\Programs\\%s" % (self.user, ARGS.title)

    def start_menu_link(self):
        return os.path.join(self.profile, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs",
                            ARGS.title + ".lnk")

    def desktop_link(self):
        return os.path.join(os.path.realpath(os.path.join(self.profile, "Desktop")), ARGS.title + ".lnk")

    def run_program(self, *command):
        code = run(["wine", *command], self.env, 180)
        say("$ wine " + " ".join(command), "exit code %d" % code)
        return code

    def query(self, *arguments):
        result = subprocess.run(["wine", "reg", "query", *arguments], env=self.env, capture_output=True, text=True)
        return result.returncode, result.stdout.replace("\r", "")

    def uninstall_values(self):
        """The setup's uninstall entry (None without one), and how many entries name the game."""
        named = self.query(KEY, "/s")[1].count("    DisplayName    REG_SZ    %s\n" % ARGS.title)
        code, out = self.query(KEY + "\\" + ARGS.code)
        if code != 0:
            return None, named
        values = {}
        for line in out.split("\n")[1:]:
            parts = line.strip().split("    ", 2)
            if len(parts) == 3:
                values[parts[0]] = int(parts[2], 16) if parts[1] == "REG_DWORD" else parts[2]
        return values, named

    def state(self, folder, updater_files=True):
        """What a setup may change: the folder's files (the updater's own
        names left out when it works there), the shortcuts, the entry."""
        files = {}
        if os.path.isdir(folder):
            for name in sorted(os.listdir(folder)):
                if not updater_files and (".tavrin-" in name or name.startswith("tavrin-write-probe")):
                    continue
                path = os.path.join(folder, name)
                files[name] = (os.stat(path).st_mtime_ns, digest(path))
        links = {p: digest(p) for p in (self.start_menu_link(), self.desktop_link()) if os.path.exists(p)}
        return files, links, self.uninstall_values()

    def listing(self, folder):
        out = subprocess.run(["ls", "-l", "--time-style=+", folder], capture_output=True, text=True).stdout
        say("$ ls -l " + folder, out.rstrip())

    def show_values(self):
        out = self.query(KEY + "\\" + ARGS.code)[1]
        say("$ wine reg query %s\\%s" % (KEY, ARGS.code), out.strip() or "(no such key)")

    def assert_unsigned_or_verified(self, path, signed, ca=None):
        command = ["osslsigncode", "verify", "-in", path] + (["-CAfile", ca] if ca else [])
        result = subprocess.run(command, capture_output=True, text=True)
        say("$ osslsigncode verify %s: exit code %d" % (os.path.basename(path), result.returncode))
        if signed:
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
            self.assertRegex(result.stdout, r"(?i)digest algorithm *: *sha256")
        else:
            self.assertNotEqual(result.returncode, 0)
            self.assertIn("No signature found", result.stdout + result.stderr)


class InstallTest(SetupRun):
    def test_install_run_refuse_upgrade_and_uninstall(self):
        folder_w = self.default_folder()
        folder = self.unix(folder_w)
        # A silent install into the default folder.
        self.assertEqual(self.run_program(ARGS.setup, "/S"), 0)
        self.listing(folder)
        self.show_values()
        self.assertEqual(sorted(os.listdir(folder)), ["Tavrin.exe", "Uninstall.exe"])
        self.assertEqual(digest(os.path.join(folder, "Tavrin.exe")), digest(ARGS.client))
        client_w = folder_w + "\\Tavrin.exe"
        for link in (self.start_menu_link(), self.desktop_link()):
            self.assertTrue(os.path.exists(link), link)
            self.assertEqual(shortcut_target(link), client_w, link)
        values, named = self.uninstall_values()
        uninstaller = '"%s\\Uninstall.exe"' % folder_w
        size = sum(os.path.getsize(os.path.join(folder, n)) for n in os.listdir(folder))
        self.assertEqual(values, {
            "DisplayName": ARGS.title, "DisplayVersion": ARGS.version, "DisplayIcon": client_w + ",0",
            "Publisher": ARGS.publisher, "InstallLocation": folder_w, "UninstallString": uninstaller,
            "QuietUninstallString": uninstaller + " /S", "EstimatedSize": size // 1024, "NoModify": 1,
            "NoRepair": 1})
        self.assertEqual(named, 1)
        # The build signs nothing without a certificate.
        for path in (ARGS.updater, ARGS.client, ARGS.setup, os.path.join(folder, "Uninstall.exe")):
            self.assert_unsigned_or_verified(path, signed=False)

        # The installed client, from the shortcut's target, shows its splash;
        # meanwhile neither the setup nor the uninstaller changes anything.
        client = launch(["wine", shortcut_target(self.start_menu_link())], self.env, self)
        self.assertTrue(wait_until(lambda: visible_windows("Form1"), 60), "the splash did not appear")
        before = self.state(folder)
        self.assertEqual(self.run_program(ARGS.setup, "/S"), EXIT_RUNNING)
        self.assertEqual(self.state(folder), before)
        self.assertEqual(self.run_program(os.path.join(folder, "Uninstall.exe"), "/S", "_?=" + folder_w),
                         EXIT_RUNNING)
        self.assertEqual(self.state(folder), before)
        client.kill()
        client.wait()

        # While an update works on the folder (its updater downloading from a
        # server that answers nothing), the setup changes nothing either.
        server = Operator(self)
        with open(os.path.join(temp_folder(self.prefix), "update.txt"), "w") as f:
            f.write("version=1.2.0\r\n0|%s/mute/Tavrin.exe?hold=60\r\n" % server.url)
        updater = launch(["wine", ARGS.updater, "%s|%s" % (folder_w, client_w)], self.env, self)
        self.assertTrue(wait_until(lambda: visible_windows("更新"), 60), "no updater window")
        before = self.state(folder, updater_files=False)
        self.assertEqual(self.run_program(ARGS.setup, "/S"), EXIT_RUNNING)
        self.assertEqual(self.state(folder, updater_files=False), before)
        updater.kill()
        updater.wait()

        # An update cut short: a journal the client's recovery cannot read
        # stops the setup, which changes nothing; one it can settle, it
        # settles before the newer setup below installs.
        journal = os.path.join(folder, "update.tavrin-journal")
        with open(journal, "wb") as f:
            f.write("tavrin-journal 9\nreplace|Tavrin.exe\nend\n".encode("utf-16-le"))
        before = self.state(folder)
        self.assertEqual(self.run_program(ARGS.setup, "/S"), EXIT_UNFINISHED)
        self.assertEqual(self.state(folder), before)
        with open(journal, "wb") as f:
            f.write("tavrin-journal 1\nadd|Tavrin.exe\nend\n".encode("utf-16-le"))

        # A newer setup, carrying another client, over the install.
        work = tempfile.mkdtemp(prefix="tavrin-setup-")
        self.addCleanup(shutil.rmtree, work, True)
        newer = os.path.join(work, "%s-1.2.0-setup.exe" % ARGS.title)
        subprocess.run([ARGS.makensis, "-V2", "-INPUTCHARSET", "UTF8", "-DDEFINES=" + ARGS.defines,
                        "-DVERSION=1.2.0", "-DCLIENT_SOURCE=" + ARGS.other_client, "-DOUTFILE=" + newer,
                        ARGS.script], check=True)
        self.assertEqual(self.run_program(newer, "/S"), 0)
        self.listing(folder)
        self.show_values()
        self.assertEqual(sorted(os.listdir(folder)), ["Tavrin.exe", "Uninstall.exe"])
        self.assertEqual(digest(os.path.join(folder, "Tavrin.exe")), digest(ARGS.other_client))
        values, named = self.uninstall_values()
        self.assertEqual((values["DisplayVersion"], values["InstallLocation"], named), ("1.2.0", folder_w, 1))

        # The player's file stays; the setup's, the shortcuts, the entry and
        # what the updater leaves go. The uninstaller's copy runs on alone.
        leftovers = ["update.tavrin-journal", "Tavrin.exe.tavrin-old", "game.dll.tavrin-new.1.download",
                     "Update.tavrin-elevated.exe", "tavrin-write-probe-12"]
        for name in leftovers + ["notes.txt"]:
            with open(os.path.join(folder, name), "w") as f:
                f.write("x")
        self.listing(folder)
        self.assertEqual(self.run_program(os.path.join(folder, "Uninstall.exe"), "/S"), 0)
        gone = wait_until(lambda: self.uninstall_values()[0] is None
                          and not os.path.exists(os.path.join(folder, "Uninstall.exe")), 60)
        self.assertTrue(gone, "the uninstaller did not finish")
        self.listing(folder)
        self.show_values()
        self.assertEqual(os.listdir(folder), ["notes.txt"])
        self.assertFalse(os.path.exists(self.start_menu_link()))
        self.assertFalse(os.path.exists(self.desktop_link()))
        self.assertEqual(self.uninstall_values(), (None, 0))


class SignedSetupTest(SetupRun):
    """A side build with a certificate made here signs all four executables."""

    def test_signed_build_signs_the_updater_before_the_client_carries_it(self):
        work = tempfile.mkdtemp(prefix="tavrin-codesign-")
        self.addCleanup(shutil.rmtree, work, True)
        key, cert, pfx = (os.path.join(work, n) for n in ("key.pem", "cert.pem", "test.pfx"))
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                        "-days", "2", "-subj", "/CN=Tavrin test signer", "-addext", "extendedKeyUsage=codeSigning"],
                       check=True, capture_output=True)
        subprocess.run(["openssl", "pkcs12", "-export", "-inkey", key, "-in", cert, "-out", pfx,
                        "-passout", "pass:test secret"], check=True)
        build = ARGS.signed_build
        subprocess.run(["cmake", "-S", ARGS.source, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
                        "-DCMAKE_TOOLCHAIN_FILE=" + ARGS.toolchain, "-DBUILD_TESTING=OFF",
                        "-DCodeSigningPfx=" + pfx], check=True, stdout=subprocess.DEVNULL)
        env = dict(os.environ, TAVRIN_SIGNING_PASSWORD="test secret")
        jobs = "-j%d" % (os.cpu_count() or 2)
        subprocess.run(["cmake", "--build", build, "--target", "installer", jobs], env=env, check=True,
                       stdout=subprocess.DEVNULL)
        updater, client = (os.path.join(build, "bin", n) for n in ("Update.exe", "Tavrin.exe"))
        setup = os.path.join(build, "installer", os.path.basename(ARGS.setup))
        with open(updater, "rb") as f, open(client, "rb") as g:
            self.assertIn(f.read(), g.read(), "the client carries the signed updater")
        # Into a folder of the player's choice, without a desktop shortcut.
        folder_w = "C:\\Games\\" + ARGS.title
        self.assertEqual(self.run_program(setup, "/S", "/NODESKTOP", "/D=" + folder_w), 0)
        folder = self.unix(folder_w)
        self.assertEqual(sorted(os.listdir(folder)), ["Tavrin.exe", "Uninstall.exe"])
        self.assertFalse(os.path.exists(self.desktop_link()))
        self.assertEqual(shortcut_target(self.start_menu_link()), folder_w + "\\Tavrin.exe")
        for path in (updater, client, setup, os.path.join(folder, "Uninstall.exe")):
            self.assert_unsigned_or_verified(path, signed=True, ca=cert)
        # With nothing of the player's in it, the folder goes too.
        self.assertEqual(self.run_program(os.path.join(folder, "Uninstall.exe"), "/S"), 0)
        self.assertTrue(wait_until(lambda: not os.path.exists(folder), 60), "the folder stayed")
        self.assertFalse(os.path.exists(self.start_menu_link()))
        self.assertEqual(self.uninstall_values(), (None, 0))


def main():
    parser = argparse.ArgumentParser()
    for name in ("setup", "client", "other-client", "updater", "makensis", "defines", "script", "prefix", "bits",
                 "title", "code", "version", "publisher"):
        parser.add_argument("--" + name, required=True)
    for name in ("source", "toolchain", "signed-build"):
        parser.add_argument("--" + name)
    args, rest = parser.parse_known_args()
    global ARGS
    ARGS = args
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
