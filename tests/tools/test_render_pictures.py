"""Folder pictures through velnor-render on a 16:9 screen: a PNG is shown (it was passed
over as an unknown kind), and a 4:3 picture with the whole fit (画像のｻｲｽﾞ = 2) stands
between black bars, where the default fit fills the width and cuts top and bottom. Six
one-colour pictures come in the order asked for: as listed, by name with numbers by value,
or shuffled (each round a permutation, reproducible from the seed)."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from png_pixel import pixel  # noqa: E402

RENDER = None
WIDTH, HEIGHT = 1600, 900


class RenderPictures(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="velnor-render-pictures-")
        self.addCleanup(shutil.rmtree, self.work, ignore_errors=True)
        self.pictures = os.path.join(self.work, "pics")
        os.mkdir(self.pictures)
        # 400 x 300, red: on 1600 x 900 the whole fit is 1200 x 900 at x = 200.
        subprocess.run(["convert", "-size", "400x300", "xc:red",
                        os.path.join(self.pictures, "a.png")], check=True)

    def frame(self, picture_size):
        """The third frame with the folder's pictures at `picture_size`."""
        ini = os.path.join(self.work, "Velnor.ini")
        with open(ini, "w", encoding="utf-8", newline="\r\n") as f:
            f.write(f"[Section]\n画像のﾌｫﾙﾀﾞ={self.pictures}\nｻﾝﾌﾟﾙ画像有無=0\n"
                    f"画像のｻｲｽﾞ={picture_size}\n")
        out = os.path.join(self.work, f"out{picture_size}")
        subprocess.run([RENDER, "--ini", ini, "--size", f"{WIDTH}x{HEIGHT}", "--frames", "3",
                        "--png", out], check=True, capture_output=True, timeout=60)
        return os.path.join(out, "frame-000003.png")

    def test_a_png_fills_the_screen_with_the_plain_fit_and_stands_between_bars_whole(self):
        fitted, whole = self.frame(1), self.frame(2)
        red, black = (255, 0, 0), (0, 0, 0)
        # Left bar, picture near its left and top edges, right bar.
        self.assertEqual([pixel(whole, x, y) for x, y in [(100, 450), (205, 5), (1395, 895),
                                                          (1500, 450)]],
                         [black, red, red, black])
        self.assertEqual([pixel(fitted, x, y) for x, y in [(100, 450), (1500, 450), (5, 5)]],
                         [red, red, red])

    def colours(self, order, seed):
        """The corner's colour at each of 12 picture changes, six pictures a round."""
        ini = os.path.join(self.work, "order.ini")
        with open(ini, "w", encoding="utf-8", newline="\r\n") as f:
            f.write(f"[Section]\n画像のﾌｫﾙﾀﾞ={self.six}\nｻﾝﾌﾟﾙ画像有無=0\n画像の順序={order}\n")
        out = os.path.join(self.work, f"order{order}-{seed}")
        subprocess.run([RENDER, "--ini", ini, "--size", "320x240", "--frames", "120",
                        "--picture-every", "10", "--every", "10", "--seed", str(seed),
                        "--png", out], check=True, capture_output=True, timeout=60)
        frames = sorted(os.listdir(out))
        return [NAMES[pixel(os.path.join(out, f), 2, 2)] for f in frames]

    def test_six_pictures_come_in_the_order_asked_for(self):
        """Catches IMG_10 sorted before IMG_2, and a shuffle that repeats or drops one."""
        self.six = os.path.join(self.work, "six")
        os.mkdir(self.six)
        for number, colour in zip((1, 4, 9, 16, 25, 36), NAMES.values()):
            subprocess.run(["convert", "-size", "40x30", f"xc:{colour}",
                            os.path.join(self.six, f"IMG_{number}.png")], check=True)
        by_name = ["red", "lime", "blue", "yellow", "cyan", "magenta"]
        self.assertEqual(self.colours(1, 1)[:6], by_name)
        # The native listing is in byte order: IMG_1, IMG_16, IMG_25, IMG_36, IMG_4, IMG_9.
        self.assertEqual(self.colours(0, 1)[:6],
                         ["red", "yellow", "cyan", "magenta", "lime", "blue"])
        shuffled = self.colours(3, 5)
        self.assertEqual(sorted(shuffled[:6]), sorted(by_name), shuffled)
        self.assertEqual(sorted(shuffled[6:12]), sorted(by_name), shuffled)
        self.assertNotEqual(shuffled[5], shuffled[6], "the same picture twice at the seam")
        self.assertEqual(self.colours(3, 5), shuffled, "the seed does not fix the shuffle")


NAMES = {(255, 0, 0): "red", (0, 255, 0): "lime", (0, 0, 255): "blue", (255, 255, 0): "yellow",
         (0, 255, 255): "cyan", (255, 0, 255): "magenta"}


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--render", required=True)
    args, rest = parser.parse_known_args()
    RENDER = args.render
    unittest.main(argv=[sys.argv[0]] + rest)
