"""End to end: the preview (/p <handle>) inside a host pane made by velnor_test_host.exe.
The preview becomes a visible child of the pane with the pane's size, ends when the pane is
destroyed, and ends at once without a usable handle. (Wine does not draw a child window of
another process on the screen, so the host reports the window tree instead of a screenshot.)"""

import time
import unittest

import wine_harness

SESSION = None  # the harness session, set by wine_harness.run_tests


class Preview(unittest.TestCase):
    def embedded_child(self, pane_size):
        """Runs a preview in a pane of `pane_size`; returns the host's report of the pane's child."""
        host, handle = SESSION.start_host("--pane", pane_size, "--report-after", "2000")
        preview = SESSION.start_program("/p", handle)
        try:
            report = host.stdout.readline().decode().strip()
            self.assertTrue(SESSION.still_running(preview, 0.1), "the preview ended by itself")
            return report
        finally:
            SESSION.stop(preview)
            SESSION.stop(host)

    def test_preview_is_a_visible_child_filling_the_pane(self):
        # Includes panes beyond 2184 pixels, whose size in twips would not fit 16 bits.
        for pane_size in ("152x112", "200x150", "2300x2200"):
            with self.subTest(pane=pane_size):
                self.assertEqual(self.embedded_child(pane_size),
                                 f'child class=Velnor_R caption="Preview Window" size={pane_size} visible=1')

    def test_destroyed_pane_ends_the_preview(self):
        host, handle = SESSION.start_host("--destroy-pane-after", "2500")
        preview = SESSION.start_program("/p", handle)
        try:
            self.assertTrue(SESSION.still_running(preview, 2.0), "ended before the pane went")
            self.assertEqual(host.stdout.readline().decode().strip(), "pane destroyed")
            destroyed_at = time.monotonic()
            self.assertIsNotNone(SESSION.wait_exit(preview, 5), "still running without its pane")
            self.assertLess(time.monotonic() - destroyed_at, 1.5)
            self.assertIsNone(host.poll(), "the host itself must still be running")
        finally:
            SESSION.stop(preview)
            SESSION.stop(host)

    def test_unusable_handle_ends_at_once(self):
        SESSION.assert_each_ends_at_once(
            self, (["/p", "12345"], ["/p"], ["/p", "abc"], ["/p", "99999999999999"]))


if __name__ == "__main__":
    wine_harness.run_tests(globals())
