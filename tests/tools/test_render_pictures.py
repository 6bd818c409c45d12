"""Folder pictures through velnor-render on a 16:9 screen: a PNG is shown (it was passed
over as an unknown kind), and a 4:3 picture with the whole fit (画像のｻｲｽﾞ = 2) stands
between black bars, where the default fit fills the width and cuts top and bottom."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

RENDER = None
WIDTH, HEIGHT = 1600, 900


def pixel(png, x, y):
    text = subprocess.run(["convert", png, "-format", f"%[fx:int(255*p{{{x},{y}}}.r)],"
                           f"%[fx:int(255*p{{{x},{y}}}.g)],%[fx:int(255*p{{{x},{y}}}.b)]", "info:"],
                          check=True, capture_output=True, text=True).stdout
    return tuple(int(v) for v in text.split(","))


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


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--render", required=True)
    args, rest = parser.parse_known_args()
    RENDER = args.render
    unittest.main(argv=[sys.argv[0]] + rest)
