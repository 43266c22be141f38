#!/usr/bin/env python3
"""Time from process start to the first window on screen, under Wine.

Prints, for the client's splash, for the login screen of the preview build
against the demo operator server, and for a bare Win32 window program started
the same way, the median and best of several runs, each against its goal;
and the time from a click on "进入游戏" to the game window on screen. Two
floors under the splash's figure come beside it: the bare window behind the
two network checks the splash must wait for (the online test and the manifest
download), and behind those checks with the splash picture decoded and shown
in one pass. Uses the build that tools/wine-env.sh names for this machine
(win32, or win64 where 32-bit programs cannot run). Holds
/tmp/tavrin-ports.lock while it serves the demo.
"""
import argparse
import fcntl
import os
import statistics
import subprocess
import sys
import time

LOGIN = "Fennoy客户端"
MAIN = "Drelmoor2客户端"
GOALS = {"client splash": 1.3, "login screen": 2.0}  # times the bare window
GAME_GOAL = 0.5  # seconds from the click to the game window

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


def time_to_game(exe, env):
    """From the click on the login page's first button ("进入游戏") to the game window."""
    proc = subprocess.Popen(["wine", exe], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        start = time.monotonic()
        login = windows(LOGIN)
        while not login:
            if time.monotonic() - start > 60:
                raise RuntimeError("no login screen")
            time.sleep(0.01)
            login = windows(LOGIN)
        login = login[0]
        before = set(windows(MAIN))  # the login background shares the main caption
        # The preview's first button, the page 1 pixel out of the login window's Picture1.
        subprocess.run(["xdotool", "mousemove", "--window", login, str(414 + 20), str(178 + 8 + 26 + 12)],
                       check=True)
        clicked = time.monotonic()
        subprocess.run(["xdotool", "click", "1"], check=True)
        while not set(windows(MAIN)) - before:
            if time.monotonic() - clicked > 30:
                raise RuntimeError("no game window")
            time.sleep(0.005)
        return time.monotonic() - clicked
    finally:
        proc.kill()
        proc.wait()
        while visible(MAIN) or visible(LOGIN):
            time.sleep(0.01)


def windows(name):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % name],
                          capture_output=True, text=True).stdout.split()


def wine_setup():
    """PATH with our wine wrapper first, and the preset whose programs this Wine runs."""
    out = subprocess.run(["bash", "-c", '. "$1" >/dev/null && printf "%s\\n%s" "$WINE_PRESET" "$PATH"', "sh",
                          os.path.join(ROOT, "tools", "wine-env.sh")], capture_output=True, text=True, check=True)
    preset, path = out.stdout.split("\n", 1)
    os.environ["PATH"] = path
    return preset


def demo_server():
    """The demo operator on its fixed ports, which other work trees share."""
    lock = open("/tmp/tavrin-ports.lock", "w")
    fcntl.flock(lock, fcntl.LOCK_EX)
    server = subprocess.Popen([sys.executable, os.path.join(ROOT, "tools", "operator_server.py"), "--demo",
                               "--stdin-stop"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    for _ in range(3):
        server.stdout.readline()
    return lock, server


def main():
    preset = wine_setup()
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--bin", default=os.path.join(ROOT, "build", preset, "bin"))
    parser.add_argument("--prefix", default=os.path.join(ROOT, "build", preset, "wineprefix"))
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    if args.bin == parser.get_default("bin"):
        subprocess.run([os.path.join(HERE, "build-programs.sh"), preset, "Tavrin", "TavrinPreview",
                        "BareWindow", "CheckedWindow", "MinimalSplash"], check=True)
    if not os.environ.get("DISPLAY"):
        sys.exit("needs an X display (for example: Xvfb :95 -noreset & DISPLAY=:95 %s)" % sys.argv[0])
    subprocess.run([os.path.join(ROOT, "tests", "wine", "boot-prefix.sh"), args.prefix],
                   check=True, stdout=subprocess.DEVNULL)
    env = dict(os.environ, WINEPREFIX=args.prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    # Unmanaged top-level windows: no window manager's frame or delay in the way.
    subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f"],
                   env=env, check=True, capture_output=True)
    subjects = [("client splash", os.path.join(args.bin, "Tavrin.exe"), "Form1"),
                ("login screen", os.path.join(args.bin, "TavrinPreview.exe"), "Fennoy客户端"),
                ("bare window", os.path.join(args.bin, "BareWindow.exe"), "BareWindow"),
                ("bare + checks", os.path.join(args.bin, "CheckedWindow.exe"), "BareWindow"),
                ("least splash", os.path.join(args.bin, "MinimalSplash.exe"), "BareWindow")]
    results = {name: [] for name, _, _ in subjects}
    game = []
    lock, server = demo_server()
    try:
        for _ in range(args.runs):  # interleaved, so drift hits all alike
            for name, exe, window in subjects:
                results[name].append(time_to_window(exe, window, env))
            game.append(time_to_game(subjects[1][1], env))
    finally:
        server.stdin.close()
        server.wait(timeout=10)
        lock.close()
    print("process start to window on screen, %d runs each (seconds)" % args.runs)
    for name, times in results.items():
        print("  %-14s median %.3f  best %.3f" % (name, statistics.median(times), min(times)))
    bare = statistics.median(results["bare window"])
    for name, goal in GOALS.items():
        print("  %-14s %.2fx the bare window (goal <= %.1fx)" % (name, statistics.median(results[name]) / bare, goal))
    for name, what in (("bare + checks", "the network checks alone"),
                       ("least splash", "the checks and the picture, nothing else")):
        print("  %-14s %.2fx the bare window (%s)" % (name, statistics.median(results[name]) / bare, what))
    print("click on 进入游戏 to game window: median %.3f  best %.3f seconds (goal <= %.1f)"
          % (statistics.median(game), min(game), GAME_GOAL))


if __name__ == "__main__":
    main()
