"""End to end: the saver's background pictures under Wine. The second sample picture, and a
folder of pictures of three kinds changed every second in the order of the scan (kinds in the
order bmp, gif, jpg, wmf), with a damaged file passed over at once and the list wrapping
around. The folder changing under the running saver (8 of 10 pictures deleted, one added). A JPEG
that lacks only its end marker is shown; one cut inside its picture data is not. A PNG kept
only in a subfolder is shown with subfolders on."""

import os
import subprocess
import time
import unittest

import changing_folder
import wine_harness
from test_saver import BALL_BOX, mean_difference_where_bright, stretched_sample

SESSION = None  # the harness session, set by wine_harness.run_tests
HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE_NEBULA = os.path.join(HERE, "..", "..", "src", "resources", "sample2.jpg")
# Far from the wire ball and off the orbiting ball's path at 1024 x 768.
PROBES = ((6, 6), (1017, 6), (6, 761), (1017, 761))
COLOURS = {"red": (255, 0, 0), "green": (0, 255, 0), "blue": (0, 0, 255)}


def make_picture_folder():
    """c.bmp red, b.gif green, a.jpg blue (400 x 300, fitted: they fill the screen) and a
    damaged z.wmf. The scan lists them by kind (bmp, gif, jpg, wmf), the reverse of the
    names' order."""
    folder = wine_harness.temporary_folder(SESSION, "pictures")
    for name, colour in (("c.bmp", "red"), ("b.gif", "lime"), ("a.jpg", "blue")):
        subprocess.run(["convert", "-size", "400x300", f"xc:{colour}", os.path.join(folder, name)],
                       check=True)
    with open(os.path.join(folder, "z.wmf"), "wb") as out:
        out.write(b"\xd7\xcd\xc6\x9a" + b"\x00\x13" * 40)
    return folder


def jpeg_scan_data(data):
    """(start, end) of the entropy-coded data of a JPEG's single scan."""
    at = 2
    while data[at + 1] != 0xDA:
        at += 2 + (data[at + 2] << 8 | data[at + 3])
    start = at + 2 + (data[at + 2] << 8 | data[at + 3])
    return start, data.rindex(b"\xff\xd9")


def colour_name(pixel):
    for name, colour in COLOURS.items():
        if all(abs(a - b) < 24 for a, b in zip(pixel, colour)):
            return name
    return f"other{pixel}"


