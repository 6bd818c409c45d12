"""End to end on Xvfb: `velnor` in a window of its own, on a window made by the test (as
the daemon's preview pane), following that window's size, ignoring input there, ending
at once on SIGTERM and SIGINT, and presenting without shared memory."""

import os
import shutil
import signal
import subprocess
import time
import unittest

from native_harness import ARGS, Screen, exits_within, line_box, line_counts, run

BALL = 140  # the default wire ball's radius (128) with some room


def centre_of(box):
    return ((box[0] + box[2]) / 2, (box[1] + box[3]) / 2)


class OwnWindow(unittest.TestCase):
    def test_shows_the_moving_ball_and_closes_on_q_escape_or_the_close_button(self):
        for key in ("q", "Escape", None):
            with Screen() as screen:
                proc = screen.start("--window", "--no-sample")
                first = screen.wait_for_lines(f"own-window-{key}", (512, 384), BALL)
                self.assertTrue(all(line_counts(first, (512, 384), BALL)), first.path)
                second = screen.screenshot(f"own-window-{key}-later")
                self.assertGreater(first.differing(second, 372, 244, 652, 524), 50,
                                   "the ball does not move")
                window = screen.xdotool("search", "--name", "^Velnor$").split()[0]
                if key:
                    screen.xdotool("windowfocus", "--sync", window)
                    screen.xdotool("key", key)
                else:
                    screen.ask_to_close(window)
                self.assertTrue(exits_within(proc, 5), f"{key or 'close'} did not close it")
                self.assertEqual(proc.returncode, 0)


    def test_sets_the_window_properties_of_stock_display_modes(self):
        with Screen() as screen:
            proc = screen.start("--window", "--no-sample", "--scale", "64")
            screen.wait_for_lines("properties", (512, 384), 80)
            window = screen.xdotool("search", "--name", "^Velnor$").split()[0]
            props = subprocess.run(["xprop", "-id", window], env=screen.env(), check=True,
                                   timeout=30, capture_output=True, text=True).stdout
            wanted = [f"_NET_WM_PID(CARDINAL) = {proc.pid}",
                      'WM_COMMAND(STRING) = { "' + ARGS.program + '", "--window", "--no-sample"',
                      f'WM_CLIENT_MACHINE(STRING) = "{os.uname().nodename}"',
                      "WM_NORMAL_HINTS(WM_SIZE_HINTS):", "program specified size: 1024 by 768",
                      "WM_HINTS(WM_HINTS):", "Client accepts input or input focus: True",
                      'WM_CLASS(STRING) = "velnor", "Velnor"', 'WM_NAME(STRING) = "Velnor"',
                      "WM_PROTOCOLS(ATOM): protocols  WM_DELETE_WINDOW"]
            for text in wanted:
                self.assertIn(text, props)


class GivenWindow(unittest.TestCase):
    def test_follows_the_windows_size_and_ignores_input(self):
        with Screen() as screen:
            window = screen.test_window(100, 80, 400, 300)
            proc = screen.start("--window-id", hex(window), "--no-sample")
            shot = screen.wait_for_lines("given-400x300", (300, 230), BALL)
            box = line_box(shot, 100, 80, 500, 380)
            self.assertIsNotNone(box, shot.path)
            for got, wanted in zip(centre_of(box), (300, 230)):
                self.assertAlmostEqual(got, wanted, delta=6, msg=shot.path)
            # The ball is made small enough for the window (radius 0.3 of its height).
            self.assertLessEqual(box[3] - box[1], 2 * 90 + 2, shot.path)

            # Keys and clicks on a given window belong to its owner: velnor draws on.
            screen.xdotool("windowfocus", "--sync", str(window))
            screen.xdotool("key", "q", "Escape")
            screen.xdotool("mousemove", "300", "230", "click", "1")
            self.assertFalse(exits_within(proc, 1), "input on a given window ended velnor")

            screen.xdotool("windowsize", str(window), "800", "600")
            shot = screen.wait_for_lines("given-800x600", (500, 380), BALL)
            time.sleep(0.3)
            shot = screen.screenshot("given-800x600-settled")
            box = line_box(shot, 100, 80, 900, 680)
            self.assertIsNotNone(box, shot.path)
            for got, wanted in zip(centre_of(box), (500, 380)):
                self.assertAlmostEqual(got, wanted, delta=6, msg=shot.path)
            # Rebuilt for the new size, where the ball has its full radius of 128 again.
            self.assertGreater(box[3] - box[1], 2 * 120, shot.path)

            # A window that goes away (its owner ends) ends velnor quietly.
            screen.window_owners[window].kill()
            self.assertTrue(exits_within(proc, 5), "velnor outlived its window")
            self.assertEqual(proc.returncode, 0, proc.stderr.read())

    def test_a_window_that_does_not_exist_is_named_in_hex(self):
        with Screen() as screen:
            proc = screen.start("--window-id", "0x3fffff", "--no-sample")
            self.assertTrue(exits_within(proc, 10))
            self.assertEqual(proc.returncode, 1)
            self.assertIn("no window 0x3fffff on this display", proc.stderr.read())

    def test_root_option_draws_on_the_daemons_window(self):
        with Screen() as screen:
            window = screen.test_window(200, 100, 600, 500)
            proc = screen.start("--root", "--no-sample",
                                env=screen.env(XSCREENSAVER_WINDOW=hex(window)))
            shot = screen.wait_for_lines("daemon-window", (500, 350), BALL)
            self.assertTrue(all(line_counts(shot, (500, 350), BALL)), shot.path)
            self.assertEqual(line_counts(shot, (512, 384), 0), [0, 0, 0])
            self.assertIsNone(proc.poll())

    def test_ends_by_the_signal_within_100_ms_also_while_the_server_does_not_answer(self):
        # Ended by the signal itself (status -N here), as the daemon expects of a display
        # mode it stops; also when the X server is stopped, so velnor waits inside Xlib.
        with Screen() as screen:
            window = screen.test_window(0, 0, 320, 240)
            for stop, server_stopped in ((signal.SIGTERM, False), (signal.SIGINT, False),
                                         (signal.SIGTERM, True), (signal.SIGINT, True)):
                label = f"signal-{stop.name}{'-server-stopped' if server_stopped else ''}"
                proc = screen.start("--window-id", str(window), "--no-sample", "--scale", "64")
                screen.wait_for_lines(label, (160, 120), 80)
                if server_stopped:
                    screen.stop_server()
                    time.sleep(0.2)  # velnor's next frame now waits for the server
                try:
                    sent = time.monotonic()
                    proc.send_signal(stop)
                    ended = exits_within(proc, 5)
                    elapsed = time.monotonic() - sent
                finally:
                    screen.continue_server()
                self.assertTrue(ended, label)
                self.assertEqual(proc.returncode, -stop, (label, proc.stderr.read()))
                self.assertLess(elapsed, 0.100, f"{label}: {elapsed * 1000:.0f} ms")


