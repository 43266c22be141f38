#!/usr/bin/env python3
"""The built updater under Wine, fed by the stand-in operator; and the whole road from the client."""
import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from desktop import exit_code, launch, run, visible_windows, wait_until, wine_env  # noqa: E402
from test_startup import temp_folder, windows_path  # noqa: E402

ARGS = None
SERVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "operator_server.py")
SUCCESS = "软件已升至最新版本！"
FAILURE = "更新未能完成，客户端将以原来的版本启动。"
STOP_QUESTION = "您是否要退出更新！"


def shown(trace, text):
    """Whether Wine's message-box trace names the text, literally or escaped."""
    escaped = "".join(c if ord(c) < 128 else "\\%04x" % ord(c) for c in text)
    return text in trace or escaped in trace


def answer(window, key):
    subprocess.run(["xdotool", "windowfocus", "--sync", window])
    subprocess.run(["xdotool", "key", key])


class Operator:
    def __init__(self, test, port=0):
        self.root = tempfile.mkdtemp(prefix="tavrin-operator-")
        test.addCleanup(shutil.rmtree, self.root, True)
        proc = subprocess.Popen([sys.executable, SERVER, "--root", self.root, "--port", str(port), "--stdin-stop"],
                                stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        test.addCleanup(lambda: (proc.stdin.close(), proc.wait(timeout=10), proc.stdout.close()))
        self.url = proc.stdout.readline().split()[-1]

    def serve(self, name, data):
        path = os.path.join(self.root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


class UpdateRun(unittest.TestCase):
    def setUp(self):
        self.operator = Operator(self)
        parent = tempfile.mkdtemp(prefix="tavrin-install-")
        self.addCleanup(shutil.rmtree, parent, True)
        self.install = os.path.join(parent, "My Games", "Drelmoor 2")
        os.makedirs(self.install)
        with open(ARGS.stand_in, "rb") as f:
            self.old_exe = f.read()
        self.new_exe = self.old_exe + b"\0new release" * 100
        self.old_dll, self.new_dll = b"old dll", os.urandom(200000)
        self.put("game.dll", self.old_dll)
        self.put("client.exe", self.old_exe)
        self.operator.serve("game.dll", self.new_dll)
        self.operator.serve("client.exe", self.new_exe)

    def put(self, name, data):
        with open(os.path.join(self.install, name), "wb") as f:
            f.write(data)

    def installed(self, name):
        with open(os.path.join(self.install, name), "rb") as f:
            return f.read()

    def installed_now(self, name):
        """The file's bytes, or None while it is renamed away."""
        try:
            return self.installed(name)
        except FileNotFoundError:
            return None

    def write_manifest(self, *paths):
        lines = ["version=1.2.0"] + ["%d|%s%s" % (i, self.operator.url, p) for i, p in enumerate(paths)]
        with open(os.path.join(temp_folder(ARGS.prefix), "update.txt"), "wb") as f:
            f.write(("\r\n".join(lines) + "\r\n").encode())

    def started(self):
        path = os.path.join(self.install, "started.txt")
        return os.path.exists(path)

    def start_updater(self, log, client="client.exe", tail=""):
        install = windows_path(self.install)
        argument = "%s|%s\\%s%s" % (install, install, client, tail)
        env = dict(wine_env(ARGS.prefix), WINEDEBUG="-all,+msgbox")
        # Wine quotes the argument: the install path has spaces.
        return launch(["wine", ARGS.updater, argument], env, self, stderr=log)

    def start(self, *command):
        return launch(["wine", *command], wine_env(ARGS.prefix), self)

    def run_updater(self, answers=(), during=None, tail=""):
        """Starts Update.exe, answers each message box with the next key; returns Wine's trace."""
        log = tempfile.TemporaryFile(mode="w+")
        proc = self.start_updater(log, tail=tail)
        if during:
            during(proc)
        for key in answers:
            box = wait_until(lambda: visible_windows("提示"), 60)
            self.assertTrue(box, "no message box")
            answer(box[0], key)
            wait_until(lambda: box[0] not in visible_windows("提示"), 10)
        code = exit_code(proc, 90)
        log.seek(0)
        trace = log.read()
        log.close()
        self.assertEqual(code, 0 if shown(trace, SUCCESS) else 1, "the exit code says whether it completed")
        if os.environ.get("TAVRIN_SHOW_TRACE"):
            print(trace[-3000:])
        return trace

    def assert_untouched(self, trace, what):
        self.assertFalse(shown(trace, SUCCESS), what)
        self.assertEqual(self.installed("game.dll"), self.old_dll, what)
        self.assertEqual(self.installed("client.exe"), self.old_exe, what)
        # The client in place is started as the updater ends, and notes it a moment later.
        self.assertTrue(wait_until(self.started, 20), "the client in place is opened: " + what)
        self.assertEqual(sorted(os.listdir(self.install)), ["client.exe", "game.dll", "started.txt"], what)


class UpdaterTest(UpdateRun):
    def test_files_land_byte_exact_and_the_last_one_is_opened(self):
        self.write_manifest("/files/game.dll", "/files/client.exe")
        trace = self.run_updater(answers=["Return"])
        self.assertTrue(shown(trace, SUCCESS))
        self.assertEqual(self.installed("game.dll"), self.new_dll)
        self.assertEqual(self.installed("client.exe"), self.new_exe)
        self.assertTrue(wait_until(self.started, 20), "client.exe was not opened")

    def test_a_stop_during_the_first_file_changes_nothing(self):
        self.write_manifest("/slow/game.dll", "/files/client.exe")

        def click_close(proc):
            window = wait_until(lambda: visible_windows("更新"), 30)
            self.assertTrue(window, "the updater window did not appear")
            staged = lambda: any(n.startswith("game.dll.") for n in os.listdir(self.install))
            self.assertTrue(wait_until(staged, 30), "the first file's download did not begin")
            out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window[0]],
                                 capture_output=True, text=True).stdout
            geometry = dict(line.split("=", 1) for line in out.split())
            x, y = int(geometry["X"]) + 327, int(geometry["Y"]) + 16
            subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"])

        trace = self.run_updater(answers=["y"], during=click_close)
        self.assertTrue(shown(trace, STOP_QUESTION), "the stop question was asked")
        self.assert_untouched(trace, "stop")

    def test_refused_input_changes_nothing(self):
        self.operator.serve("nul", self.new_dll)
        wrong = "|sha256=" + "0" * 64
        for lines in (["/files/game.dll", "/status/404/client.exe"], ["/files/game.dll", "/cut/client.exe"],
                      ["/files/game.dll", "/files/..", "/files/client.exe"], ["/files/game.dll", "/files/nul"],
                      ["/files/game.dll", "/files/client.exe" + wrong]):
            self.write_manifest(*lines)
            trace = self.run_updater(answers=["Return"])
            self.assert_untouched(trace, " ".join(lines))
            os.unlink(os.path.join(self.install, "started.txt"))

    def test_a_client_still_running_is_waited_for(self):
        self.write_manifest("/files/game.dll", "/files/client.exe")
        holder = launch(["wine", os.path.join(self.install, "client.exe"), "/hold", "4"], wine_env(ARGS.prefix), self)
        holding = lambda: os.path.exists(os.path.join(self.install, "holding.txt"))
        self.assertTrue(wait_until(holding, 30), "the old client holds its file")
        os.unlink(os.path.join(self.install, "holding.txt"))
        trace = self.run_updater(answers=["Return"])
        self.assertTrue(shown(trace, SUCCESS))
        self.assertEqual(self.installed("client.exe"), self.new_exe)
        self.assertTrue(wait_until(self.started, 20))

    def test_a_log_off_mid_download_is_let_through_and_ends_it_without_a_word(self):
        self.write_manifest("/slow/game.dll", "/files/client.exe")
        log = tempfile.TemporaryFile(mode="w+")
        self.addCleanup(log.close)
        proc = self.start_updater(log)
        staged = lambda: any(n.startswith("game.dll.") for n in os.listdir(self.install))
        self.assertTrue(wait_until(staged, 30), "the first file's download did not begin")
        ending = run(["wine", ARGS.stand_in, "/end-session 更新"], wine_env(ARGS.prefix), 60)
        self.assertEqual(ending, 0, "a log-off is answered yes within 2 seconds")
        self.assertEqual(exit_code(proc, 20), 1, "incomplete")
        log.seek(0)
        self.assertNotIn("msgbox", log.read(), "no message box")
        self.assertEqual(self.installed("game.dll"), self.old_dll)

    def test_a_second_updater_ends_at_once(self):
        self.write_manifest("/slow/game.dll", "/files/client.exe")
        first = launch(["wine", ARGS.updater, "%s|x" % windows_path(self.install)], wine_env(ARGS.prefix), self)
        self.assertTrue(wait_until(lambda: visible_windows("更新"), 30))
        second = run(["wine", ARGS.updater, "%s|x" % windows_path(self.install)], wine_env(ARGS.prefix), 30)
        self.assertEqual(second, 1)
        self.assertEqual(len(visible_windows("更新")), 1)


