"""End to end: the saver with the console display off and back on, the notification given
through the test-only route (velnor_power_driver.exe, accepted only when the environment
variable VELNOR_TEST_DISPLAY_STATE is set). While off nothing is drawn and a click still
ends the saver; back on, it draws again, starting with its whole frame. Also the pace of
frames with either way of waiting between them."""

import os
import re
import time
import unittest

import wine_harness

SESSION = None  # the harness session, set by wine_harness.run_tests
BALL_BOX = (512 - 140, 384 - 140, 512 + 140, 384 + 140)


def read_stats(path):
    """The saver's frame statistics as {name: number}."""
    with open(path) as text:
        return {key: float(value) for key, value in re.findall(r"(\w+)=([\d.]+)", text.read())}


class DisplayState(unittest.TestCase):
    def start_saver(self, test_route=True, timer_waits=False):
        """Starts the saver with its frame statistics on; returns the process and the path
        of the statistics file once it has been written. `timer_waits`: the saver waits
        between frames on its timer, as where sleeps are coarse."""
        stats = os.path.join(SESSION.work, "frame-stats.txt")
        if os.path.exists(stats):
            os.remove(stats)
        os.environ["VELNOR_FRAME_STATS"] = SESSION.windows_path(stats)
        for name, wanted in (("VELNOR_TEST_DISPLAY_STATE", test_route),
                             ("VELNOR_TEST_TIMER_WAITS", timer_waits)):
            os.environ.pop(name, None)
            if wanted:
                os.environ[name] = "1"
        SESSION.move_mouse(300, 300)
        proc = SESSION.start_program("/s")
        self.addCleanup(SESSION.stop, proc, "VelnorS")
        self.assertTrue(SESSION.wait_for_window("VelnorS", 20), "no window titled VelnorS")
        deadline = time.monotonic() + 10
        while not os.path.exists(stats) and time.monotonic() < deadline:
            time.sleep(0.2)
        self.assertTrue(os.path.exists(stats), "no frame statistics")
        return proc, stats

    def display(self, state):
        return SESSION.run_helper("velnor_power_driver.exe", state, timeout=60)

    def test_nothing_is_drawn_while_off_and_the_whole_frame_comes_back(self):
        proc, stats = self.start_saver()
        code, lines, log = self.display("off")
        self.assertEqual(code, 0, f"{lines} {log}")
        time.sleep(1.2)  # the frame in progress and the last statistics are written
        before, shot_before = read_stats(stats), SESSION.screenshot("off")
        time.sleep(2.5)
        after, shot_after = read_stats(stats), SESSION.screenshot("still-off")
        self.assertEqual(after["frames"], before["frames"], "frames drawn while off")
        self.assertEqual(shot_before.differing(shot_after, *BALL_BOX), 0, "the screen changed")
        self.assertIsNone(proc.poll())

        code, lines, log = self.display("on")
        self.assertEqual(code, 0, f"{lines} {log}")
        time.sleep(2.5)
        back = read_stats(stats)
        self.assertGreater(back["frames"], after["frames"] + 50, "no frames after the display came on")
        self.assertGreaterEqual(back["whole"], after["whole"] + 1, "no whole frame presented")
        self.assertGreater(shot_after.differing(SESSION.screenshot("on-again"), *BALL_BOX), 1000)

    def test_both_ways_of_waiting_keep_the_pace(self):
        # Under Wine sleeps end on time and are used; the timer is what the
        # saver uses where they do not. Either keeps about 100 frames a second (64 would
        # mean waits rounded to a coarse tick).
        for timer_waits in (False, True):
            with self.subTest(timer_waits=timer_waits):
                proc, stats = self.start_saver(test_route=False, timer_waits=timer_waits)
                time.sleep(1.2)
                before = read_stats(stats)["frames"]
                time.sleep(3.0)
                frames = read_stats(stats)["frames"] - before
                SESSION.stop(proc, "VelnorS")
                self.assertGreater(frames, 3 * 80, f"{frames} frames in 3 s")

    def test_a_click_ends_the_saver_while_the_display_is_off(self):
        proc, _ = self.start_saver()
        self.assertEqual(self.display("off")[0], 0)
        time.sleep(0.5)
        SESSION.click(1)
        self.assertEqual(SESSION.wait_exit(proc, 5), 0)

    def test_without_the_switch_the_test_route_is_refused(self):
        _, stats = self.start_saver(test_route=False)
        code, lines, _ = self.display("off")
        self.assertNotEqual(code, 0, lines)
        time.sleep(0.5)
        before = read_stats(stats)["frames"]
        time.sleep(1.5)
        self.assertGreater(read_stats(stats)["frames"], before + 50, "the saver stopped drawing")


if __name__ == "__main__":
    wine_harness.run_tests(globals())
