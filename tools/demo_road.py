#!/usr/bin/env python3
"""The demo's road, walked by itself on a display nobody watches (tools/demo.sh
without a DISPLAY): splash, login screen, "进入游戏", game window, a second tab
through DDE, the exit question and "是". Saves a screenshot of each step and
prints its path. The demo operator server must be up."""
import argparse
import os
import subprocess
import sys

from desktop import (EXIT_QUESTION, LOGIN, LOGIN_PAGE, MAIN, SPLASH, button_row, click, close_button,
                     exit_answer, geometry, screen_pixel_reader, screen_ppm, screen_settled, screenshot,
                     visible_windows, wait_until, wine_env)

NEWS = "http://127.0.0.1:8641/news/"


class Road:
    def __init__(self, args):
        self.args = args
        self.step = 0
        os.makedirs(args.out, exist_ok=True)

    def need(self, value, what):
        if not value:
            sys.exit("demo: %s (step %d)" % (what, self.step + 1))
        return value

    def shot(self, name, ready=None):
        """Once `ready` holds, or else once the screen has stopped changing."""
        ready = ready or screen_settled()
        self.need(wait_until(ready, 30, step=0.1), "the screen was not ready for " + name)
        self.step += 1
        print(screenshot(os.path.join(self.args.out, "%d-%s.png" % (self.step, name))), flush=True)

    def shot_splash(self):
        """The splash stays while the login page loads (the demo server holds it back): a
        picture taken once its artwork is on screen, while it is up before and after."""
        left, top, width, height = geometry(self.need(visible_windows(SPLASH), "no splash")[0])

        def drawn():
            ppm = screen_ppm()
            pixel = screen_pixel_reader(ppm)
            return ppm if any(pixel(left + x, top + height // 2) != (0, 0, 0) for x in range(width)) else None

        ppm = self.need(wait_until(drawn, 10, step=0.1), "the splash stayed black")
        self.need(visible_windows(SPLASH), "the splash went before its picture was taken")
        self.step += 1
        print(screenshot(os.path.join(self.args.out, "%d-splash.png" % self.step), ppm), flush=True)

    def walk(self):
        env = wine_env(self.args.prefix)
        client = subprocess.Popen(["wine", self.args.exe], env=env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        try:
            self.need(wait_until(lambda: visible_windows(SPLASH), 60), "no splash")
            self.shot_splash()
            login = self.need(wait_until(lambda: not visible_windows(SPLASH) and visible_windows(LOGIN), 60),
                              "no login screen")
            self.shot("login")
            background = visible_windows(MAIN)
            click(login[0], *button_row(LOGIN_PAGE, 0))  # 进入游戏
            main = self.need(wait_until(lambda: [w for w in visible_windows(MAIN) if w not in background], 30),
                             "no game window")
            self.need(wait_until(lambda: not visible_windows(LOGIN), 30), "the login screen stayed")
            self.shot("game")
            service = os.path.splitext(os.path.basename(self.args.exe))[0]  # the executable's name
            sent = subprocess.run(["wine", self.args.dde_send, service, "TavrinDDE", NEWS], env=env)
            self.need(sent.returncode == 0, "the DDE command was refused")
            self.shot("second-tab")
            width = geometry(main[0])[2]
            click(main[0], *close_button(width))
            question = self.need(wait_until(lambda: visible_windows(EXIT_QUESTION), 20), "no exit question")
            self.shot("exit-question")
            click(question[0], *exit_answer("是"))
            self.need(client.wait(timeout=30) == 0, "the client did not end well")
            self.need(wait_until(lambda: not visible_windows(MAIN), 10), "a window stayed")
            self.shot("ended")
        finally:
            if client.poll() is None:
                client.kill()
                client.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True, help="TavrinPreview.exe or a preview build's Tavrin.exe")
    parser.add_argument("--dde-send", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--out", required=True, help="folder for the screenshots")
    Road(parser.parse_args()).walk()


if __name__ == "__main__":
    main()