class HostileUpdateTest(UpdateRun):
    def assert_old_after_the_next_start(self, original):
        """Starts the client in place and waits until it has undone the commit: exactly the old
        files. The old client's second name may stay, the same file as Tavrin.exe: it cannot be
        deleted while the client runs from it, and goes when the updater next runs."""
        os.unlink(os.path.join(temp_folder(ARGS.prefix), "update.txt"))
        self.start(os.path.join(self.install, "Tavrin.exe"))
        journal = os.path.join(self.install, "update.tavrin-journal")
        settled = lambda: not os.path.exists(journal) and self.installed_now("game.dll") == self.old_dll \
            and not any(".tavrin-new" in name for name in os.listdir(self.install))
        self.assertTrue(wait_until(settled, 60), sorted(os.listdir(self.install)))
        self.assertEqual(self.installed("Tavrin.exe"), original)
        client = os.path.join(self.install, "Tavrin.exe")
        for name in set(os.listdir(self.install)) - {"Tavrin.exe", "game.dll"}:
            self.assertEqual(name, "Tavrin.exe.tavrin-old")
            self.assertTrue(os.path.samefile(os.path.join(self.install, name), client))

    def test_a_dripping_server_is_given_up_while_the_window_answers(self):
        self.write_manifest("/drip/game.dll", "/files/client.exe")
        pings = []
        took = []  # seconds per ping, for the message should one fail

        def ping_until_the_box(proc):
            self.assertTrue(wait_until(lambda: visible_windows("更新"), 30), "no updater window")
            start = time.monotonic()
            while not visible_windows("提示"):
                sent = time.monotonic()
                result = run(["wine", ARGS.stand_in, "/ping 更新"], wine_env(ARGS.prefix), 60)
                if visible_windows("提示"):
                    break
                pings.append(result)
                took.append(round(time.monotonic() - sent, 2))
                self.assertLess(time.monotonic() - start, 75, "the updater did not give up")
            self.assertLess(time.monotonic() - start, 60)

        trace = self.run_updater(answers=["Return"], during=ping_until_the_box)
        self.assertGreaterEqual(len(pings), 3)
        failed = [(i, code, took[i]) for i, code in enumerate(pings) if code != 0]
        self.assertEqual(set(pings), {0}, "the window answered WM_NULL throughout the stall; failed "
                         "(ping, code, seconds) of %d pings: %s" % (len(pings), failed))
        self.assertTrue(shown(trace, FAILURE))
        self.assert_untouched(trace, "drip")

    def test_a_batch_file_named_last_is_not_run(self):
        ran = os.path.join(self.install, "ran.txt")
        self.operator.serve("run.bat", ("echo ran> \"%s\"\r\n" % windows_path(ran)).encode())
        self.write_manifest("/files/game.dll", "/files/run.bat")
        trace = self.run_updater(answers=["Return"])
        self.assertTrue(shown(trace, SUCCESS))
        self.assertTrue(wait_until(self.started, 20), "the client in place is started instead")
        self.assertFalse(os.path.exists(ran))

    def test_a_killed_commit_is_undone_when_the_client_in_place_starts(self):
        client = self.installed("client.exe")
        os.unlink(os.path.join(self.install, "client.exe"))
        shutil.copy(ARGS.client, os.path.join(self.install, "Tavrin.exe"))
        original = self.installed("Tavrin.exe")
        self.operator.serve("Tavrin.exe", client)
        self.write_manifest("/files/game.dll", "/files/Tavrin.exe")
        tools = tempfile.mkdtemp(prefix="tavrin-holder-")
        self.addCleanup(shutil.rmtree, tools, True)
        holder_exe = shutil.copy(ARGS.stand_in, os.path.join(tools, "holder.exe"))
        holder = self.start(holder_exe, "/hold", "120", windows_path(self.install) + "\\Tavrin.exe")
        self.assertTrue(wait_until(lambda: os.path.exists(os.path.join(tools, "holding.txt")), 30))
        log = tempfile.TemporaryFile(mode="w+")
        updater = self.start_updater(log, "Tavrin.exe")
        journal = os.path.join(self.install, "update.tavrin-journal")
        committed = lambda: os.path.exists(journal) and self.installed_now("game.dll") == self.new_dll
        self.assertTrue(wait_until(committed, 60), "game.dll was not committed")
        ending = run(["wine", ARGS.stand_in, "/end-session 更新"], wine_env(ARGS.prefix), 60)
        self.assertEqual(ending, 3, "a log-off is answered no, at once, while the commit runs")
        self.assertIsNone(updater.poll())
        updater.kill()
        updater.wait()
        holder.kill()
        holder.wait()
        self.assert_old_after_the_next_start(original)

    def test_a_held_stage_and_a_kill_never_leave_the_client_missing(self):
        """game.dll is replaced, then the new client's stage is held by another program while the
        updater commits, and the updater is killed there: Tavrin.exe is in place all along, and
        the next start of the client leaves exactly the old files."""
        os.unlink(os.path.join(self.install, "client.exe"))
        shutil.copy(ARGS.client, os.path.join(self.install, "Tavrin.exe"))
        original = self.installed("Tavrin.exe")
        self.operator.serve("Tavrin.exe", self.new_exe)
        # Downloaded last and slowly (about 30 seconds): time to hold the stage before the commit.
        self.operator.serve("extra.dat", os.urandom(400000))
        self.write_manifest("/files/game.dll", "/files/Tavrin.exe", "/slow/extra.dat")
        tools = tempfile.mkdtemp(prefix="tavrin-holder-")
        self.addCleanup(shutil.rmtree, tools, True)
        holder_exe = shutil.copy(ARGS.stand_in, os.path.join(tools, "holder.exe"))
        log = tempfile.TemporaryFile(mode="w+")
        self.addCleanup(log.close)
        updater = self.start_updater(log, "Tavrin.exe")
        stage = os.path.join(self.install, "Tavrin.exe.tavrin-new")
        self.assertTrue(wait_until(lambda: os.path.exists(stage), 60), "the client was not staged")
        holder = self.start(holder_exe, "/hold", "120", windows_path(stage))
        self.assertTrue(wait_until(lambda: os.path.exists(os.path.join(tools, "holding.txt")), 30))
        set_aside = os.path.join(self.install, "Tavrin.exe.tavrin-old")
        committing = lambda: os.path.exists(set_aside) and self.installed_now("game.dll") == self.new_dll
        self.assertTrue(wait_until(committing, 90), sorted(os.listdir(self.install)))
        updater.kill()
        updater.wait()
        self.assertEqual(self.installed_now("Tavrin.exe"), original, "the client's name is never absent")
        holder.kill()
        holder.wait()
        self.assert_old_after_the_next_start(original)


