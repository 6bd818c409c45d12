"""End to end: the full-screen saver (/s) under Wine on a 1024 x 768
display with default settings: what it shows, and which mouse and keyboard activity ends it.
While it runs, a second start in any mode ends at once."""

import os
import subprocess
import time
import unittest

import wine_harness

SESSION = None  # the harness session, set by wine_harness.run_tests
HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE_PLANET = os.path.join(HERE, "..", "..", "src", "resources", "sample1.jpg")
GREEN, CYAN, BLUE = (0, 255, 0), (0, 255, 255), (0, 0, 255)
# The wire ball (radius 128 by default) lies within this box around the screen's centre.
BALL_BOX = (512 - 140, 384 - 140, 512 + 140, 384 + 140)


def stretched_sample(picture, width, height):
    """A sample picture stretched over the screen without smoothing, as raw RGB."""
    return subprocess.run(["convert", picture, "-filter", "point", "-resize",
                           f"{width}x{height}!", "-depth", "8", "rgb:-"],
                          check=True, capture_output=True).stdout


def mean_difference_where_bright(rgb, sample, width, skip_box):
    """Mean absolute channel difference from `sample` over every 5th pixel where the sample
    is bright (a black screen is far from it there), outside `skip_box`."""
    left, top, right, bottom = skip_box
    total = count = 0
    for i in range(0, min(len(rgb), len(sample)) // 3, 5):
        x, y = i % width, i // width
        if (left <= x < right and top <= y < bottom) or sum(sample[3 * i:3 * i + 3]) < 240:
            continue
        total += sum(abs(rgb[3 * i + c] - sample[3 * i + c]) for c in range(3))
        count += 3
    return total / max(count, 1)


class Saver(unittest.TestCase):
    def start_saver(self, *arguments, pointer=(300, 300)):
        """Starts the saver with the pointer parked at `pointer`; waits for its window."""
        SESSION.move_mouse(*pointer)
        proc = SESSION.start_program(*arguments)
        self.addCleanup(SESSION.stop, proc, "VelnorS")
        self.assertTrue(SESSION.wait_for_window("VelnorS", 20), "no window titled VelnorS")
        time.sleep(0.7)
        return proc

    def test_sample_picture_and_moving_wire_ball(self):
        self.start_saver("/s")
        first = SESSION.screenshot("saver")
        time.sleep(1.0)
        second = SESSION.screenshot("saver-later")
        # The wire ball: green parallels, cyan meridians, blue equator, around the centre.
        self.assertGreater(first.count(GREEN, *BALL_BOX), 300)
        self.assertGreater(first.count(CYAN, *BALL_BOX), 300)
        self.assertGreater(first.count(BLUE, *BALL_BOX), 40)
        outside = first.count(GREEN) + first.count(CYAN) - first.count(GREEN, *BALL_BOX) - \
            first.count(CYAN, *BALL_BOX)
        self.assertLess(outside, 50, "wire ball lines away from the centre")
        # It moves.
        self.assertGreater(first.differing(second, *BALL_BOX), 1000)
        # The background is the planet sample stretched over the whole screen.
        sample = stretched_sample(SAMPLE_PLANET, SESSION.width, SESSION.height)
        difference = mean_difference_where_bright(first.rgb, sample, SESSION.width, BALL_BOX)
        self.assertLess(difference, 10, "the background is not the stretched sample")

    def test_click_ends(self):
        proc = self.start_saver("/s")
        SESSION.click(1)
        self.assertEqual(SESSION.wait_exit(proc, 5), 0)

    def test_click_ends_between_slow_frames(self):
        # A hand-edited speed of 30000 ms per frame: the wait between frames still lets
        # the click through at once.
        SESSION.write_settings({"速さ": 30000})
        self.addCleanup(SESSION.write_settings, {})
        proc = self.start_saver("/s")
        SESSION.click(1)
        self.assertEqual(SESSION.wait_exit(proc, 5), 0)

    def test_diagonal_move_ends(self):
        proc = self.start_saver("/s")
        SESSION.move_mouse(310, 310)
        time.sleep(0.3)
        SESSION.move_mouse(320, 322)  # in case the first step was the one that only recorded
        self.assertEqual(SESSION.wait_exit(proc, 5), 0)

    def test_horizontal_move_and_keys_do_not_end(self):
        proc = self.start_saver("/s")
        for x in (301, 350, 600, 900, 20):
            SESSION.move_mouse(x, 300)
            time.sleep(0.2)
        for key in ("Escape", "space", "a", "Return", "alt+F4"):
            SESSION.key(key)
        self.assertTrue(SESSION.still_running(proc, 1.5))

    def test_second_start_in_any_mode_ends_at_once(self):
        self.start_saver("/s")
        host, handle = SESSION.start_host()
        self.addCleanup(SESSION.stop, host)
        SESSION.assert_each_ends_at_once(self, (["/s"], ["/c"], ["/p", handle], []))
        # ...before it even looks for its settings.
        self.assertEqual(SESSION.settings_file_mentions("/c"), 0)


if __name__ == "__main__":
    wine_harness.run_tests(globals())