def near(colour, wanted, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, wanted))


class FolderPictures(unittest.TestCase):
    def test_pictures_change_at_the_interval_and_a_damaged_one_is_passed_over(self):
        folder = os.path.join(ARGS.work, "pictures")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        # Scan order: the kinds bmp, gif, jpg; the damaged GIF keeps the blue picture.
        subprocess.run(["convert", "-size", "64x48", "xc:blue", os.path.join(folder, "a.bmp")],
                       check=True, timeout=30)
        with open(os.path.join(folder, "b.gif"), "wb") as damaged:
            damaged.write(b"GIF89a" + bytes(range(256)) * 4)
        subprocess.run(["convert", "-size", "64x48", "xc:red", os.path.join(folder, "c.jpg")],
                       check=True, timeout=30)
        with Screen() as screen:
            proc = screen.start("--window", "--folder", folder, "--interval", "1")
            colours = []
            deadline = time.monotonic() + 8
            while time.monotonic() < deadline and not any(near(c, (255, 0, 0)) for c in colours):
                colour = screen.screenshot("folder").pixel(20, 20)
                if colours or colour != (0, 0, 0):  # not before the first frame
                    colours.append(colour)
                time.sleep(0.25)
            self.assertTrue(colours and near(colours[0], (0, 0, 255)), colours)
            self.assertTrue(any(near(c, (255, 0, 0)) for c in colours), colours)
            self.assertTrue(all(near(c, (0, 0, 255)) or near(c, (255, 0, 0)) for c in colours),
                            colours)
            self.assertIsNone(proc.poll())


class SettingsFile(unittest.TestCase):
    def test_a_utf8_or_utf16_file_names_the_folder_with_a_tilde_or_a_picture_file(self):
        """Catches the Japanese keys of a UTF-8 or UTF-16 settings file ignored, and "~" or
        a picture file in its folder key taken for a folder that does not exist."""
        home = os.path.join(ARGS.work, "home")
        shutil.rmtree(home, ignore_errors=True)
        os.makedirs(os.path.join(home, "사진"))
        os.makedirs(os.path.join(home, "config", "velnor"))
        subprocess.run(["convert", "-size", "64x48", "xc:blue",
                        os.path.join(home, "사진", "a.bmp")], check=True, timeout=30)
        for encoding, folder in (("utf-8", "~/사진"), ("utf-16", "~/사진/a.bmp")):
            with open(os.path.join(home, "config", "velnor", "Velnor.ini"), "wb") as f:
                f.write(f"[Section]\r\nｻﾝﾌﾟﾙ画像有無=0\r\n画像のﾌｫﾙﾀﾞ={folder}\r\n"
                        .encode(encoding))
            with Screen() as screen:
                env = screen.env(HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"))
                proc = screen.start("--window", env=env)
                deadline = time.monotonic() + 8
                colour = None
                while time.monotonic() < deadline and not (colour and near(colour, (0, 0, 255))):
                    colour = screen.screenshot("settings-file").pixel(20, 20)
                    time.sleep(0.25)
                self.assertTrue(near(colour, (0, 0, 255)), (encoding, folder, colour))
                self.assertIsNone(proc.poll(), proc.stderr.read() if proc.poll() else "")


class PlainImages(unittest.TestCase):
    def test_draws_without_shared_memory(self):
        # A display without MIT-SHM (as a remote one), and --no-shm on one that has it.
        for server_options, options in ((("-extension", "MIT-SHM"), ()), ((), ("--no-shm",))):
            with Screen(server_options=server_options) as screen:
                label = "no-shm-server" if server_options else "no-shm-option"
                proc = screen.start("--window", "--no-sample", *options)
                first = screen.wait_for_lines(label, (512, 384), BALL)
                self.assertTrue(all(line_counts(first, (512, 384), BALL)), first.path)
                second = screen.screenshot(label + "-later")
                self.assertGreater(first.differing(second, 372, 244, 652, 524), 50)
                self.assertIsNone(proc.poll())


if __name__ == "__main__":
    run()