class ElevationTest(UpdateRun):
    def test_a_folder_it_cannot_write_is_left_as_it_was_and_said_so(self):
        """The install folder is mounted read-only, so the write probe is refused with "access
        denied", the one answer that means "cannot write". Wine's token is always an
        administrator's, so the updater asks for nothing more: it says it cannot write, waits
        for OK and leaves the folder as it was, probe and all."""
        self.write_manifest("/files/game.dll")
        before = sorted(os.listdir(self.install))
        env = dict(wine_env(ARGS.prefix), WINEDEBUG="-all,+msgbox")
        log = tempfile.TemporaryFile(mode="w+")
        self.addCleanup(log.close)
        readonly = 'mount --bind -o ro "$1" "$1" && mount -o remount,bind,ro "$1" && ! touch "$1/probe" 2>/dev/null'
        if subprocess.run(["unshare", "-m", "sh", "-c", readonly, "sh", self.install]).returncode != 0:
            self.fail("no mount namespace with a read-only folder can be made here (run as root)")
        # Wine's server opens the files: the whole Wine runs where the folder is read-only.
        run(["wineserver", "-k"], env, 60)
        install = windows_path(self.install)
        inside = 'mount --bind -o ro "$1" "$1" && mount -o remount,bind,ro "$1" && shift && "$@"; ' \
                 'code=$?; wineserver -k; exit $code'
        proc = launch(["unshare", "-m", "sh", "-c", inside, "sh", self.install,
                       "wine", ARGS.updater, "%s|%s\\client.exe" % (install, install)], env, self, stderr=log)
        box = wait_until(lambda: visible_windows("提示"), 90)
        self.assertEqual(len(box), 1, "one message")
        self.assertIsNone(proc.poll(), "the updater waits for OK")
        answer(box[0], "Return")
        self.assertEqual(exit_code(proc, 60), 1, "the update did not complete")
        log.seek(0)
        self.assertTrue(shown(log.read(), "没有写入安装目录的权限"))
        self.assertEqual(sorted(os.listdir(self.install)), before)

    def test_a_folder_that_is_not_there_is_no_question_of_rights(self):
        """Only "access denied" means "cannot write": a missing folder fails the update
        itself, which says so."""
        self.write_manifest("/files/game.dll")
        missing = windows_path(os.path.join(self.install, "missing"))
        self.start_updater = lambda log, **_: launch(
            ["wine", ARGS.updater, "%s|%s\\client.exe" % (missing, missing)],
            dict(wine_env(ARGS.prefix), WINEDEBUG="-all,+msgbox"), self, stderr=log)
        # Then the client it starts is not there either, and it says so.
        trace = self.run_updater(answers=["Return", "Return"])
        self.assertFalse(shown(trace, "没有写入安装目录的权限"))
        self.assertTrue(shown(trace, "无法启动游戏客户端"))

    def test_an_elevated_copy_acts_only_on_the_manifest_its_starter_verified(self):
        self.write_manifest("/files/game.dll", "/files/client.exe")
        manifest = os.path.join(temp_folder(ARGS.prefix), "update.txt")
        with open(manifest, "rb") as f:
            verified = hashlib.sha256(f.read()).hexdigest()
        for digest, done in (("0" * 64, False), ("", False), (verified, True)):
            tail = "|%s|/elevated|%s" % (windows_path(manifest), digest)
            trace = self.run_updater(answers=["Return"], tail=tail)
            self.assertEqual(shown(trace, SUCCESS), done, digest)
            self.assertEqual(self.installed("client.exe"), self.new_exe if done else self.old_exe, digest)


