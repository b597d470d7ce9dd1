"""Drives Tavorin's Windows program under Wine as a user would, with xdotool,
and watches it through the window probe. Every step waits for state it has
observed (a window, a list's rows, a file's bytes), never for a fixed time."""
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

TIMEOUT = 60.0
POLL = 0.1


class Failure(Exception):
    pass


def wait_for(what, check, timeout=TIMEOUT):
    """Returns check()'s first true value; fails after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(POLL)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


class Wine:
    """Programs started through the build's Wine wrapper, in one prefix."""

    def __init__(self, wine_run, prefix):
        self.wine_run = wine_run
        self.prefix = prefix
        self.processes = []

    def start(self, program, *args, cwd=None, **popen):
        process = subprocess.Popen([self.wine_run, self.prefix, program, *map(str, args)], cwd=cwd, **popen)
        self.processes.append(process)
        return process

    def stop_all(self):
        for process in self.processes:
            if process.poll() is None:
                process.terminate()
        for process in self.processes:
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
        env = dict(os.environ, WINEPREFIX=str(self.prefix))
        subprocess.run(["wineserver", "-k"], env=env, check=False)


class Probe:
    """The window probe, kept running; ask() sends a command and returns the
    lines of its answer."""

    def __init__(self, wine, probe_exe):
        started = time.monotonic()
        self.process = wine.start(probe_exe, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        # The first program in a fresh prefix waits while Wine makes it (up
        # to a minute on a busy machine); the program under test starts after
        # that, so its own waits do not count the prefix's making.
        self.ask("class TavorinNoSuchWindow")
        print(f"the probe answered after {time.monotonic() - started:.1f} s")

    def ask(self, command):
        self.process.stdin.write((command + "\n").encode())
        self.process.stdin.flush()
        lines = []
        while True:
            raw = self.process.stdout.readline()
            if not raw:
                raise Failure(f"the probe ended while answering {command!r}")
            line = raw.decode("gb18030").rstrip("\r\n")
            if line == "end":
                return lines
            lines.append(line)

    def window_of_class(self, name):
        """The top-level window of that class: left, top, right, bottom, dpi,
        visible, enabled, topmost, foreground; None when there is none."""
        lines = self.ask(f"class {name}")
        return [int(v) for v in lines[0].split()[1:]] if lines else None

    def main(self):
        return self.window_of_class("TavorinForm1")

    def main_shown(self):
        window = self.main()
        return window if window and window[5] == 1 and window[6] == 1 else None

    def controls(self):
        result = {}
        for line in self.ask("controls"):
            name, visible, rect, text = line.split("\t")
            result[name] = {"visible": visible == "1", "rect": [int(v) for v in rect.split()], "text": text}
        return result

    def items(self, name):
        return [(flag == "1", text) for flag, text in (line.split("\t", 1) for line in self.ask(f"items {name}"))]

    def texts(self, name):
        return [text for _, text in self.items(name)]

    def rects(self, name):
        """The screen rectangles of a check-box list's rows or of the tab
        strip's tabs."""
        return [[int(v) for v in line.split()[1:]] for line in self.ask(f"rects {name}")]

    def bars(self, name):
        """A list-view's scroll bars and widths: (horizontal shown, vertical
        shown, column width, client width)."""
        return tuple(int(v) for v in self.ask(f"bars {name}")[0].split())

    def window(self, title):
        """The first visible top-level window of that title: its rectangle
        and child controls, or None."""
        lines = self.ask(f"find {title}")
        if not lines:
            return None
        children = []
        for line in lines[1:]:
            _, cls, rect, text = line.split("\t")
            children.append({"class": cls, "rect": [int(v) for v in rect.split()], "text": text})
        return {"rect": [int(v) for v in lines[0].split()[1:5]], "children": children}

    def picker(self):
        window = self.window_of_class("TavorinPicker")
        return window[:4] if window and window[5] else None

    def badge(self):
        return self.window_of_class("TavorinRunBadge")


def start_program(wine, probe, exe, cwd):
    """Starts Tavorin; its main window once it shows. A program that ends
    first fails at once, and a timeout says which windows there were."""
    started = time.monotonic()
    process = wine.start(exe, cwd=cwd)

    def shown():
        if process.poll() is not None:
            raise Failure(f"{exe} ended with status {process.returncode} before its window showed")
        return probe.main_shown()
    try:
        window = wait_for("the main window", shown)
        print(f"the main window showed after {time.monotonic() - started:.1f} s")
        return window
    except Failure as failure:
        names = [subprocess.run(["xdotool", "getwindowname", w], capture_output=True, text=True).stdout.strip()
                 for w in subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                                         capture_output=True, text=True).stdout.split()]
        raise Failure(f"{failure}; its window reads {probe.main()}; the X windows shown: {names}")


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def click(x, y):
    # A move onto the pointer's own spot never reports back: --sync would
    # wait for it in vain.
    here = subprocess.run(["xdotool", "getmouselocation"], capture_output=True, text=True).stdout.split()
    if here[:2] != [f"x:{x}", f"y:{y}"]:
        xdotool("mousemove", "--sync", x, y)
    xdotool("click", 1)


