"""The X displays of the end-to-end tests, shared by the Wine harness and the native one:
a private X server on a display number it picks itself, a display of several monitors made
of Xephyr screens, and screenshots read back as RGB rows. Standard library only, plus the
Xvfb, Xephyr and ImageMagick commands."""

import os
import subprocess


class Image:
    """A screenshot as raw 8-bit RGB rows, with the few queries the tests need."""

    def __init__(self, path, width, height, rgb):
        self.path, self.width, self.height, self.rgb = path, width, height, rgb

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]

    def count(self, colour, left=0, top=0, right=None, bottom=None):
        """Pixels exactly of `colour` (r, g, b) inside [left, right) x [top, bottom)."""
        right = self.width if right is None else min(right, self.width)
        bottom = self.height if bottom is None else min(bottom, self.height)
        wanted = bytes(colour)
        total = 0
        for y in range(max(top, 0), bottom):
            row = self.rgb[(y * self.width + max(left, 0)) * 3:(y * self.width + right) * 3]
            total += sum(1 for i in range(0, len(row), 3) if row[i:i + 3] == wanted)
        return total

    def differing(self, other, left=0, top=0, right=None, bottom=None):
        """Pixels that differ between two screenshots of the same size inside a rectangle."""
        right = self.width if right is None else right
        bottom = self.height if bottom is None else bottom
        total = 0
        for y in range(top, bottom):
            a = self.rgb[(y * self.width + left) * 3:(y * self.width + right) * 3]
            b = other.rgb[(y * self.width + left) * 3:(y * self.width + right) * 3]
            total += sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])
        return total


def start_x_server(command, env=None):
    """Starts an X server on a display number it chooses itself (no race with other
    servers); returns the process and the display name."""
    read_fd, write_fd = os.pipe()
    proc = subprocess.Popen([*command, "-displayfd", str(write_fd), "-nolisten", "tcp"],
                            pass_fds=(write_fd,), env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    os.close(write_fd)
    number = b""
    with os.fdopen(read_fd, "rb") as pipe:
        while not number.endswith(b"\n"):
            chunk = pipe.read(1)
            if not chunk:
                break
            number += chunk
    if not number.strip():
        proc.kill()
        raise RuntimeError(f"{command[0]} did not start")
    return proc, ":" + number.decode().strip()


def monitors_display(monitors, randr=False):
    """A display of several monitors, as Wine sees them: Xephyr screens joined with
    Xinerama, each (x, y, width, height) placed in the virtual screen, shown inside an
    Xvfb display large enough for all. RandR is left out unless `randr`, since Wine would
    take its one output for the only monitor (with it, RandR reports one monitor and
    Xinerama all). Returns the server processes (host last) and the display."""
    width = max(x + w for x, y, w, h in monitors)
    height = max(y + h for x, y, w, h in monitors)
    host, host_display = start_x_server(["Xvfb", "-screen", "0", f"{width}x{height}x24"])
    command = ["Xephyr", "+xinerama", "-no-host-grab"]
    if not randr:
        command += ["-extension", "RANDR"]
    for x, y, w, h in monitors:
        command += ["-origin", f"{x},{y}", "-screen", f"{w}x{h}x24"]
    try:
        nested, display = start_x_server(command, env={**os.environ, "DISPLAY": host_display})
    except BaseException:
        host.kill()
        host.wait()
        raise
    return [nested, host], display


def screenshot(display, env, path):
    """Saves the whole of `display` as the PNG `path` and returns it as an Image."""
    subprocess.run(["import", "-display", display, "-window", "root", path], env=env,
                   check=True, timeout=30)
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, timeout=30,
                          capture_output=True, text=True).stdout.split()
    rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True, timeout=30,
                         capture_output=True).stdout
    return Image(path, int(size[0]), int(size[1]), rgb)
