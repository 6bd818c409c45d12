"""End to end: the settings dialog's picture sources (folder browser, list, thumbnails,
kinds and the stored folder name), driven with window messages by velnor_dialog_driver.exe
and velnor_sources_driver.exe (which also works the folder browser the program opens),
then checked in Velnor.ini after "設定". Screenshots are kept in the working folder.

Wine reports the archive bit on every regular file and cannot clear it, so a file with no
attribute does not exist there: under Wine a picture comes from the archive pass, or from
the read-only + archive pass after it when it is read-only. The order of all the passes is
covered by the unit tests of the picture scan."""

import os
import shutil
import subprocess
import time
import unittest

import wine_harness
from dialog_driving import (apply_and_close, dialog, ini_path, ini_values, open_dialog,
                            remove_ini, selected_squares, shown, sources)

SESSION = None  # the harness session, set by wine_harness.run_tests

FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_ARCHIVE = 1, 2, 32
UNICODE_NAME = "ü☃.jpg"  # neither character exists in cp932


def lines_and_count():
    out = sources(SESSION, "lines", "show", "lbl_Kei")
    lines = [line[5:] for line in out if line.startswith("line=")]
    return lines, out[-1].split(' text="', 1)[1][:-1]


def make_picture(folder, name, size, colour="red"):
    subprocess.run(["convert", "-size", size, f"xc:{colour}", os.path.join(folder, name)],
                   check=True)


def set_attributes(folder, name, value):
    path = SESSION.windows_path(os.path.join(folder, name))
    assert sources(SESSION, "attrib", path, str(value)) == ["attrib ok"]


def browse(folder, expected):
    """Browses to `folder`; returns the list and count once they show `expected` (the
    list is filled when the listing ends), or what they show after 15 seconds."""
    out = sources(SESSION, "post", "Folder", "browse", SESSION.windows_path(folder), "listed")
    assert out[-1].startswith("listed"), out
    deadline = time.monotonic() + 15
    while True:
        shown_now = lines_and_count()
        if shown_now == expected or time.monotonic() > deadline:
            return shown_now


