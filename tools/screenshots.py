#!/usr/bin/env python3
"""Takes the README's pictures again (docs/*.png): the client with the preview
engine against the demo operator server, under Wine on the current X display.

Run it through tools/screenshots.sh, which builds nothing: it needs the build
Wine runs here, a booted prefix, a display and the demo ports' lock.
"""
import argparse
import os
import subprocess
import sys
import time

from desktop import LOGIN, MAIN, click, geometry, screen_pixel_reader, visible_windows, wait_until, wine_env

HERE = os.path.dirname(os.path.abspath(__file__))
GAME_SITE = "http://127.0.0.1:8641"


def grab(crop=None):
    args = ["import", "-window", "root", "-depth", "8"]
    if crop:
        x, y, w, h = crop
        args += ["-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage"]
    return subprocess.run(args + ["png:-"], capture_output=True, check=True).stdout


def settled(crop=None, timeout=30):
    """The picture once two grabs a moment apart agree (pages draw after they load)."""
    last = grab(crop)
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        time.sleep(0.5)
        now = grab(crop)
        if now == last:
            return now
        last = now
    return last


SCALE = 1.0


def px(design):
    """A length of the 96-DPI layout at the chosen DPI."""
    return round(design * SCALE)


def main():
    global SCALE
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True, help="TavrinPreview.exe")
    parser.add_argument("--dde-send", required=True, help="DdeSend.exe of the same build")
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--out", default=os.path.join(HERE, "..", "docs"))
    parser.add_argument("--dpi", type=int, default=96, help="the prefix's LogPixels")
    args = parser.parse_args()
    SCALE = args.dpi / 96
    suffix = "" if args.dpi == 96 else "-%d" % round(100 * SCALE)
    corner = [str(px(1280) - 1), str(px(1024) - 1)]
    env = wine_env(args.prefix)
    client = subprocess.Popen(["wine", args.exe], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        login = wait_until(lambda: visible_windows(LOGIN), 60)
        if not login:
            sys.exit("the login screen did not appear")
        background = visible_windows(MAIN)
        # Away from the buttons, so that none shows its hover look.
        subprocess.run(["xdotool", "mousemove", *corner], check=True)
        x, y, width, height = geometry(background[0])
        # The layered picture and the page show once the page has loaded.
        page_shown = wait_until(lambda: sum(screen_pixel_reader()(x + px(700), y + px(400))) > 600, 60, 0.5)
        if not page_shown:
            sys.exit("the login page did not show")
        with open(os.path.join(args.out, "login-screen%s.png" % suffix), "wb") as f:
            f.write(settled((x, y, width, height)))

        # "进入游戏", the first button
        click(login[0], px(415 - 1 + 20), px(179 - 1) + px(8) + px(20) + px(6) + px(12))
        game = wait_until(lambda: [w for w in visible_windows(MAIN) if w not in background], 30)
        if not game:
            sys.exit("the game window did not appear")
        name = os.path.splitext(os.path.basename(args.exe))[0]
        subprocess.run(["wine", args.dde_send, name, "TavrinDDE", GAME_SITE + "/news/"], env=env, check=True)
        subprocess.run(["xdotool", "mousemove", *corner], check=True)
        with open(os.path.join(args.out, "main-window-two-tabs%s.png" % suffix), "wb") as f:
            f.write(settled())
    finally:
        client.kill()
        client.wait()


if __name__ == "__main__":
    main()
