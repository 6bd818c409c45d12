"""End to end: the settings dialog's picture sources (folder browser, list, thumbnails,
kinds, the stored folder name, the photo controls stored and loaded back and the list's
order), driven with window messages by velnor_dialog_driver.exe
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
                            parse_controls, remove_ini, selected_squares, shown, sources)

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


def photo_controls(*commands):
    """The "*.png" square, the size square selected, "ｻﾌﾞﾌｫﾙﾀﾞも含む" and the order square
    selected, as the dialog shows them (the squares by their index, None if none), read
    after the dialog driver's `commands`."""
    marks = {}
    for line in dialog(SESSION, *commands, "read"):
        for field in (" selected=", " check="):
            if field in line:
                marks[line.split()[0][5:]] = line.rsplit(field, 1)[1]

    def chosen(group, count):
        picked = [i for i in range(count) if marks[f"{group}({i})"] == "1"]
        return picked[0] if len(picked) == 1 else picked or None

    return {"png": marks["Pic_kind(4)"], "size": chosen("Pic_Size", 3), "sub": marks["chk_Sub"],
            "order": chosen("Pic_Order", 4)}


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

    def test_photo_controls_are_stored_with_apply_and_shown_again(self):
        """Catches the "*.png" square, the size "全体", "ｻﾌﾞﾌｫﾙﾀﾞも含む" or an order square
        storing nothing, another value, or loading back wrongly. Each round clicks (a square
        or its caption), applies, checks the file's lines and reopens the dialog; the last,
        back to "標準", only applies: the dialog first opened showing that order."""
        open_dialog(SESSION, {"ｻﾝﾌﾟﾙ画像有無": "0"})
        self.assertEqual(photo_controls(), {"png": "1", "size": 1, "sub": "0", "order": 0})
        rounds = [(["Pic_kind(4)", "lbl_Size(2)", "chk_Sub", "Pic_Order(1)"], ("0", 2, "1", 1)),
                  (["lbl_Kind(4)", "lbl_Sub", "lbl_Order(2)"], ("1", 2, "0", 2)),
                  (["Pic_Order(3)", "Pic_Size(0)"], ("1", 0, "0", 3)),
                  (["lbl_Order(0)"], ("1", 0, "0", 0))]
        for clicks, (png, size, sub, order) in rounds:
            closed = dialog(SESSION, *[c for name in clicks for c in ("click", name)], "click",
                            "cmd_OK", "gone", "20000")
            self.assertEqual(closed[-1], "gone")
            with open(ini_path(SESSION), "rb") as f:
                data = f.read()
            for key, value in [("画像種類_4", png), ("画像のｻｲｽﾞ", size), ("ｻﾌﾞﾌｫﾙﾀﾞ", sub),
                               ("画像の順序", order)]:
                self.assertIn(f"\r\n{key}= {value}\r\n".encode("cp932"), data, clicks)
            if order == 0:
                break
            SESSION.start_program("/c")
            self.assertEqual(photo_controls("wait", "60000"),
                             {"png": png, "size": size, "sub": sub, "order": order}, clicks)

    def test_the_list_follows_the_name_and_date_orders(self):
        """Catches the list left in the listing's order (or sorted by bytes, IMG_10 before
        img_2) after "名前" or "日付", and the selection left on a line that names another picture
        than the thumbnail shows."""
        pics = wine_harness.temporary_folder(SESSION, "numbered")
        sizes = {"IMG_10.png": "64x48", "img_2.png": "40x40", "IMG_1.png": "30x60"}
        for name, size in sizes.items():
            make_picture(pics, name, size)
        # Modification times (a PNG has no date taken): img_2, IMG_10, IMG_1 oldest first.
        for name, when in [("img_2.png", 1_000_000_000), ("IMG_10.png", 1_100_000_000),
                           ("IMG_1.png", 1_200_000_000)]:
            os.utime(os.path.join(pics, name), (when, when))
        open_dialog(SESSION, {"ｻﾝﾌﾟﾙ画像有無": "0"})
        # Listed in the order the file system gives, which the test does not choose.
        out = sources(SESSION, "post", "Folder", "browse", SESSION.windows_path(pics), "listed")
        self.assertTrue(out[-1].startswith("listed"), out)
        deadline = time.monotonic() + 15
        while len(listed := lines_and_count()[0]) < 3 and time.monotonic() < deadline:
            pass
        self.assertEqual(sorted(listed), sorted(sizes))
        by_name = ["IMG_1.png", "img_2.png", "IMG_10.png"]
        for click, expected in [("lbl_Order(1)", by_name),
                                ("Pic_Order(2)", ["img_2.png", "IMG_10.png", "IMG_1.png"]),
                                ("Pic_Order(3)", listed), ("Pic_Order(1)", by_name)]:
            dialog(SESSION, "click", click)
            self.assertEqual(lines_and_count(), (expected, "3"), click)
        SESSION.screenshot("name-order")
        # The selected picture stays selected on its new line, which its thumbnail shows.
        sources(SESSION, "select", "2")
        self.assertEqual(shown(SESSION, "lbl_PreSize")["lbl_PreSize"]["text"], "Size ： 64 * 48")
        dialog(SESSION, "click", "lbl_Order(2)")
        self.assertEqual(parse_controls(dialog(SESSION, "read"))["List_1"]["current"], "1")
        dialog(SESSION, "click", "cmd_Can", "gone", "20000")

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
