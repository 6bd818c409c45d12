"""End to end: the cross-built program starts under Wine and dispatches on its argument text.
An unknown mode letter loads the settings and ends at once with exit code 0, showing nothing,
whatever the settings file holds; the preview never opens the settings file."""

import time
import unittest

import wine_harness

SESSION = None  # the harness session, set by wine_harness.run_tests


class UnknownModeEnds(unittest.TestCase):
    def run_without_window(self, *arguments):
        """Runs the program, watching that no saver window ever appears; returns its exit code."""
        proc = SESSION.start_program(*arguments)
        deadline = time.monotonic() + 20
        while proc.poll() is None and time.monotonic() < deadline:
            self.assertEqual(SESSION.find_windows("VelnorS"), [], f"window shown for {arguments}")
            time.sleep(0.1)
        return SESSION.wait_exit(proc, 1)

    def test_unknown_letters_end_with_zero(self):
        for arguments in (["/a"], ["s"], ["/x", "extra"]):
            with self.subTest(arguments=arguments):
                self.assertEqual(self.run_without_window(*arguments), 0)

    def test_damaged_settings_file_is_no_crash(self):
        program = SESSION.install(SESSION.program, folder="damaged")
        with open(program[: program.rfind("/")] + "/Velnor.ini", "wb") as out:
            out.write(b"\x00\xff[Section\r\n\x81=\x82\x00" + b"A" * 70000 + b"\r\n=\r\n[Section]\r\nScale=abc\r\n")
        self.assertEqual(SESSION.run_program("/a", program=program), 0)


class PreviewReadsNoSettings(unittest.TestCase):
    def test_preview_never_opens_the_settings_file(self):
        SESSION.write_settings({"Scale": 200})
        # The trace does show a settings read, as any other mode makes one.
        self.assertGreater(SESSION.settings_file_mentions("/a"), 0)
        host, handle = SESSION.start_host()
        self.addCleanup(SESSION.stop, host)
        for arguments in (["/p", handle], ["/p", "abc"]):
            with self.subTest(arguments=arguments):
                self.assertEqual(SESSION.settings_file_mentions(*arguments), 0)


if __name__ == "__main__":
    wine_harness.run_tests(globals())
