"""End to end: the preview (/p <handle>) inside a host pane made by velnor_test_host.exe.
The preview becomes a visible child of the pane with the pane's size, ends when the pane is
destroyed, and ends at once without a usable handle. (Wine does not draw a child window of
another process on the screen, so the host reports the window tree instead of a screenshot.)"""

import subprocess
import time
import unittest

import wine_harness

ARGS = None
SESSION = None


def setUpModule():
    global SESSION
    SESSION = wine_harness.Session(ARGS)
    SESSION.start()


def tearDownModule():
    SESSION.close()


def start_host(*options):
    """Starts the host program; returns it and its pane's handle (decimal text)."""
    host = SESSION.start_program(*options, program=SESSION.helper("velnor_test_host.exe"),
                                 stdout=subprocess.PIPE)
    handle = host.stdout.readline().decode().strip()
    if not handle.isdigit():
        raise RuntimeError(f"host printed {handle!r}")
    return host, handle


def end(proc):
    if proc.poll() is None:
        proc.kill()
        proc.wait()


class Preview(unittest.TestCase):
    def embedded_child(self, pane_size):
        """Runs a preview in a pane of `pane_size`; returns the host's report of the pane's child."""
        host, handle = start_host("--pane", pane_size, "--report-after", "2000")
        preview = SESSION.start_program("/p", handle)
        try:
            report = host.stdout.readline().decode().strip()
            self.assertTrue(SESSION.still_running(preview, 0.1), "the preview ended by itself")
            return report
        finally:
            end(preview)
            end(host)

    def test_preview_is_a_visible_child_filling_the_pane(self):
        # Includes panes beyond 2184 pixels, whose size in twips would not fit 16 bits.
        for pane_size in ("152x112", "200x150", "2300x2200"):
            with self.subTest(pane=pane_size):
                self.assertEqual(self.embedded_child(pane_size),
                                 f'child class=Velnor_R caption="Preview Window" size={pane_size} visible=1')

    def test_destroyed_pane_ends_the_preview(self):
        host, handle = start_host("--destroy-pane-after", "2500")
        preview = SESSION.start_program("/p", handle)
        try:
            self.assertTrue(SESSION.still_running(preview, 2.0), "ended before the pane went")
            self.assertEqual(host.stdout.readline().decode().strip(), "pane destroyed")
            destroyed_at = time.monotonic()
            self.assertIsNotNone(SESSION.wait_exit(preview, 5), "still running without its pane")
            self.assertLess(time.monotonic() - destroyed_at, 1.5)
            self.assertIsNone(host.poll(), "the host itself must still be running")
        finally:
            end(preview)
            end(host)

    def test_unusable_handle_ends_at_once(self):
        for arguments in (["/p", "12345"], ["/p"], ["/p", "abc"], ["/p", "99999999999999"]):
            with self.subTest(arguments=arguments):
                started = time.monotonic()
                self.assertEqual(SESSION.run_program(*arguments, timeout=10), 0)
                self.assertLess(time.monotonic() - started, 5)


if __name__ == "__main__":
    wine_harness.main(globals())