class Pictures(unittest.TestCase):
    def run_saver(self, settings):
        SESSION.write_settings(settings)
        proc = SESSION.start_program("/s")
        self.addCleanup(SESSION.stop, proc, "VelnorS")
        self.assertTrue(SESSION.wait_for_window("VelnorS", 20))
        return proc

    def test_second_sample_picture_stays_whatever_the_folder_holds(self):
        # With the sample chosen, a folder of pictures and a one-second interval change nothing.
        self.run_saver({"ｻﾝﾌﾟﾙ画像_12": 1, "画像のﾌｫﾙﾀﾞ": SESSION.windows_path(make_picture_folder()),
                        "画像のｲﾝﾀｰﾊﾞﾙ": 1})
        sample = stretched_sample(SAMPLE_NEBULA, SESSION.width, SESSION.height)
        for label in ("sample2", "sample2-later"):
            time.sleep(1.5)
            shot = SESSION.screenshot(label)
            self.assertLess(mean_difference_where_bright(shot.rgb, sample, SESSION.width, BALL_BOX),
                            10, label)

    def test_folder_pictures_change_in_scan_order_skipping_a_damaged_file(self):
        folder = make_picture_folder()
        self.run_saver({"ｻﾝﾌﾟﾙ画像有無": 0, "画像のﾌｫﾙﾀﾞ": SESSION.windows_path(folder),
                        "画像のｲﾝﾀｰﾊﾞﾙ": 1, "画像のｻｲｽﾞ": 1})
        seen = []
        started = time.monotonic()
        while time.monotonic() - started < 7:
            shot = SESSION.screenshot("folder")
            names = {colour_name(shot.pixel(x, y)) for x, y in PROBES}
            self.assertEqual(len(names), 1, f"the background is not one picture: {names}")
            name = names.pop()
            if not seen or seen[-1][0] != name:
                seen.append((name, time.monotonic() - started))
        order = [name for name, _ in seen]
        self.assertGreaterEqual(len(order), 4, f"too few changes: {seen}")
        # The cycle red, green, blue (then the damaged file: blue stays), red again.
        start = order.index("red")
        expected = (["red", "green", "blue"] * 3)[: len(order) - start]
        self.assertEqual(order[start:], expected, f"changes: {seen}")
        self.assertLess(seen[1][1] - seen[0][1], 2.5, "the first change took too long")
        blue_at = next(t for name, t in seen if name == "blue")
        red_after = next((t for name, t in seen if name == "red" and t > blue_at), None)
        self.assertIsNotNone(red_after, f"the list did not wrap around: {seen}")
        # The damaged file is passed over within the change, not at a change of its own.
        self.assertLess(red_after - blue_at, 1.8, "the damaged file held blue another interval")

    def test_jpeg_without_its_end_marker_is_shown_one_cut_in_its_data_is_not(self):
        folder = wine_harness.temporary_folder(SESSION, "cut-pictures")
        for name, colour in (("whole-but-end.jpg", "lime"), ("cut.jpg", "red")):
            path = os.path.join(folder, name)
            subprocess.run(["convert", "-size", "400x300", f"xc:{colour}", path], check=True)
            with open(path, "rb") as f:
                data = f.read()
            start, end = jpeg_scan_data(data)
            self.assertGreater(end - start, 8)
            with open(path, "wb") as f:
                f.write(data[:end] if colour == "lime" else data[:(start + end) // 2])
        self.run_saver({"ｻﾝﾌﾟﾙ画像有無": 0, "画像のﾌｫﾙﾀﾞ": SESSION.windows_path(folder),
                        "画像のｲﾝﾀｰﾊﾞﾙ": 1, "画像のｻｲｽﾞ": 1})
        seen = set()
        started = time.monotonic()
        while time.monotonic() - started < 4:
            shot = SESSION.screenshot("cut-jpeg")
            seen |= {colour_name(shot.pixel(x, y)) for x, y in PROBES}
        self.assertIn("green", seen, "the JPEG without its end marker was not shown")
        self.assertNotIn("red", seen, "a JPEG cut inside its data was shown")

    def test_a_png_found_only_in_a_subfolder_is_shown(self):
        """Catches PNG passed over as an unknown kind, and subfolders left unscanned."""
        folder = wine_harness.temporary_folder(SESSION, "tree")
        os.makedirs(os.path.join(folder, "2024", "Kyoto"))
        subprocess.run(["convert", "-size", "400x300", "xc:lime",
                        os.path.join(folder, "2024", "Kyoto", "only.png")], check=True)
        self.run_saver({"ｻﾝﾌﾟﾙ画像有無": 0, "画像のﾌｫﾙﾀﾞ": SESSION.windows_path(folder),
                        "ｻﾌﾞﾌｫﾙﾀﾞ": 1, "画像のｲﾝﾀｰﾊﾞﾙ": 1, "画像のｻｲｽﾞ": 1})
        seen = set()
        started = time.monotonic()
        while time.monotonic() - started < 3 and "green" not in seen:
            shot = SESSION.screenshot("subfolder-png")
            seen |= {colour_name(shot.pixel(x, y)) for x, y in PROBES}
        self.assertIn("green", seen, "the PNG of the subfolder was not shown")

    def test_deleted_pictures_are_passed_over_and_an_added_one_is_shown(self):
        folder = os.path.join(wine_harness.temporary_folder(SESSION, "changing"), "pictures")
        changing_folder.make_pictures(folder)
        self.run_saver({"ｻﾝﾌﾟﾙ画像有無": 0, "画像のﾌｫﾙﾀﾞ": SESSION.windows_path(folder),
                        "画像のｲﾝﾀｰﾊﾞﾙ": 1, "画像のｻｲｽﾞ": 1})
        pixel = lambda: SESSION.screenshot("changing").pixel(*PROBES[0])  # noqa: E731
        self.assertTrue(changing_folder.watch(pixel, 2.5), "no picture shown")
        changing_folder.change_folder(folder)
        changing_folder.check(self, changing_folder.watch(pixel, 9))


if __name__ == "__main__":
    wine_harness.run_tests(globals())
