"""End to end under Wine: picture folders a hostile or careless source would make. JPEGs of
291 bytes whose headers claim 38000 x 38000 and 65500 x 65500 pixels, a TIFF and an SVG
named .jpg, beside one good picture: the saver shows the good picture, keeps animating,
ends at once on a click, and stays under 400 MB (Wine and the program take about 100 MB;
the bad files used to cost up to 4 GB and froze the saver). Phone photos tagged with the
EXIF orientations 3, 6 and 8 show upright. A metafile of 10000 x 10000 pixels shown at its
own size plays only the part the screen shows: its middle, within 200 MB. A camera's
8000 x 6000 photo fitted to the screen costs less than two copies of the whole photo:
Wine's decoder holds it whole once (real Windows decodes it scaled), and the scaler is
read a strip at a time, so it never gathers a second one."""

import os
import struct
import subprocess
import time
import unittest

import wine_harness
from test_saver import BALL_BOX

SESSION = None  # the harness session, set by wine_harness.run_tests
MEMORY_BOUND_KB = 400 * 1024
RED, BLUE, GREEN = (255, 0, 0), (0, 0, 255), (0, 255, 0)


def near(pixel, colour):
    return all(abs(a - b) < 40 for a, b in zip(pixel, colour))


def with_frame_size(jpeg, width, height):
    """The JPEG with its frame header claiming `width` x `height`."""
    at = 2
    while not 0xC0 <= jpeg[at + 1] <= 0xC2:
        at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3])
    return jpeg[:at + 5] + struct.pack(">HH", height, width) + jpeg[at + 9:]


def with_orientation(jpeg, value):
    """The JPEG with an EXIF segment holding only the orientation `value`, after SOI."""
    tiff = b"II*\x00\x08\x00\x00\x00\x01\x00" + struct.pack("<HHIHH", 0x0112, 3, 1, value, 0) + \
        b"\x00\x00\x00\x00"
    body = b"Exif\x00\x00" + tiff
    return jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(body) + 2) + body + jpeg[2:]


