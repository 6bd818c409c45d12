"""End to end on Xvfb: a listed picture swapped for a FIFO after the folder scan (opening
it would wait for a writer for good) is passed over: the slide show goes on to the next
picture, and SIGTERM still ends velnor with status 0 within 100 ms."""

import os
import shutil
import signal
import subprocess
import time
import unittest

from native_harness import ARGS, Screen, exits_within, run

COLOURS = {"red": (255, 0, 0), "green": (0, 255, 0), "blue": (0, 0, 255),
           "white": (255, 255, 255)}  # white: c.jpg read before it became a FIFO


def colour_name(pixel):
    for name, colour in COLOURS.items():
        if all(abs(a - b) <= 24 for a, b in zip(pixel, colour)):
            return name
    return "other"


class StuckFiles(unittest.TestCase):
    def test_a_fifo_swapped_in_after_the_scan_is_passed_over(self):
        folder = os.path.join(ARGS.work, "fifo-pictures")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        for name, colour in (("a.jpg", "red"), ("b.jpg", "lime"), ("c.jpg", "white"),
                             ("d.jpg", "blue")):
            subprocess.run(["convert", "-size", "64x48", f"xc:{colour}",
                            os.path.join(folder, name)], check=True, timeout=30)
        with Screen() as screen:
            proc = screen.start("--window", "--folder", folder, "--interval", "1")
            # The folder is scanned before the window appears; c.jpg is first read when
            # b.jpg is taken, at the first change a second later.
            screen.xdotool("search", "--sync", "--name", "^Velnor$")
            os.remove(os.path.join(folder, "c.jpg"))
            os.mkfifo(os.path.join(folder, "c.jpg"))
            seen = []
            deadline = time.monotonic() + 12
            while time.monotonic() < deadline and seen.count("red") < 2:
                name = colour_name(screen.screenshot("fifo").pixel(20, 20))
                if name != "other" and (not seen or seen[-1] != name):
                    seen.append(name)
                time.sleep(0.2)
            self.assertEqual(seen[:4], ["red", "green", "blue", "red"], seen)
            sent = time.monotonic()
            proc.send_signal(signal.SIGTERM)
            ended = exits_within(proc, 5)
            elapsed = time.monotonic() - sent
            self.assertTrue(ended, "SIGTERM did not end velnor")
            self.assertEqual(proc.returncode, 0, proc.stderr.read())
            self.assertLess(elapsed, 0.100, f"{elapsed * 1000:.0f} ms")


if __name__ == "__main__":
    run()
