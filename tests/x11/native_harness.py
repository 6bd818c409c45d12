"""End-to-end harness of the native X11 program: a private Xvfb display (or two monitors
made of Xephyr screens inside it), the `velnor` processes a test starts, the test window
helper, and screenshots. Closing it ends exactly the processes it started, by process id.
Standard library only, plus Xvfb, Xephyr, xdotool and ImageMagick; the display and
screenshot pieces are x_display.py's, shared with the Wine harness.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from x_display import monitors_display, screenshot, start_x_server  # noqa: E402

# The wire ball's default line colours: parallels, meridians and the blue equator.
LINE_COLOURS = ((0, 255, 0), (0, 255, 255), (0, 0, 255))


def parse_args():
    here = os.path.dirname(os.path.abspath(__file__))
    build = os.path.join(here, "..", "..", "build", "native")
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", default=os.path.join(build, "bin", "velnor"))
    parser.add_argument("--test-window", default=os.path.join(build, "bin", "velnor_test_window"))
    parser.add_argument("--work", default=os.path.join(build, "tests", "x11", "manual"))
    parser.add_argument("--build", default=build, help="the native build folder")
    parser.add_argument("unittest_args", nargs="*")
    return parser.parse_args()


ARGS = parse_args()
_shots = 0  # screenshots of the whole script, numbered in order


class Screen:
    """An X display for one test; use it with `with`. `monitors`: a list of
    (x, y, width, height) for a display of several monitors, with RandR when `randr`;
    `server_options`: extra options of Xvfb (for example to leave out an extension)."""

    def __init__(self, width=1024, height=768, monitors=None, server_options=(), randr=False):
        self.width, self.height = width, height
        if monitors:
            self._servers, self.display = monitors_display(monitors, randr)
        else:
            # -noreset: a client that only looks (xscreensaver-command, xdotool) and leaves
            # while the program under test is still connecting would otherwise make the
            # server reset and drop that program's new connection.
            server, self.display = start_x_server(["Xvfb", "-ac", "-noreset", "-screen", "0",
                                                   f"{width}x{height}x24", *server_options])
            self._servers = [server]
        self._processes = []
        self.window_owners = {}  # test window id -> the helper process that shows it
        os.makedirs(ARGS.work, exist_ok=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        for proc in reversed(self._processes):
            if proc.poll() is None:
                proc.kill()
                proc.wait()
            for stream in (proc.stdout, proc.stderr):
                if stream:
                    stream.close()
        for server in self._servers:
            server.terminate()
            try:
                server.wait(timeout=10)
            except subprocess.TimeoutExpired:
                server.kill()
                server.wait()

    def stop_server(self):
        """Stops the X server (SIGSTOP): its clients wait for answers until it continues."""
        self._servers[0].send_signal(signal.SIGSTOP)

    def continue_server(self):
        self._servers[0].send_signal(signal.SIGCONT)

    def env(self, **extra):
        env = {**os.environ, "DISPLAY": self.display, **extra}
        env.pop("XSCREENSAVER_WINDOW", None)
        env.update(extra)
        return env

    def start(self, *arguments, env=None):
        """Starts velnor with `arguments`; its error output is kept for the test."""
        proc = subprocess.Popen([ARGS.program, *arguments], env=env or self.env(),
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self._processes.append(proc)
        return proc

    def test_window(self, x, y, width, height):
        """A black window of the test's own; returns its id."""
        proc = subprocess.Popen([ARGS.test_window, str(x), str(y), str(width), str(height)],
                                env=self.env(), stdout=subprocess.PIPE, text=True)
        self._processes.append(proc)
        window = int(proc.stdout.readline(), 16)
        proc.stdout.close()
        self.window_owners[window] = proc
        return window

    def ask_to_close(self, window):
        """Sends `window` the window manager's close request."""
        subprocess.run([ARGS.test_window, "--close", str(window)], env=self.env(), check=True,
                       timeout=30)

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=self.env(), check=True, timeout=30,
                              capture_output=True, text=True).stdout

    def screenshot(self, label):
        global _shots
        _shots += 1
        path = os.path.join(ARGS.work, f"{_shots:02d}-{label}.png")
        return screenshot(self.display, self.env(), path)

    def wait_for_lines(self, label, centre, radius, seconds=10):
        """Screenshots until the wire ball's three line colours show within `radius`
        of `centre`; returns the last screenshot."""
        deadline = time.monotonic() + seconds
        while True:
            shot = self.screenshot(label)
            if all(count > 0 for count in line_counts(shot, centre, radius)):
                return shot
            if time.monotonic() > deadline:
                return shot
            time.sleep(0.3)


def line_counts(image, centre, radius):
    """Pixels of each line colour inside the square of `radius` around `centre`."""
    x, y = centre
    return [image.count(colour, x - radius, y - radius, x + radius, y + radius)
            for colour in LINE_COLOURS]


def line_box(image, left, top, right, bottom):
    """The bounding box (left, top, right, bottom) of the line-coloured pixels inside a
    rectangle, or None."""
    wanted = {bytes(colour) for colour in LINE_COLOURS}
    found = None
    for y in range(max(top, 0), min(bottom, image.height)):
        row = image.rgb[(y * image.width) * 3:(y * image.width + image.width) * 3]
        for x in range(max(left, 0), min(right, image.width)):
            if row[x * 3:x * 3 + 3] in wanted:
                if found is None:
                    found = [x, y, x + 1, y + 1]
                else:
                    found = [min(found[0], x), min(found[1], y), max(found[2], x + 1),
                             max(found[3], y + 1)]
    return found


def frame_stats(path):
    """The fields of the frame statistics line velnor writes every second (environment
    variable VELNOR_FRAME_STATS), as numbers; None before the first line."""
    try:
        with open(path, encoding="ascii") as stats:
            text = stats.read().strip()
    except OSError:
        return None
    fields = dict(item.split("=") for item in text.split() if "=" in item)
    return {key: float(value) for key, value in fields.items()} if fields else None


def exits_within(proc, seconds):
    """Whether `proc` has ended (or ends) within `seconds`."""
    try:
        proc.wait(timeout=seconds)
        return True
    except subprocess.TimeoutExpired:
        return False


def run():
    import unittest
    unittest.main(argv=[sys.argv[0], *ARGS.unittest_args], verbosity=2)


def have(command):
    return shutil.which(command) is not None