def quadrant_metafile(side):
    """A placeable metafile of `side` x `side` pixels at 96 per inch: its left half red,
    the top of its right half blue, the rest white paper."""
    records = [
        (0x020B, 0, 0),  # SetWindowOrg
        (0x020C, side, side),  # SetWindowExt
        (0x02FC, 0, 0x00FF, 0x0000, 0),  # CreateBrushIndirect: solid red
        (0x012D, 0),  # SelectObject
        (0x041B, side, side // 2, 0, 0),  # Rectangle: bottom, right, top, left
        (0x01F0, 0),  # DeleteObject
        (0x02FC, 0, 0x0000, 0x00FF, 0),  # CreateBrushIndirect: solid blue
        (0x012D, 0),
        (0x041B, side // 2, side, 0, side // 2),
        (0x0000,),
    ]
    body = b"".join(struct.pack("<I", 2 + len(r)) + struct.pack(f"<{len(r)}H", *r)
                    for r in records)
    words = 9 + sum(2 + len(r) for r in records)
    largest = max(2 + len(r) for r in records)
    meta = struct.pack("<HHHIHIH", 1, 9, 0x300, words, 1, largest, 0) + body
    header = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, side, side, 96, 0)
    checksum = 0
    for at in range(0, 20, 2):
        checksum ^= struct.unpack("<H", header[at:at + 2])[0]
    return header + struct.pack("<H", checksum) + meta


def convert(*arguments):
    subprocess.run(["convert", *arguments], check=True)


def peak_memory_kb(program_name):
    """The largest peak resident size among this session's processes running `program_name`."""
    peak = 0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                if program_name.encode() not in f.read():
                    continue
            with open(f"/proc/{pid}/status") as f:
                for line in f:
                    if line.startswith("VmHWM:"):
                        peak = max(peak, int(line.split()[1]))
        except OSError:
            continue
    return peak


class HostilePictures(unittest.TestCase):
    def run_saver(self, folder, fitted=1):
        SESSION.write_settings({"ｻﾝﾌﾟﾙ画像有無": 0, "画像のﾌｫﾙﾀﾞ": SESSION.windows_path(folder),
                                "画像のｲﾝﾀｰﾊﾞﾙ": 1, "画像のｻｲｽﾞ": fitted})
        SESSION.move_mouse(300, 300)
        proc = SESSION.start_program("/s")
        self.addCleanup(SESSION.stop, proc, "VelnorS")
        self.assertTrue(SESSION.wait_for_window("VelnorS", 20))
        return proc

    def test_bad_files_are_skipped_and_the_good_picture_shown(self):
        folder = wine_harness.temporary_folder(SESSION, "hostile")
        small = os.path.join(folder, "small.jpeg")  # not listed: the scan takes *.jpg
        convert("-size", "16x16", "xc:red", "-strip", small)
        with open(small, "rb") as f:
            red = f.read()
        for name, side in (("a.jpg", 38000), ("b.jpg", 65500)):
            data = with_frame_size(red, side, side)
            self.assertEqual(len(data), len(red))
            with open(os.path.join(folder, name), "wb") as out:
                out.write(data)
        convert("-size", "64x48", "xc:red", os.path.join(folder, "c.tif"))
        os.rename(os.path.join(folder, "c.tif"), os.path.join(folder, "c.jpg"))
        with open(os.path.join(folder, "d.jpg"), "w") as out:
            out.write('<svg xmlns="http://www.w3.org/2000/svg" width="30000" height="30000">'
                      '<rect width="30000" height="30000" fill="red"/></svg>')
        convert("-size", "400x300", "xc:lime", os.path.join(folder, "e.jpg"))
        proc = self.run_saver(folder)
        colours, shots = set(), []
        started = time.monotonic()
        while time.monotonic() - started < 7:
            shot = SESSION.screenshot("hostile")
            shots.append(shot)
            colours.add("green" if near(shot.pixel(6, 6), GREEN) else
                        "red" if near(shot.pixel(6, 6), RED) else "other")
            time.sleep(0.3)
        self.assertIn("green", colours, "the good picture was never shown")
        self.assertNotIn("red", colours, "a file of another kind or size was shown")
        # Still animating at the end: the wire ball moves between the last shots.
        self.assertGreater(shots[-2].differing(shots[-1], *BALL_BOX), 500)
        peak = peak_memory_kb("Velnor.scr")
        self.assertLess(peak, MEMORY_BOUND_KB, f"peak resident size {peak} kB")
        clicked = time.monotonic()
        SESSION.click(1)
        self.assertEqual(SESSION.wait_exit(proc, 5), 0)
        self.assertLess(time.monotonic() - clicked, 2.0)

    def test_photos_show_upright_whatever_their_orientation(self):
        # Upright: a red top-left quarter on blue, 4:3 so that it fills the screen.
        upright = os.path.join(SESSION.work, "upright.png")
        convert("-size", "400x300", "xc:blue", "-fill", "red", "-draw", "rectangle 0,0 199,149",
                upright)
        # Stored so that the tag's turn makes it upright again.
        for value, turn in ((3, "180"), (6, "-90"), (8, "90")):
            with self.subTest(orientation=value):
                folder = wine_harness.temporary_folder(SESSION, f"orientation-{value}")
                stored = os.path.join(folder, "photo.jpg")
                convert(upright, "-rotate", turn, "-strip", "-quality", "95", stored)
                with open(stored, "rb") as f:
                    data = f.read()
                with open(stored, "wb") as out:
                    out.write(with_orientation(data, value))
                self.run_saver(folder)
                time.sleep(1.0)
                shot = SESSION.screenshot(f"orientation-{value}")
                probes = {(100, 100): RED, (920, 100): BLUE, (100, 660): BLUE, (920, 660): BLUE}
                for (x, y), colour in probes.items():
                    self.assertTrue(near(shot.pixel(x, y), colour),
                                    f"({x}, {y}) is {shot.pixel(x, y)}")
                SESSION.stop(SESSION.processes[-1], "VelnorS")

    def test_a_huge_metafile_at_its_own_size_plays_only_the_part_that_shows(self):
        folder = wine_harness.temporary_folder(SESSION, "own-size-metafile")
        with open(os.path.join(folder, "huge.wmf"), "wb") as out:
            out.write(quadrant_metafile(10000))
        self.run_saver(folder, fitted=0)
        time.sleep(3.0)
        shot = SESSION.screenshot("own-size-metafile")
        # The middle of the drawing, centred: red to the left of the screen's middle, blue
        # at the top right, white paper at the bottom right.
        probes = {(100, 100): RED, (100, 660): RED, (920, 100): BLUE,
                  (920, 660): (255, 255, 255)}
        for (x, y), colour in probes.items():
            self.assertTrue(near(shot.pixel(x, y), colour), f"({x}, {y}) is {shot.pixel(x, y)}")
        peak = peak_memory_kb("Velnor.scr")
        print(f"own-size metafile: peak resident size {peak} kB", flush=True)
        self.assertLess(peak, 200 * 1024, f"peak resident size {peak} kB")

    def test_a_camera_photo_fitted_to_the_screen_is_read_a_strip_at_a_time(self):
        folder = wine_harness.temporary_folder(SESSION, "camera")
        convert("-size", "8000x6000", "gradient:lime-navy", "-quality", "90",
                os.path.join(folder, "photo.jpg"))
        self.run_saver(folder)
        time.sleep(4.0)
        shot = SESSION.screenshot("camera")
        self.assertTrue(near(shot.pixel(6, 6), GREEN), f"top left is {shot.pixel(6, 6)}")
        peak = peak_memory_kb("Velnor.scr")
        print(f"8000 x 6000 photo: peak resident size {peak} kB", flush=True)
        # One 24-bit copy of the photo is 141 MB; Wine and the program take about 100 MB.
        self.assertLess(peak, 300 * 1024, f"peak resident size {peak} kB")


if __name__ == "__main__":
    wine_harness.run_tests(globals())
