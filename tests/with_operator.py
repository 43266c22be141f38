#!/usr/bin/env python3
"""Runs a command beside a fresh stand-in operator server.

The server serves an empty temporary folder on a free loopback port; the
command finds it in TAVRIN_TEST_SERVER (its base URL) and TAVRIN_TEST_ROOT
(the folder, where it puts what the server should serve).
"""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SERVER = os.path.join(HERE, "..", "tools", "operator_server.py")


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: with_operator.py COMMAND [ARG...]")
    with tempfile.TemporaryDirectory(prefix="tavrin-operator-") as root:
        server = subprocess.Popen([sys.executable, SERVER, "--root", root, "--port", "0", "--stdin-stop"],
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        try:
            url = server.stdout.readline().split()[-1]
            env = dict(os.environ, TAVRIN_TEST_SERVER=url, TAVRIN_TEST_ROOT=root)
            code = subprocess.call(sys.argv[1:], env=env)
        finally:
            server.stdin.close()
            server.wait(timeout=10)
    sys.exit(code)


if __name__ == "__main__":
    main()
