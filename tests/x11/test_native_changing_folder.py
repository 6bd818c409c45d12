"""End to end on Xvfb: the folder changes under a running velnor (eight of ten pictures
deleted and one added at a one-second interval): no picture is held much longer than the
interval, and the added one is shown within two rounds."""

import os
import shutil
import sys
import unittest

from native_harness import ARGS, Screen, run

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import changing_folder  # noqa: E402


class ChangingFolder(unittest.TestCase):
    def test_deleted_pictures_are_passed_over_and_an_added_one_is_shown(self):
        folder = os.path.join(ARGS.work, "changing", "pictures")
        shutil.rmtree(os.path.dirname(folder), ignore_errors=True)
        changing_folder.make_pictures(folder)
        # A small screen: each screenshot is quick, so the changes are timed closely.
        with Screen(320, 240) as screen:
            screen.start("--window", "--folder", folder, "--interval", "1", "--fit")
            screen.xdotool("search", "--sync", "--name", "^Velnor$")
            pixel = lambda: screen.screenshot("changing").pixel(4, 4)  # noqa: E731
            shown = changing_folder.watch(pixel, 2.5)
            self.assertTrue(shown, "no picture shown")
            changing_folder.change_folder(folder)
            changing_folder.check(self, changing_folder.watch(pixel, 9))


if __name__ == "__main__":
    run()
