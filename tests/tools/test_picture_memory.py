"""Peak memory of hostile pictures: velnor-render runs each folder under an address-space
limit of 100 MB (prlimit --as; the 1024 x 768 frame, background and picture surfaces are
about 3 MB each, the program and its libraries take about 30 MB) and must still show what
the file holds: a 35-byte GIF claiming a 10000 x 10000 screen around a 1 x 1 white frame,
a 46-byte placeable metafile of 10000 x 10000 pixels (white paper), a 64-byte run-length
BMP of 10000 x 10000 (refused: black), and a 6000 x 4000 photo (decoded at 1/4 for the
screen). Each of these took between 300 MB and 1.1 GB before. The C library's allocator
is kept to one arena (MALLOC_ARENA_MAX=1): each further arena, made when threads happen
to allocate at the same moment, reserves 64 MB of address space it never uses, which
would make the limit a matter of timing."""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from png_pixel import pixel  # noqa: E402

RENDER = None
LIMIT_BYTES = 100 * 1024 * 1024
WIDTH, HEIGHT = 1024, 768


def gif_bomb():
    return bytes([0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x10, 0x27, 0x10, 0x27, 0x80, 0, 0,
                  0xFF, 0xFF, 0xFF, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44,
                  0x01, 0, 0x3B])


def rle_bomb():
    return (b"BM" + struct.pack("<IIII", 64, 0, 62, 40) +
            struct.pack("<iiHHIIiiII", 10000, 10000, 1, 8, 1, 2, 0, 0, 2, 0) +
            struct.pack("<II", 0, 0xFFFFFF) + b"\x00\x01")


def metafile_bomb():
    header = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, 10000, 10000, 96, 0)
    checksum = 0
    for at in range(0, 20, 2):
        checksum ^= struct.unpack("<H", header[at:at + 2])[0]
    return (header + struct.pack("<H", checksum) +
            struct.pack("<HHHIHIH", 1, 9, 0x300, 12, 0, 3, 0) + struct.pack("<IH", 3, 0))


class PictureMemory(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="velnor-picture-memory-")
        self.addCleanup(shutil.rmtree, self.work, ignore_errors=True)

    def render(self, name, data=None, make=None):
        """The first frame of velnor-render over a folder holding one file `name`."""
        folder = os.path.join(self.work, name + "-folder")
        os.makedirs(folder)
        path = os.path.join(folder, name)
        if make:
            make(path)
        else:
            with open(path, "wb") as out:
                out.write(data)
        ini = os.path.join(self.work, name + ".ini")
        text = f"[Section]\r\nｻﾝﾌﾟﾙ画像有無= 0\r\n画像のﾌｫﾙﾀﾞ={folder}\r\n画像のｻｲｽﾞ= 1\r\n"
        with open(ini, "wb") as out:
            out.write(text.encode("cp932"))
        frames = os.path.join(self.work, name + "-frames")
        run = subprocess.run(["prlimit", f"--as={LIMIT_BYTES}", RENDER, "--ini", ini,
                              "--size", f"{WIDTH}x{HEIGHT}", "--frames", "1", "--png", frames],
                             capture_output=True, text=True, timeout=60,
                             env={**os.environ, "MALLOC_ARENA_MAX": "1"})
        self.assertEqual(run.returncode, 0, f"{name}: {run.stderr[-400:]}")
        pngs = sorted(os.listdir(frames))
        self.assertTrue(pngs, name)
        return os.path.join(frames, pngs[0])

    def test_bombs_show_what_they_hold_within_the_limit(self):
        # Probes off the wire ball: the top middle (inside the fitted square) and a corner
        # (outside it, black border).
        for name, data, middle in (("bomb.gif", gif_bomb(), (255, 255, 255)),
                                   ("bomb.wmf", metafile_bomb(), (255, 255, 255)),
                                   ("bomb.bmp", rle_bomb(), (0, 0, 0))):
            frame = self.render(name, data)
            self.assertEqual(pixel(frame, WIDTH // 2, 10), middle, name)
            self.assertEqual(pixel(frame, 5, 5), (0, 0, 0), name)

    def test_a_big_photo_is_decoded_at_the_scale_it_is_shown(self):
        frame = self.render("photo.jpg", make=lambda path: subprocess.run(
            ["convert", "-size", "6000x4000", "gradient:red-blue", "-quality", "85", path],
            check=True))
        # Fitted to the width: 1024 x 683 between bars of 43 rows.
        top, bottom = pixel(frame, 5, 60), pixel(frame, 5, HEIGHT - 60)
        self.assertGreater(top[0], 200, top)      # red at the top
        self.assertGreater(bottom[2], 200, bottom)  # blue at the bottom


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--render", required=True)
    args, rest = parser.parse_known_args()
    RENDER = args.render
    unittest.main(argv=[sys.argv[0]] + rest)
