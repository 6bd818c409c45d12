"""End to end: the photo folders people have, under Wine. Read-only photos (read-only and
archive, as copied from a card) and every JPEG extension are listed, hidden and system
files are not; a stored folder on a drive that is absent stays stored and is shown marked;
a folder of more pictures than the list holds (33,000: past the cap of 32,767) is listed
while the dialog keeps answering, with a message on the pictures left out."""

import os
import shutil
import tempfile
import unittest

import wine_harness
from dialog_driving import (apply_and_close, dialog, ini_path, open_dialog, set_dpi, shown,
                            sources)

SESSION = None  # the harness session, set by wine_harness.run_tests

READ_ONLY, HIDDEN, SYSTEM = 1, 2, 4
MISSING_FOLDER = "Q:\\Pics"  # no drive Q: in the test prefix


def lines_and_count():
    out = sources(SESSION, "lines", "show", "lbl_Kei")
    lines = [line[5:] for line in out if line.startswith("line=")]
    return lines, out[-1].split(' text="', 1)[1][:-1]


def empty_files(folder, names):
    for name in names:
        with open(os.path.join(folder, name), "wb"):
            pass


def stored_folder_bytes():
    with open(ini_path(SESSION), "rb") as f:
        for line in f.read().split(b"\r\n"):
            if line.startswith("画像のﾌｫﾙﾀﾞ=".encode("cp932")):
                return line.split(b"=", 1)[1]
    return None


class PhotoFolders(unittest.TestCase):
    def tearDown(self):
        # A failed case must not leave its dialog, or a message box of it, open.
        SESSION.run_helper("velnor_sources_driver.exe", "message-ok", "3000", timeout=60)
        SESSION.run_helper("velnor_dialog_driver.exe", "close", "gone", "10000", timeout=60)

    def test_read_only_photos_and_every_jpeg_extension_are_listed(self):
        pics = wine_harness.temporary_folder(SESSION, "photos")
        # One file per pass, kind and pattern, so the file system's own order never matters.
        empty_files(pics, ["n.bmp", "g.gif", "e.jpg", "B.JPEG", "c.jpe", "d.jfif", "ro.bmp",
                           "a.jpeg", "h.jpg", "s.gif", "notes.txt"])
        os.mkdir(os.path.join(pics, "dir.jpg"))
        open_dialog(SESSION, {"ｻﾝﾌﾟﾙ画像有無": "0"})
        for name, value in (("ro.bmp", READ_ONLY), ("a.jpeg", READ_ONLY), ("h.jpg", HIDDEN),
                            ("s.gif", SYSTEM)):
            path = SESSION.windows_path(os.path.join(pics, name))
            self.assertEqual(sources(SESSION, "attrib", path, str(value)), ["attrib ok"])
        # Wine gives every file the archive bit: the read-only ones are read-only + archive.
        out = sources(SESSION, "post", "Folder", "browse", SESSION.windows_path(pics), "listed")
        self.assertTrue(out[-1].startswith("listed"), out)
        listed = ["n.bmp", "g.gif", "e.jpg", "B.JPEG", "c.jpe", "d.jfif", "ro.bmp", "a.jpeg"]
        self.assertEqual(lines_and_count(), (listed, "8"))
        apply_and_close(SESSION)
        # The loader's scan lists the same, in the same order, when the dialog opens again.
        SESSION.start_program("/c")
        self.assertEqual(dialog(SESSION, "wait", "60000"), ["found"])
        self.assertEqual(lines_and_count(), (listed, "8"))

    def test_a_stored_folder_on_an_absent_drive_is_kept(self):
        self.assertFalse(os.path.exists(os.path.join(SESSION.prefix, "dosdevices", "q:")))
        self.addCleanup(set_dpi, SESSION, 96)
        for dpi in (144, 96):
            set_dpi(SESSION, dpi)
            open_dialog(SESSION, {"ｻﾝﾌﾟﾙ画像有無": "0", "画像のﾌｫﾙﾀﾞ": MISSING_FOLDER})
            path = shown(SESSION, "Folder_Path")["Folder_Path"]
            self.assertEqual(path["text"], MISSING_FOLDER)
            self.assertEqual(lines_and_count(), ([], "0"))
            # Shown greyed with its mark: grey text, no black, reaching past the path itself.
            shot = SESSION.screenshot(f"missing-folder-{dpi}dpi")
            x, y = map(int, path["screen"].split(","))
            w, h = map(int, path["rect"].split(",")[2:])
            inked = [(px, py) for px in range(x + 2, x + w - 2) for py in range(y + 2, y + h - 2)
                     if max(shot.pixel(px, py)) < 180]
            self.assertTrue(inked, "no text in Folder_Path")
            self.assertGreater(min(min(shot.pixel(px, py)) for px, py in inked), 70, "not greyed")
            self.assertGreater(max(px for px, _ in inked) - x, 100 * dpi // 96, "no mark")
            apply_and_close(SESSION)
        self.assertEqual(stored_folder_bytes(), MISSING_FOLDER.encode("cp932"))

        # The saver starts on black.
        SESSION.write_settings({"ｻﾝﾌﾟﾙ画像有無": "0", "画像のﾌｫﾙﾀﾞ": MISSING_FOLDER})
        proc = SESSION.start_program("/s")
        self.addCleanup(SESSION.stop, proc, "VelnorS")
        self.assertTrue(SESSION.wait_for_window("VelnorS", 20))
        shot = SESSION.screenshot("missing-folder-saver")
        for at in ((6, 6), (SESSION.width - 7, 6), (6, SESSION.height - 7),
                   (SESSION.width - 7, SESSION.height - 7)):
            self.assertEqual(shot.pixel(*at), (0, 0, 0), at)

    def test_a_folder_past_the_cap_of_32767_pictures(self):
        pics = tempfile.mkdtemp(prefix="many-", dir=SESSION.work)
        self.addCleanup(shutil.rmtree, pics, True)
        empty_files(pics, (f"{i:05}.jpg" for i in range(33000)))
        open_dialog(SESSION, {"ｻﾝﾌﾟﾙ画像有無": "0"})
        sources(SESSION, "post", "Folder", "browse", SESSION.windows_path(pics))
        out = sources(SESSION, "watch", "32767", "60000")
        fields = dict(part.split("=") for part in out[-1].split()[1:])
        print(out[-1])
        self.assertLess(int(fields["slowest"]), 1000, out)
        self.assertLess(int(fields["after"]), 10000, out)
        message = sources(SESSION, "message")[-1]
        self.assertTrue(message.startswith("message icon=1 "), message)
        for number in ("33000", "32767", "233"):
            self.assertIn(number, message)
        sources(SESSION, "message-ok")
        self.assertEqual(lines_and_count()[1], "32767")
        apply_and_close(SESSION)
        # Opening with that folder stored says the same.
        SESSION.start_program("/c")
        self.assertEqual(dialog(SESSION, "wait", "60000"), ["found"])
        self.assertEqual(sources(SESSION, "message")[-1], message)
        sources(SESSION, "message-ok")


if __name__ == "__main__":
    wine_harness.run_tests(globals(), width=1600, height=1000)
