"""End to end under Wine: the settings dialog's thumbnail reads pictures through the same
checks as the saver. A 291-byte JPEG claiming 65500 x 65500 pixels is passed over like a
damaged file (it used to take 4 GB), the dialog answering all along; a photo stored on its
side with EXIF orientation 6 shows upright, with its upright size in the size text."""

import os
import subprocess
import time
import unittest

import wine_harness
from dialog_driving import apply_and_close, open_dialog, shown, sources
from test_hostile_pictures import peak_memory_kb, with_frame_size, with_orientation

SESSION = None  # the harness session, set by wine_harness.run_tests
MEMORY_BOUND_KB = 400 * 1024


class HostileThumbnails(unittest.TestCase):
    def test_oversize_jpeg_passed_over_and_turned_photo_upright(self):
        folder = wine_harness.temporary_folder(SESSION, "thumbs")
        small = os.path.join(SESSION.work, "small.jpg")
        subprocess.run(["convert", "-size", "16x16", "xc:red", "-strip", small], check=True)
        with open(small, "rb") as f:
            data = f.read()
        with open(os.path.join(folder, "a.jpg"), "wb") as out:
            out.write(with_frame_size(data, 65500, 65500))
        photo = os.path.join(folder, "b.jpg")
        # Stored 300 x 400 (turned a quarter back); upright 400 x 300, red on the left.
        subprocess.run(["convert", "-size", "400x300", "xc:blue", "-fill", "red", "-draw",
                        "rectangle 0,0 199,299", "-rotate", "-90", "-strip", photo], check=True)
        with open(photo, "rb") as f:
            data = f.read()
        with open(photo, "wb") as out:
            out.write(with_orientation(data, 6))

        open_dialog(SESSION, {"ｻﾝﾌﾟﾙ画像有無": "0",
                              "画像のﾌｫﾙﾀﾞ": SESSION.windows_path(folder)})
        before = shown(SESSION, "lbl_PreSize")["lbl_PreSize"]["text"]
        started = time.monotonic()
        sources(SESSION, "select", "0")
        self.assertEqual(shown(SESSION, "lbl_PreSize")["lbl_PreSize"]["text"], before)
        self.assertLess(time.monotonic() - started, 20)

        sources(SESSION, "select", "1")
        got = shown(SESSION, "Pic_K", "lbl_PreSize")
        self.assertEqual(got["lbl_PreSize"]["text"], "Size ： 400 * 300")
        self.assertEqual(got["Pic_K"]["rect"], "192,28,100,75")
        shot = SESSION.screenshot("thumbnail-upright")
        x, y = map(int, got["Pic_K"]["screen"].split(","))
        left, right = shot.pixel(x + 20, y + 37), shot.pixel(x + 80, y + 37)
        self.assertTrue(left[0] > 200 and left[2] < 60, left)
        self.assertTrue(right[2] > 200 and right[0] < 60, right)
        peak = peak_memory_kb("Velnor.scr")
        self.assertLess(peak, MEMORY_BOUND_KB, f"peak resident size {peak} kB")
        apply_and_close(SESSION)


if __name__ == "__main__":
    wine_harness.run_tests(globals(), width=1280, height=900)
