"""Driving the built programs under Wine on an X display: finding, watching,
clicking and photographing their windows. Shared by the end-to-end tests
(tests/e2e) and the tools that drive the client (demo_road.py, screenshots.py).
Tests import it from here; nothing here imports a test."""
import os
import re
import subprocess
import tempfile
import time

# What Wine and the C runtime print when a program dies: the test prefixes
# start no debugger, so the process ends with the exception's code.
CRASH_LINE = re.compile(r"^(wine: Unhandled .*|.*Runtime to terminate.*|.*abnormal program termination.*)$",
                        re.MULTILINE)


def wine_env(prefix, home=None):
    """The environment for Wine in prefix. With home, a home folder of its own: Wine links the
    prefix's desktop there, and makes no menu entries."""
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    if home:
        env.update(HOME=home, WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    return env


class ProgramCrashed(AssertionError):
    pass


_watched = {}  # process -> (program's name, file with its error output, whether ours to close)


def launch(command, env, test=None, stdout=subprocess.DEVNULL, stderr=None):
    """Starts a program (under Wine) and watches it: once it has crashed, the
    next wait_until or exit_code fails at once, naming it. Its error output
    goes to `stderr` (a file) when given, else to a temporary file. With a
    `test`, the program is killed at the test's end if it still runs."""
    log = stderr if stderr is not None else tempfile.TemporaryFile(mode="w+")
    proc = subprocess.Popen(command, env=env, stdout=stdout, stderr=log, text=True)
    if test is not None:
        test.addCleanup(lambda: proc.poll() is None and (proc.kill(), proc.wait()))
    exe = next((c for c in command if c.lower().endswith(".exe")), command[min(1, len(command) - 1)])
    _watched[proc] = (os.path.basename(exe.replace("\\", "/")), log, stderr is None)
    return proc


def crash_report(proc):
    """What the watched process died of, or None while it runs or when it ended
    otherwise (a kill by the test included). Each crash is told once."""
    if proc not in _watched or proc.poll() is None:
        return None
    name, log, ours = _watched.pop(proc)
    log.flush()
    log.seek(0)
    lines = CRASH_LINE.findall(log.read())
    if ours:
        log.close()
    return "%s crashed with exit code %d: %s" % (name, proc.returncode, lines[0]) if lines else None


def check_crashes():
    for proc in list(_watched):
        report = crash_report(proc)
        if report:
            raise ProgramCrashed(report)


def exit_code(proc, timeout):
    """Waits for the process; a crash fails here with its line instead of as a wrong code."""
    code = proc.wait(timeout=timeout)
    report = crash_report(proc)
    if report:
        raise ProgramCrashed(report)
    return code


def run(command, env, timeout, stdout=subprocess.DEVNULL):
    """launch, then exit_code."""
    return exit_code(launch(command, env, stdout=stdout), timeout)


def search(*terms):
    """xdotool search. A window that goes while xdotool walks the tree makes it
    stop on an X error, having found nothing: that search has no answer, and
    is made again."""
    while True:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", *terms], capture_output=True, text=True)
        if "X Error" not in found.stderr:
            return found.stdout.split()


def visible_windows(name):
    return search("--name", "^%s$" % name)


def visible_class(name):
    return search("--class", name)


def wait_until(predicate, timeout, step=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        check_crashes()
        value = predicate()
        if value:
            return value
        time.sleep(step)
    check_crashes()
    return predicate()


def geometry(window):
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                         capture_output=True, text=True, check=True).stdout
    values = dict(line.split("=", 1) for line in out.split())
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def iconic(window):
    """Whether Wine marks the window minimised (in its WM_HINTS, also with no window manager)."""
    out = subprocess.run(["xprop", "-id", window, "WM_HINTS"], capture_output=True, text=True).stdout
    return "Initial state is Iconic State" in out


def stacking():
    """The top-level X windows, the topmost first."""
    out = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True, check=True).stdout
    return [str(int(line.split()[0], 16)) for line in out.splitlines() if line.strip().startswith("0x")]


def focused():
    """The X window with the input focus (Wine gives it to the foreground window)."""
    return subprocess.run(["xdotool", "getwindowfocus"], capture_output=True, text=True).stdout.strip()


def screen_size():
    out = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True, check=True)
    return tuple(int(v) for v in out.stdout.split())


def screen_pixel_reader(ppm=None):
    """Screenshot of the root window (or the PPM given); returns pixel(x, y) -> (r, g, b)."""
    ppm = ppm or screen_ppm()
    fields, pos = [], 0
    while len(fields) < 4:  # P6, width, height, maxval
        while ppm[pos : pos + 1].isspace():
            pos += 1
        start = pos
        while not ppm[pos : pos + 1].isspace():
            pos += 1
        fields.append(ppm[start:pos])
    width = int(fields[1])
    data = ppm[pos + 1 :]
    return lambda x, y: tuple(data[(y * width + x) * 3 : (y * width + x) * 3 + 3])


def screen_ppm():
    return subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True,
                          check=True).stdout


def screenshot(path, ppm=None):
    """Saves the screen (or the PPM given) as the picture `path`."""
    subprocess.run(["convert", "ppm:-", path], input=ppm or screen_ppm(), check=True)
    return path


def click(window, x, y):
    """A left click at (x, y) in the window."""
    subprocess.run(["xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1"], check=True)


def key(window, *keys):
    """Focuses the window and types the keys."""
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False)
    subprocess.run(["xdotool", "key", *keys], check=True)


def button_row(origin, row):
    """A point on the preview engine's button in `row`, its pane's top left corner at `origin`."""
    return origin[0] + 20, origin[1] + 8 + 26 + 30 * row + 12


def button_edge(origin, row):
    """A point on the left edge of that button, drawn in another colour than the pane."""
    return origin[0] + 8, button_row(origin, row)[1]


def screen_settled(region=None, frames=3):
    """A predicate for wait_until: true once `frames` screenshots in a row are
    alike (of `region`, (x, y, width, height), when given)."""
    seen = []

    def settled():
        command = ["import", "-window", "root"]
        if region:
            command += ["-crop", "%dx%d+%d+%d" % (region[2], region[3], region[0], region[1])]
        seen.append(subprocess.run(command + ["ppm:-"], capture_output=True, check=True).stdout)
        del seen[:-frames]
        return len(seen) == frames and all(frame == seen[0] for frame in seen)

    return settled


# Where the client's parts are, in its windows' own coordinates.
MAIN = "Drelmoor2客户端"  # the main window, and the login screen's background
LOGIN = "Fennoy客户端"
SPLASH = "Form1"
EXIT_QUESTION = "MsgFrm"
LOGIN_PAGE = (415 - 1, 179 - 1)  # the login page's pane sits 1 pixel out
TAB_PAGE = (4 - 2, 32 - 2)  # the main window's tab page, its browser 2 pixels out


def close_button(width):
    """The main window's own close button, the window `width` wide."""
    return width - 730 // 15 + 20, 9


def minimise_button(width):
    return width - 1465 // 15 + 12, 9


def menu_button(width):
    return width - 1825 // 15 + 12, 9


def exit_answer(answer):
    """The exit question's button for "是" or "否" (twips: both 1320 down, 975 x 375)."""
    left = 840 if answer == "是" else 2040
    return (left + 487) // 15, (1320 + 187) // 15
