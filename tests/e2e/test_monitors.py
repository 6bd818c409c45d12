"""End to end with two monitors of different sizes, the second one lower than the first:
the saver covers each with its own window and its own scene centred on it, one set of
mouse rules in screen pixels ends it from either, and the settings dialog opens centred
on the monitor under the mouse."""

import time
import unittest

import wine_harness

SESSION = None  # the harness session, set by wine_harness.run_tests
# (x, y, width, height) of each monitor in the virtual screen.
MONITORS = [(0, 0, 1024, 768), (1024, 100, 960, 640)]
GREEN, CYAN = (0, 255, 0), (0, 255, 255)
BALL_REACH = 140  # the default wire ball (radius 128) lies this close to its centre


def centre(monitor):
    x, y, w, h = monitor
    return x + w // 2, y + h // 2


def ball_box(monitor):
    cx, cy = centre(monitor)
    return cx - BALL_REACH, cy - BALL_REACH, cx + BALL_REACH, cy + BALL_REACH


class Monitors(unittest.TestCase):
    def start_saver(self, pointer):
        SESSION.move_mouse(*pointer)
        SESSION.write_settings({})
        proc = SESSION.start_program("/s")
        self.addCleanup(SESSION.stop, proc, "VelnorS")
        deadline = time.monotonic() + 20
        while len(SESSION.find_windows("VelnorS")) < len(MONITORS) and \
                time.monotonic() < deadline:
            time.sleep(0.2)
        time.sleep(0.7)
        return proc

    def test_each_monitor_has_its_own_window_and_scene(self):
        self.start_saver((200, 200))
        windows = sorted(SESSION.window_geometry(w) for w in SESSION.find_windows("VelnorS"))
        self.assertEqual(windows, sorted(MONITORS))
        first = SESSION.screenshot("two-monitors")
        time.sleep(1.0)
        second = SESSION.screenshot("two-monitors-later")
        for monitor in MONITORS:
            with self.subTest(monitor=monitor):
                box = ball_box(monitor)
                self.assertGreater(first.count(GREEN, *box), 300)
                self.assertGreater(first.count(CYAN, *box), 300)
                self.assertGreater(first.differing(second, *box), 1000)
                x, y, w, h = monitor
                inside = sum(first.count(c, x, y, x + w, y + h) for c in (GREEN, CYAN))
                near = sum(first.count(c, *box) for c in (GREEN, CYAN))
                self.assertLess(inside - near, 50, "wire ball lines away from the centre")

    def test_one_mouse_rule_in_screen_pixels_for_all_windows(self):
        proc = self.start_saver((300, 300))
        # Onto the second monitor along the same screen row: its own window sees another
        # row (it starts 100 pixels lower), yet the pointer has not left the row.
        for x in (310, 1200, 1500):
            SESSION.move_mouse(x, 300)
            time.sleep(0.3)
        self.assertTrue(SESSION.still_running(proc, 1.0))
        SESSION.move_mouse(1400, 500)
        self.assertEqual(SESSION.wait_exit(proc, 5), 0)

    def test_a_click_on_the_second_monitor_ends(self):
        proc = self.start_saver((1500, 400))
        SESSION.click(1)
        self.assertEqual(SESSION.wait_exit(proc, 5), 0)
        self.assertEqual(SESSION.find_windows("VelnorS"), [])

    def test_dialog_opens_centred_on_the_monitor_under_the_mouse(self):
        SESSION.move_mouse(1800, 650)
        SESSION.write_settings({})
        proc = SESSION.start_program("/c")
        self.addCleanup(SESSION.stop, proc)
        code, lines, log = SESSION.run_helper("velnor_dialog_driver.exe", "wait", "60000", "read")
        self.assertEqual(code, 0, f"{lines}\n{log[-2000:]}")
        window = next(line for line in lines if line.startswith("window "))
        x, y, w, h = (int(v) for v in window.split()[1][len("rect="):].split(","))
        SESSION.screenshot("dialog-second-monitor")
        cx, cy = centre(MONITORS[1])
        self.assertLessEqual(abs(x + w // 2 - cx), 1, window)
        self.assertLessEqual(abs(y + h // 2 - cy), 1, window)
        SESSION.run_helper("velnor_dialog_driver.exe", "close", "gone", "20000")


if __name__ == "__main__":
    wine_harness.run_tests(globals(), monitors=MONITORS)
