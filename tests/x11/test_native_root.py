"""End to end: `velnor --root` on a root window spanning two monitors (Xephyr screens
joined by Xinerama inside Xvfb) draws a ball centred on each monitor, also when RandR is
on there and reports a single monitor."""

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


if __name__ == "__main__":
    run()
