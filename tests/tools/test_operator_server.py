"""The stand-in operator really misbehaves the way the download tests need."""
import http.client
import http.server
import importlib.util
import re
import threading
import os
import socket
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SERVER = os.path.join(HERE, "..", "..", "tools", "operator_server.py")


class OperatorServerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.root = tempfile.TemporaryDirectory()
        cls.body = bytes(range(256)) * 40  # 10240 bytes
        with open(os.path.join(cls.root.name, "blob.bin"), "wb") as f:
            f.write(cls.body)
        cls.proc = subprocess.Popen(
            [sys.executable, SERVER, "--root", cls.root.name, "--port", "0", "--stdin-stop"],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
        )
        line = cls.proc.stdout.readline()
        cls.port = int(line.rsplit(":", 1)[1])

    @classmethod
    def tearDownClass(cls):
        cls.proc.stdin.close()
        cls.proc.wait(timeout=10)
        cls.root.cleanup()

    def get(self, path):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        conn.request("GET", path)
        return conn.getresponse()

    def test_serves_a_file_with_its_length(self):
        r = self.get("/files/blob.bin")
        self.assertEqual(r.status, 200)
        self.assertEqual(r.getheader("Content-Length"), str(len(self.body)))
        self.assertEqual(r.read(), self.body)

    def test_other_paths_serve_the_file_at_that_path(self):
        os.makedirs(os.path.join(self.root.name, "gamehome", "brnq2"), exist_ok=True)
        with open(os.path.join(self.root.name, "gamehome", "brnq2", "update.txt"), "wb") as f:
            f.write(b"version=1.1.0\r\n")
        r = self.get("/gamehome/brnq2/update.txt")
        self.assertEqual((r.status, r.read()), (200, b"version=1.1.0\r\n"))

    def test_answers_the_status_asked_for_and_404_for_missing_files(self):
        self.assertEqual(self.get("/status/500/x").status, 500)
        self.assertEqual(self.get("/status/404").status, 404)
        self.assertEqual(self.get("/files/none.bin").status, 404)
        self.assertEqual(self.get("/files/../test_operator_server.py").status, 404)

    def test_chunked_and_unframed_bodies_carry_no_length(self):
        for mode in ("chunked", "nolength"):
            r = self.get("/%s/blob.bin" % mode)
            self.assertIsNone(r.getheader("Content-Length"), mode)
            self.assertEqual(r.read(), self.body, mode)

    def test_cut_announces_everything_and_sends_half(self):
        r = self.get("/cut/blob.bin")
        self.assertEqual(r.getheader("Content-Length"), str(len(self.body)))
        with self.assertRaises(http.client.IncompleteRead) as cut:
            r.read()
        self.assertEqual(len(cut.exception.partial), len(self.body) // 2)

    def test_slow_trickles_the_whole_body(self):
        start = time.monotonic()
        r = self.get("/slow/blob.bin?delay=10")
        self.assertEqual(r.read(), self.body)
        self.assertGreaterEqual(time.monotonic() - start, 0.3)  # 40 pieces, 10 ms apart

    def test_drip_sends_a_kibibyte_then_single_bytes(self):
        r = self.get("/drip/blob.bin?every=0.2&hold=1")
        self.assertEqual(r.getheader("Content-Length"), str(len(self.body)))
        self.assertEqual(r.read(1024), self.body[:1024])
        start = time.monotonic()
        self.assertEqual(r.read(2), self.body[1024:1026])
        self.assertGreaterEqual(time.monotonic() - start, 0.3)  # one byte per 0.2 s

    def test_mute_and_stall_hold_the_connection_silent(self):
        with socket.create_connection(("127.0.0.1", self.port), timeout=0.5) as s:
            s.sendall(b"GET /mute/blob.bin?hold=2 HTTP/1.1\r\nHost: x\r\n\r\n")
            with self.assertRaises(socket.timeout):
                s.recv(1)
        r = self.get("/stall/blob.bin?hold=2")
        self.assertEqual(r.getheader("Content-Length"), str(len(self.body)))
        r.fp.raw._sock.settimeout(0.5)
        self.assertEqual(r.read(100), self.body[:100])
        with self.assertRaises(socket.timeout):
            r.read(1)

    def test_empty_has_length_zero(self):
        r = self.get("/empty/blob.bin")
        self.assertEqual(r.getheader("Content-Length"), "0")
        self.assertEqual(r.read(), b"")


class DemoServerTest(unittest.TestCase):
    def test_plays_the_three_hosts(self):
        for port in (8640, 8641, 8642):
            with socket.socket() as s:
                if s.connect_ex(("127.0.0.1", port)) == 0:
                    self.skipTest("demo ports are in use")
        proc = subprocess.Popen([sys.executable, SERVER, "--demo", "--stdin-stop"],
                                stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        try:
            for _ in range(3):
                proc.stdout.readline()

            def get(port, path):
                conn = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
                conn.request("GET", path)
                r = conn.getresponse()
                return r.status, r.read()

            status, manifest = get(8640, "/gamehome/brnq2/update.txt")
            self.assertEqual(status, 200)
            version_lines = [l for l in manifest.split(b"\r\n") if b"version" in l.lower()]
            self.assertEqual(version_lines[0][8:].strip(), b"1.1.0")
            status, login = get(8641, "/micro/")
            self.assertEqual(status, 200)
            for command in (b"app://loadgame|http://127.0.0.1:8641/game/", b"app://minimize", b"app://exitgame"):
                self.assertIn(command, login)
            self.assertEqual(get(8641, "/game/")[0], 200)
            self.assertEqual(get(8641, "/")[0], 200)
            self.assertEqual(get(8642, "/")[0], 200)
        finally:
            proc.stdin.close()
            proc.wait(timeout=10)


class DemoPagesTest(unittest.TestCase):
    """The demo pages, served on a free port by the demo handler itself."""

    @classmethod
    def setUpClass(cls):
        loader = importlib.util.spec_from_file_location("operator_server", SERVER)
        cls.module = importlib.util.module_from_spec(loader)
        loader.loader.exec_module(cls.module)

    def serve(self, pages):
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), self.module.demo_handler(pages))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        self.addCleanup(server.server_close)
        self.addCleanup(server.shutdown)

        def get(path):
            conn = http.client.HTTPConnection("127.0.0.1", server.server_address[1], timeout=10)
            conn.request("GET", path)
            r = conn.getresponse()
            return r, r.read().decode("utf-8")

        return get

    def test_login_page_carries_the_commands_and_a_new_window_link_to_the_game_site(self):
        get = self.serve(self.module.demo_pages("127.0.0.1")["game"])
        r, login = get("/micro/")
        self.assertEqual(r.getheader("X-UA-Compatible"), "IE=edge")
        links = dict((text, href) for href, text in re.findall(r'<a [^>]*href="([^"]*)"[^>]*>([^<]*)</a>', login))
        self.assertEqual(links["最小化"], "app://minimize")
        self.assertEqual(links["退出游戏"], "app://exitgame")
        command, game_url = links["进入游戏"].split("|")
        self.assertEqual(command, "app://loadgame")
        r, game = get(game_url.replace("http://127.0.0.1:8641", ""))
        self.assertEqual(r.status, 200)
        self.assertIn("<title>Drelmoor2 游戏</title>", game)
        self.assertIn('href="http://127.0.0.1:8641/" target="_blank"', login)
        self.assertEqual(get("/news/")[0].status, 200, "a second page for tabs")

    def test_empty_login_answers_an_empty_page(self):
        get = self.serve(self.module.demo_pages("127.0.0.1", empty_login=True)["game"])
        r, login = get("/micro/")
        self.assertEqual((r.status, login), (200, ""))


if __name__ == "__main__":
    unittest.main()