class WholeRoadTest(UpdateRun):
    """The client built to look on port 8640 (run under the ports lock)."""

    def test_yes_to_the_offer_replaces_the_files_and_starts_the_new_client(self):
        url = urllib.parse.urlsplit(ARGS.manifest_url)
        operator = Operator(self, url.port)
        shutil.copy(ARGS.client, os.path.join(self.install, "Tavrin.exe"))
        operator.serve("game.dll", self.new_dll)
        operator.serve("Tavrin.exe", self.new_exe)
        stale = os.path.join(temp_folder(ARGS.prefix), "update.txt")
        if os.path.exists(stale):
            os.unlink(stale)
        operator.serve(url.path.lstrip("/"), ("version=1.0.9\r\n0|%s/files/game.dll\r\n1|%s/files/Tavrin.exe\r\n"
                                              % (operator.url, operator.url)).encode())
        client = launch(["wine", os.path.join(self.install, "Tavrin.exe")], wine_env(ARGS.prefix), self)
        offer = wait_until(lambda: visible_windows("提示"), 60)
        self.assertTrue(offer, "no offer")
        answer(offer[0], "y")
        self.assertEqual(exit_code(client, 60), 0)
        with open(os.path.join(temp_folder(ARGS.prefix), "Update.exe"), "rb") as f:
            with open(ARGS.updater, "rb") as g:
                self.assertEqual(f.read(), g.read(), "the carried updater, byte for byte")
        done = wait_until(lambda: visible_windows("提示"), 90)
        self.assertTrue(done, "the updater said nothing")
        answer(done[0], "Return")
        self.assertTrue(wait_until(self.started, 60), "the new client did not start")
        self.assertEqual(self.installed("game.dll"), self.new_dll)
        self.assertEqual(self.installed("Tavrin.exe"), self.new_exe)