def click_control(probe, name):
    controls = probe.controls()
    if name not in controls or not controls[name]["visible"]:
        raise Failure(f"{name} is not on screen")
    click(*centre(controls[name]["rect"]))


def screenshot(path, rect):
    """The screen area of `rect` (left, top, right, bottom) as a PNG."""
    left, top, right, bottom = rect
    # A little margin shows the window manager's frame too.
    left, top = max(left - 8, 0), max(top - 32, 0)
    geometry = f"{right - left + 8}x{bottom - top + 8}+{left}+{top}"
    Path(path).parent.mkdir(parents=True, exist_ok=True)
    subprocess.run(["import", "-window", "root", "-crop", geometry, str(path)], check=True)


def pixel(x, y):
    """The colour of one screen pixel as (red, green, blue)."""
    out = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8", "rgb:-"],
                         capture_output=True, check=True).stdout
    return tuple(out[:3])


def x_window_shown(title):
    """The ids of the viewable X windows of that exact title: a Win32 window
    shows before Wine has mapped its X window, and a click before then is lost."""
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                         capture_output=True, text=True).stdout.split()
    return ids or None


def has_x_focus(title):
    """Whether the X keyboard focus is on a window of that exact title, as
    the window manager and the program left it."""
    ids = x_window_shown(title) or []
    focus = subprocess.run(["xdotool", "getwindowfocus", "-f"], capture_output=True, text=True).stdout.split()
    return bool(set(ids) & set(focus))


def activate_window_titled(title):
    """Gives the keyboard to the X window of that exact title."""
    seen = []

    def output(*args):
        return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.split()

    def has_keyboard():
        ids = output("search", "--onlyvisible", "--name", f"^{title}$")
        if not ids:
            return False
        # A window the manager has not finished mapping refuses activation;
        # asked again, it takes it. Should the manager have gone, the X
        # focus is set directly.
        output("windowactivate", ids[-1])
        if set(output("getactivewindow")) & set(ids):
            return True
        output("windowfocus", ids[-1])
        focus = output("getwindowfocus", "-f")
        seen[:] = [ids, focus]
        return bool(set(focus) & set(ids))

    try:
        wait_for(f"the X window {title!r} to take the keyboard", has_keyboard)
    except Failure as failure:
        raise Failure(f"{failure}: windows and focus {seen}")


def require(condition, message):
    if not condition:
        raise Failure(message)


def main_guarded(run):
    """Runs a test body and turns a failure into a message and exit code."""
    try:
        run()
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        sys.exit(1)
    print("PASS")


def fresh_folder(path):
    shutil.rmtree(path, ignore_errors=True)
    Path(path).mkdir(parents=True)
    return Path(path)
