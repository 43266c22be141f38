#!/usr/bin/env python3
"""Time from process start to the first window on screen, under Wine.

Prints, for the client's splash and for a bare Win32 window program started
the same way, the median and best of several runs. Needs the win32 build.
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def visible(name):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % name],
                         capture_output=True, text=True).stdout
    return bool(out.split())


def time_to_window(exe, window, env):
    start = time.monotonic()
    proc = subprocess.Popen(["wine", exe], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while not visible(window):
            if time.monotonic() - start > 60:
                raise RuntimeError("%s showed no window" % exe)
            time.sleep(0.005)
        return time.monotonic() - start
    finally:
        proc.kill()
        proc.wait()
        while visible(window):
            time.sleep(0.01)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--bin", default=os.path.join(ROOT, "build", "win32", "bin"))
    parser.add_argument("--prefix", default=os.path.join(ROOT, "build", "win32", "wineprefix"))
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("needs an X display (for example: Xvfb :95 & DISPLAY=:95 %s)" % sys.argv[0])
    subprocess.run([os.path.join(ROOT, "tests", "wine", "boot-prefix.sh"), args.prefix],
                   check=True, stdout=subprocess.DEVNULL)
    env = dict(os.environ, WINEPREFIX=args.prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    subjects = [("client splash", os.path.join(args.bin, "Tavrin.exe"), "Form1"),
                ("bare window", os.path.join(args.bin, "BareWindow.exe"), "BareWindow")]
    results = {name: [] for name, _, _ in subjects}
    for _ in range(args.runs):  # interleaved, so drift hits both alike
        for name, exe, window in subjects:
            results[name].append(time_to_window(exe, window, env))
    print("start-up to first visible window, %d runs each (seconds)" % args.runs)
    for name, times in results.items():
        print("  %-14s median %.3f  best %.3f" % (name, statistics.median(times), min(times)))
    ratio = statistics.median(results["client splash"]) / statistics.median(results["bare window"])
    print("  client / bare  %.2fx" % ratio)


if __name__ == "__main__":
    main()
