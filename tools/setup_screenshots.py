#!/usr/bin/env python3
"""Takes the setup's pages (welcome, folder, progress, finish) as the player
sees them, in Chinese, under Wine on the current X display: PNG files
setup-*.png in --out. Run by tools/screenshots.sh after the client's
pictures. The setup is made again with its progress page held a moment, so
that the page can be photographed; it installs into a prefix of its own."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

from desktop import geometry, key, launch, search, wait_until, wine_env
from screenshots import grab, settled

HERE = os.path.dirname(os.path.abspath(__file__))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for name in ("makensis", "defines", "script", "prefix", "title"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--out", default=os.path.join(HERE, "..", "docs"))
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="tavrin-setup-pictures-")
    try:
        setup = os.path.join(work, "setup.exe")
        subprocess.run([args.makensis, "-V2", "-INPUTCHARSET", "UTF8", "-DDEFINES=" + os.path.abspath(args.defines),
                        "-DPROGRESS_HOLD=4000", "-DOUTFILE=" + setup, os.path.abspath(args.script)], check=True)
        shutil.rmtree(args.prefix, True)
        home = os.path.join(work, "home")
        os.makedirs(home)
        env = wine_env(args.prefix, home)
        subprocess.run([os.path.join(HERE, "..", "tests", "wine", "boot-prefix.sh"), args.prefix], env=env,
                       check=True)
        proc = launch(["wine", setup], env)
        try:
            window = wait_until(lambda: search("--name", args.title), 60)
            if not window:
                sys.exit("the setup's window did not appear")
            region = geometry(window[0])
            shown = settled(region)
            for page in ("welcome", "folder", "progress", "finish"):
                with open(os.path.join(args.out, "setup-%s.png" % page), "wb") as f:
                    f.write(shown)
                if page in ("welcome", "folder"):
                    key(window[0], "Return")
                if page != "finish":
                    if not wait_until(lambda: grab(region) != shown, 30, 0.1):
                        sys.exit("the setup stayed on its %s page" % page)
                    shown = settled(region)
        finally:
            proc.kill()
            proc.wait()
            subprocess.run(["wineserver", "-k"], env=env)
    finally:
        shutil.rmtree(work, True)


if __name__ == "__main__":
    main()