class PictureSources(unittest.TestCase):
    def tearDown(self):
        # A failed case must not leave its dialog open for the next one.
        SESSION.run_helper("velnor_dialog_driver.exe", "close", "gone", "10000", timeout=60)

    def test_folder_listing_thumbnails_and_kind_toggles(self):
        pics = wine_harness.temporary_folder(SESSION, "pics")
        make_picture(pics, "z.bmp", "640x480")
        make_picture(pics, "a.gif", "480x640", "blue")
        make_picture(pics, UNICODE_NAME, "300x300", "green")
        make_picture(pics, "m.bmp", "64x64")
        make_picture(pics, "both.jpg", "64x64")
        make_picture(pics, "h.gif", "64x64")
        with open(os.path.join(pics, "broken.wmf"), "wb") as f:
            f.write(b"\xd7\xcd\xc6\x9a not a metafile")
        open_dialog(SESSION, {"ｻﾝﾌﾟﾙ画像有無": "0"})
        set_attributes(pics, "a.gif", FILE_ATTRIBUTE_ARCHIVE)
        set_attributes(pics, "m.bmp", FILE_ATTRIBUTE_READONLY)
        set_attributes(pics, "both.jpg", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE)
        set_attributes(pics, "h.gif", FILE_ATTRIBUTE_HIDDEN)

        # Each kind in its order (bmp, gif, jpg, wmf), whatever the names' order; the
        # read-only files after the others.
        listed = ["z.bmp", "a.gif", UNICODE_NAME, "broken.wmf", "m.bmp", "both.jpg"]
        self.assertEqual(browse(pics, (listed, "6")), (listed, "6"))
        self.assertEqual(shown(SESSION, "Folder_Path")["Folder_Path"]["text"],
                         SESSION.windows_path(pics))

        # A cancelled browser keeps the folder and the list.
        sources(SESSION, "post", "Folder", "browse-cancel", "listed")
        self.assertEqual(lines_and_count(), (listed, "6"))

        # Thumbnails at (192, 28) in the panel, longer side 100; an unreadable file
        # leaves the last thumbnail and size text.
        for index, rect, text in [(0, "192,28,100,75", "Size ： 640 * 480"),
                                  (1, "192,28,75,100", "Size ： 480 * 640"),
                                  (2, "192,28,100,100", "Size ： 300 * 300"),
                                  (3, "192,28,100,100", "Size ： 300 * 300")]:
            sources(SESSION, "select", str(index))
            got = shown(SESSION, "Pic_K", "lbl_PreSize")
            self.assertEqual((got["Pic_K"]["rect"], got["Pic_K"]["visible"]), (rect, "1"), index)
            self.assertEqual(got["lbl_PreSize"]["text"], text, index)
        shot = SESSION.screenshot("thumbnail-green")
        x, y = map(int, shown(SESSION, "Pic_K")["Pic_K"]["screen"].split(","))
        for at in [(x + 5, y + 5), (x + 50, y + 50), (x + 94, y + 94)]:
            self.assertTrue(all(abs(a - b) <= 8 for a, b in zip(shot.pixel(*at), (0, 128, 0))),
                            (at, shot.pixel(*at)))

        # Kind toggles rescan; the caption acts like its square.
        dialog(SESSION, "click", "Pic_kind(1)")
        self.assertEqual(lines_and_count(),
                         (["z.bmp", UNICODE_NAME, "broken.wmf", "m.bmp", "both.jpg"], "5"))
        dialog(SESSION, "click", "lbl_Kind(1)")
        self.assertEqual(lines_and_count(), (listed, "6"))
        dialog(SESSION, "click", "Pic_kind(0)", "click", "lbl_Kind(1)", "click", "Pic_kind(2)",
               "click", "lbl_Kind(3)")
        self.assertEqual(lines_and_count(), ([], "0"))
        squares = selected_squares(SESSION)
        self.assertEqual([squares[f"Pic_kind({k})"] for k in range(4)], ["0"] * 4)
        SESSION.screenshot("kinds-off")

        # All kinds off: browsing lists nothing and shows "0".
        self.assertEqual(browse(pics, ([], "0")), ([], "0"))

        # A folder that no longer exists: the square toggles, list and count stay.
        gone = wine_harness.temporary_folder(SESSION, "gone")
        make_picture(gone, "x.bmp", "32x32")
        dialog(SESSION, "click", "Pic_kind(0)")
        self.assertEqual(browse(gone, (["x.bmp"], "1")), (["x.bmp"], "1"))
        shutil.rmtree(gone)
        dialog(SESSION, "click", "Pic_kind(2)")
        self.assertEqual(lines_and_count(), (["x.bmp"], "1"))
        SESSION.screenshot("folder-gone")
        apply_and_close(SESSION)

        ini = ini_values(SESSION)
        self.assertEqual(ini["画像のﾌｫﾙﾀﾞ"], SESSION.windows_path(gone))
        self.assertEqual([ini[f"画像種類_{k}"] for k in range(4)], [" 1", " 0", " 1", " 0"])

    def test_a_folder_outside_cp932_is_stored_and_shown_by_its_real_name(self):
        """Catches such a folder stored as '?' or as its short name, and shown as either."""
        folder = wine_harness.temporary_folder(SESSION, "사진😀")  # neither is in cp932
        make_picture(folder, "x.bmp", "32x32")
        open_dialog(SESSION, {"ｻﾝﾌﾟﾙ画像有無": "0"})
        self.assertEqual(browse(folder, (["x.bmp"], "1")), (["x.bmp"], "1"))
        real_name = SESSION.windows_path(folder)
        self.assertEqual(shown(SESSION, "Folder_Path")["Folder_Path"]["text"], real_name)
        apply_and_close(SESSION)
        with open(ini_path(SESSION), "rb") as f:
            self.assertTrue(f.read().startswith(b"\xff\xfe"), "UTF-16LE with its mark")
        ini = ini_values(SESSION)
        self.assertEqual(ini["画像のﾌｫﾙﾀﾞ"], real_name)
        self.assertEqual((ini["ｻﾝﾌﾟﾙ画像有無"], ini["Scale"]), (" 0", " 128"))
        # The stored name finds the same pictures and shows when the dialog opens again.
        SESSION.start_program("/c")
        self.assertEqual(dialog(SESSION, "wait", "60000"), ["found"])
        self.assertEqual(lines_and_count(), (["x.bmp"], "1"))
        self.assertEqual(shown(SESSION, "Folder_Path")["Folder_Path"]["text"], real_name)
        dialog(SESSION, "click", "cmd_Can", "gone", "20000")
        # The saver finds its picture by that name: red, above the ball.
        proc = SESSION.start_program("/s")
        self.addCleanup(SESSION.stop, proc, "VelnorS")
        self.assertTrue(SESSION.wait_for_window("VelnorS", 20))
        deadline, top = time.monotonic() + 10, None
        while time.monotonic() < deadline and top != (255, 0, 0):
            top = SESSION.screenshot("real-name-saver").pixel(SESSION.width // 2, 20)
        self.assertEqual(top, (255, 0, 0), "the folder's picture is not shown")

    def test_a_long_folder_ending_in_a_dot_is_reached_and_kept_whole(self):
        """Catches a folder of more than 260 characters whose name ends in a dot (named in
        the file) not listed, shown or written back whole. Wine's shell cannot make a shell
        item of such a path, so the browser's conversion is given one of a shorter folder."""
        base = wine_harness.temporary_folder(SESSION, "long")
        folder = os.path.join(base, "a" * 100, "b" * 100, "c" * 60 + "dot.")
        os.makedirs(folder)
        make_picture(folder, "x.bmp", "32x32")
        path = SESSION.windows_path(folder)
        self.assertGreater(len(path), 300)
        parent = SESSION.windows_path(os.path.join(base, "a" * 100))
        self.assertEqual(sources(SESSION, "shellpath", parent),
                         [f"shellpath {len(parent)} {parent}"])
        open_dialog(SESSION, {"ｻﾝﾌﾟﾙ画像有無": "0", "画像のﾌｫﾙﾀﾞ": path})
        self.assertEqual(lines_and_count(), (["x.bmp"], "1"))
        self.assertEqual(shown(SESSION, "Folder_Path")["Folder_Path"]["text"], path)
        apply_and_close(SESSION)
        self.assertEqual(ini_values(SESSION)["画像のﾌｫﾙﾀﾞ"], path)

    def test_a_utf8_settings_file_is_honoured_and_stays_utf8(self):
        """Catches the Japanese keys of a UTF-8 file (as today's Notepad saves it) falling
        back to their defaults, and "設定" appending cp932 lines to it."""
        folder = wine_harness.temporary_folder(SESSION, "写真utf8")
        make_picture(folder, "x.bmp", "32x32")
        for earlier in SESSION.processes:
            SESSION.wait_exit(earlier, 20)
        remove_ini(SESSION)
        text = (f"[Section]\r\nｻﾝﾌﾟﾙ画像有無=0\r\n画像のﾌｫﾙﾀﾞ={SESSION.windows_path(folder)}\r\n"
                "外観=16\r\n")
        with open(ini_path(SESSION), "wb") as f:
            f.write(text.encode("utf-8"))
        SESSION.start_program("/c")
        self.assertEqual(dialog(SESSION, "wait", "60000"), ["found"])
        self.assertEqual(lines_and_count(), (["x.bmp"], "1"))
        apply_and_close(SESSION)
        with open(ini_path(SESSION), "rb") as f:
            saved = f.read().decode("utf-8")  # fails on any cp932 line
        self.assertEqual(saved.count("外観="), 1)
        self.assertIn("外観= 16\r\n", saved)
        self.assertIn(f"画像のﾌｫﾙﾀﾞ={SESSION.windows_path(folder)}\r\n", saved)


if __name__ == "__main__":
    wine_harness.run_tests(globals(), width=1280, height=900)
