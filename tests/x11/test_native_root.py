"""End to end: `velnor --root` on a root window spanning two monitors (Xephyr screens
joined by Xinerama inside Xvfb) draws a ball centred on each monitor, also when RandR is
on there and reports a single monitor; and a command line as the settings panel and other
display modes write it (X colour names, -fps, -delay, -display) is drawn as it says,
whatever Velnor.ini holds."""

import os
import shutil
import tempfile
import time
import unittest

from native_harness import Screen, line_box, line_counts, run

MONITORS = [(0, 0, 1024, 768), (1024, 0, 800, 600)]


class TwoMonitors(unittest.TestCase):
    def test_each_monitor_gets_its_own_ball(self):
        for randr in (False, True):
            with self.subTest(randr=randr), Screen(monitors=MONITORS, randr=randr) as screen:
                self.check_a_ball_per_monitor(screen, "two-monitors" + ("-randr" if randr else ""))

    def check_a_ball_per_monitor(self, screen, label):
        proc = screen.start("--root", "--no-sample")
        shot = screen.wait_for_lines(label, (1424, 300), 140)
        for x, y, width, height in MONITORS:
            centre = (x + width // 2, y + height // 2)
            self.assertTrue(all(line_counts(shot, centre, 140)), (centre, shot.path))
            box = line_box(shot, x, y, x + width, y + height)
            self.assertAlmostEqual((box[0] + box[2]) / 2, centre[0], delta=6, msg=shot.path)
            self.assertAlmostEqual((box[1] + box[3]) / 2, centre[1], delta=6, msg=shot.path)
        self.assertIsNone(proc.poll())


DARK_SLATE_BLUE = (72, 61, 139)
CYAN = (0, 255, 255)


def colour_box(image, colours, left, top, right, bottom):
    """The bounding box of the pixels of `colours` inside a rectangle, or None."""
    wanted = {bytes(colour) for colour in colours}
    xs, ys = [], []
    for y in range(top, bottom):
        row = image.rgb[(y * image.width) * 3:(y * image.width + image.width) * 3]
        for x in range(left, right):
            if row[x * 3:x * 3 + 3] in wanted:
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if xs else None


class PanelCommandLine(unittest.TestCase):
    def test_colour_names_fps_and_delay_are_drawn_and_the_file_cannot_contradict(self):
        config = tempfile.mkdtemp(prefix="velnor-root-")
        self.addCleanup(shutil.rmtree, config)
        os.makedirs(os.path.join(config, "velnor"))
        # A copied Windows file: a 300-pixel ball in perspective. The panel's line leaves
        # both at their defaults, so the ball is drawn at 128 pixels without perspective.
        perspective_key = "透視画法".encode("cp932")
        with open(os.path.join(config, "velnor", "Velnor.ini"), "wb") as ini:
            ini.write(b"[Section]\r\nScale=300\r\n" + perspective_key + b"=1\r\n")
        with Screen() as screen:
            proc = screen.start("-root", "-fps", "-delay", "20000", "--parallel-colour",
                                " dark slate blue ", "--meridian-colour", "nosuchcolour",
                                "--no-sample", "-display", screen.display,
                                env=screen.env(XDG_CONFIG_HOME=config))
            deadline = time.monotonic() + 10
            while True:
                shot = screen.screenshot("panel-line")
                if shot.count(DARK_SLATE_BLUE, 0, 0, 1024, 768) and shot.count(
                        (255, 255, 255), 0, 700, 200, 768):
                    break
                self.assertLess(time.monotonic(), deadline, shot.path)
                time.sleep(0.3)
            self.assertGreater(shot.count(CYAN, 312, 184, 712, 584), 0, shot.path)
            box = colour_box(shot, (DARK_SLATE_BLUE, CYAN), 112, 0, 912, 768)
            self.assertLess(box[2] - box[0], 300, (box, shot.path))
            # The frame rate: white figures on a black box in the bottom-left corner.
            self.assertGreater(shot.count((0, 0, 0), 4, 740, 100, 764), 200, shot.path)
            proc.terminate()
            self.assertEqual(proc.wait(timeout=10), 0)
            errors = proc.stderr.read().splitlines()
            self.assertEqual(len(errors), 1, errors)
            self.assertIn("--meridian-colour", errors[0])


if __name__ == "__main__":
    run()