class SignedManifestTest(unittest.TestCase):
    """The start-up's manifest check, built with a key made here by openssl, for a client at 1.1.0."""

    def openssl(self, *args, data=None):
        return subprocess.run(["openssl", *args], input=data, capture_output=True, check=True).stdout

    def sign(self, body):
        path = os.path.join(self.work, "body.txt")
        with open(path, "wb") as f:
            f.write(body)
        der = self.openssl("dgst", "-sha256", "-sign", self.key, path)
        return body + b"signature=" + self.openssl("base64", "-A", data=der) + b"\r\n"

    def check(self, exe, manifest):
        path = os.path.join(self.work, "update.txt")
        with open(path, "wb") as f:
            f.write(manifest)
        return run(["wine", exe, windows_path(path), "1.1.0"], wine_env(ARGS.prefix), 60)

    def test_only_a_whole_manifest_signed_with_the_key_for_a_higher_version_is_offered(self):
        self.work = tempfile.mkdtemp(prefix="tavrin-signing-")
        self.addCleanup(shutil.rmtree, self.work, True)
        self.key, public = os.path.join(self.work, "key.pem"), os.path.join(self.work, "public.pem")
        self.openssl("ecparam", "-name", "prime256v1", "-genkey", "-noout", "-out", self.key)
        self.openssl("ec", "-in", self.key, "-pubout", "-out", public)
        subprocess.run(["cmake", "-S", ARGS.source, "-B", ARGS.signed_build, "-DCMAKE_BUILD_TYPE=Release",
                        "-DCMAKE_TOOLCHAIN_FILE=" + ARGS.toolchain, "-DUpdateSigningKey=" + public,
                        "-DBUILD_TESTING=ON"],
                       check=True, stdout=subprocess.DEVNULL)
        jobs = "-j%d" % (os.cpu_count() or 2)
        subprocess.run(["cmake", "--build", ARGS.signed_build, "--target", "ManifestCheck", jobs], check=True, stdout=subprocess.DEVNULL)
        signed_check = os.path.join(ARGS.signed_build, "bin", "ManifestCheck.exe")

        hashed = b"0|https://cdn.example.com/brnq2/game.dll|sha256=" + b"9f86d081" * 8 + b"\r\n"
        unhashed = b"1|https://cdn.example.com/brnq2/Tavrin.exe\r\n"

        def body(version=b"1.2.0", game=b"game=brnq2\r\n", files=hashed):
            return b"version=" + version + b"\r\n" + game + files

        cases = [
            ("signed, whole, newer", self.sign(body()), 0),
            ("unsigned", body(), 1),
            ("one byte changed", self.sign(body()).replace(b"1.2.0", b"1.3.0"), 1),
            ("a file line without sha256", self.sign(body(files=hashed + unhashed)), 1),
            ("an older version", self.sign(body(version=b"1.0.9")), 1),
            ("the same version", self.sign(body(version=b"1.1.0")), 1),
            ("another game", self.sign(body(game=b"game=brnq3\r\n")), 1),
            ("no game line", self.sign(body(game=b"")), 1),
            ("the game line not right after the version", self.sign(body(game=b"") + b"game=brnq2\r\n"), 1),
        ]
        for what, manifest, offered in cases:
            with self.subTest(what):
                self.assertEqual(self.check(signed_check, manifest), offered)
        old_style = body(version=b"1.0.9", game=b"", files=unhashed)
        self.assertEqual(self.check(ARGS.check, old_style), 0, "without a key any other version is offered")


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--updater", required=True)
    parser.add_argument("--client", required=True)
    parser.add_argument("--stand-in", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--manifest-url", required=True)
    parser.add_argument("--source", help="the sources, for a build with a signing key")
    parser.add_argument("--toolchain")
    parser.add_argument("--signed-build")
    parser.add_argument("--check", help="ManifestCheck.exe of the build without a key")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], "-v", *rest])


if __name__ == "__main__":
    main()
