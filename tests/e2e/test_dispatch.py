"""End to end: the cross-built program starts under Wine and dispatches on its argument text.
An unknown mode letter loads the settings and ends at once with exit code 0, showing nothing,
whatever the settings file holds; the preview never opens the settings file. No argument
text opens the settings dialog, as /c does; /c:HWND makes that window the dialog's owner,
disabled while the dialog is open (velnor_test_host.exe plays the settings page)."""

import os
import select
import time
import unittest

import wine_harness

SESSION = None  # the harness session, set by wine_harness.run_tests
DIALOG_TITLE = "Velnorの設定"


class UnknownModeEnds(unittest.TestCase):
    def run_without_window(self, *arguments):
        """Runs the program, watching that no saver window ever appears; returns its exit code."""
        def no_saver_window():
            self.assertEqual(SESSION.find_windows("VelnorS"), [], f"window shown for {arguments}")
        return SESSION.run_program(*arguments, timeout=20, while_running=no_saver_window)

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


def read_line(proc, seconds):
    """The next line `proc` prints, or "" when none comes within `seconds`."""
    line = b""
    deadline = time.monotonic() + seconds
    while not line.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([proc.stdout], [], [], left)[0]:
            break
        byte = os.read(proc.stdout.fileno(), 1)
        if not byte:
            break
        line += byte
    return line.decode().strip()


class Configure(unittest.TestCase):
    def open_dialog(self, *arguments):
        """Starts the program and waits for its settings dialog; returns the process."""
        proc = SESSION.start_program(*arguments)
        self.addCleanup(SESSION.stop, proc, DIALOG_TITLE)
        self.assertTrue(SESSION.wait_for_window(DIALOG_TITLE, 30), f"no dialog for {arguments}")
        return proc

    def cancel_dialog(self, proc):
        lines = SESSION.run_helper("velnor_dialog_driver.exe", "wait", "10000", "click", "cmd_Can",
                                   "gone", "10000")[1]
        self.assertEqual(lines[-1:], ["gone"])
        self.assertEqual(SESSION.wait_exit(proc, 10), 0)

    def test_no_arguments_open_the_settings_dialog(self):
        # What Explorer's "Configure" on the file does.
        SESSION.move_mouse(300, 300)
        proc = self.open_dialog()
        time.sleep(1.0)
        SESSION.screenshot("configure-without-arguments")
        self.assertEqual(SESSION.find_windows("VelnorS"), [], "the saver started")
        SESSION.move_mouse(600, 500)
        self.assertTrue(SESSION.still_running(proc, 0.5))
        self.cancel_dialog(proc)

    def test_window_after_c_owns_the_dialog_and_is_disabled_while_it_is_open(self):
        # The settings page passes its own window; a child of it stands for its window too.
        for handle_of in ("host", "pane"):
            with self.subTest(handle=handle_of):
                host, handle = SESSION.start_host("--no-pane", "1" if handle_of == "host" else "0")
                self.addCleanup(SESSION.stop, host)
                proc = self.open_dialog(f"/c:{handle}")
                self.assertEqual(read_line(host, 10), "disabled owns=VelnorSettingsDialog")
                self.cancel_dialog(proc)
                self.assertEqual(read_line(host, 10), "enabled")
                SESSION.stop(host)

    def test_c_with_a_handle_of_no_window_opens_the_dialog_as_plain_c(self):
        proc = self.open_dialog("/c:12345")
        # Wine's loader execs into the program under the same process id. Without address
        # randomization its start cannot lose the shared user data (wine_prefix.py).
        with open(f"/proc/{proc.pid}/personality", encoding="ascii") as personality:
            self.assertTrue(int(personality.read(), 16) & 0x0040000, "randomized addresses")
        self.cancel_dialog(proc)


if __name__ == "__main__":
    wine_harness.run_tests(globals())
