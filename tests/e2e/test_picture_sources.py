"""End to end: the settings dialog's picture sources, option squares, captions, spins,
colour bars, colour dialog and interval, driven with window messages by
velnor_dialog_driver.exe and velnor_sources_driver.exe (which also works the folder
browser and the colour dialog the program opens), then checked in Velnor.ini after "設定".
One Wine/Xvfb session; screenshots of each group are kept in the working folder.

Wine reports the archive bit on every regular file and cannot clear it, so a file with no
attribute and a listable read-only file do not exist there: under Wine every picture comes
from the archive pass, and a read-only file (read-only + archive) is never listed. The
order of the three passes is covered by the unit tests of the folder listing."""

import os
import shutil
import subprocess
import time
import unittest

import wine_harness

SESSION = None  # the harness session, set by wine_harness.run_tests

FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_ARCHIVE = 1, 2, 32
UNICODE_NAME = "ü☃.jpg"  # neither character exists in cp932
FIRST_BASIC_COLOUR = 0x8080FF  # RGB 255, 128, 128: the top-left swatch of the colour dialog
DEFAULT_MERIDIANS = 16776960


def run(exe, *commands, timeout=120):
    """Runs a driver; returns its output lines."""
    code, lines, log = SESSION.run_helper(exe, *commands, timeout=timeout)
    if code != 0:
        raise AssertionError(f"{exe} {commands} failed with exit code {code}: {lines}\n"
                             f"Wine's log:\n{log[-4000:]}")
    return lines


def dialog(*commands):
    return run("velnor_dialog_driver.exe", *commands)


def sources(*commands):
    return run("velnor_sources_driver.exe", *commands)


def shown(*names):
    """{name: {enabled, visible, rect, screen, text}} as the sources driver shows them."""
    out = {}
    for line in sources(*[c for name in names for c in ("show", name)]):
        fields = dict(part.split("=", 1) for part in line.split(" text=")[0].split())
        fields["text"] = line.split(' text="', 1)[1][:-1]
        out[fields["name"]] = fields
    return out


def selected_squares():
    """{square name: "1" when shown selected} from the dialog driver's read."""
    out = {}
    for line in dialog("read"):
        if " selected=" in line:
            out[line.split()[0][5:]] = line.rsplit(" selected=", 1)[1]
    return out


def lines_and_count():
    out = sources("lines", "show", "lbl_Kei")
    lines = [line[5:] for line in out if line.startswith("line=")]
    return lines, out[-1].split(' text="', 1)[1][:-1]


def ini_values():
    path = os.path.join(os.path.dirname(SESSION.program), "Velnor.ini")
    with open(path, "rb") as f:
        text = f.read().decode("cp932")
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


def open_dialog(settings):
    # A dialog still closing would make the new one end at once as a second instance.
    for earlier in SESSION.processes:
        SESSION.wait_exit(earlier, 20)
    path = os.path.join(os.path.dirname(SESSION.program), "Velnor.ini")
    if os.path.exists(path):
        os.remove(path)
    SESSION.write_settings(settings)
    SESSION.start_program("/c")
    assert dialog("wait", "60000") == ["found"]


def apply_and_close():
    assert dialog("click", "cmd_OK", "gone", "20000")[-1] == "gone"


def make_picture(folder, name, size, colour="red"):
    subprocess.run(["convert", "-size", size, f"xc:{colour}", os.path.join(folder, name)],
                   check=True)


def set_attributes(folder, name, value):
    assert sources("attrib", SESSION.windows_path(os.path.join(folder, name)), str(value)) == \
        ["attrib ok"]


def browse(folder, expected):
    """Browses to `folder`; returns the list and count once they show `expected` (the
    list is filled when the listing ends), or what they show after 15 seconds."""
    out = sources("post", "Folder", "browse", SESSION.windows_path(folder), "listed")
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
        open_dialog({"ｻﾝﾌﾟﾙ画像有無": "0"})
        set_attributes(pics, "a.gif", FILE_ATTRIBUTE_ARCHIVE)
        set_attributes(pics, "m.bmp", FILE_ATTRIBUTE_READONLY)
        set_attributes(pics, "both.jpg", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE)
        set_attributes(pics, "h.gif", FILE_ATTRIBUTE_HIDDEN)

        # Each kind in its order (bmp, gif, jpg, wmf), whatever the names' order.
        listed = ["z.bmp", "a.gif", UNICODE_NAME, "broken.wmf"]
        self.assertEqual(browse(pics, (listed, "4")), (listed, "4"))
        self.assertEqual(shown("Folder_Path")["Folder_Path"]["text"], SESSION.windows_path(pics))

        # A cancelled browser keeps the folder and the list.
        sources("post", "Folder", "browse-cancel", "listed")
        self.assertEqual(lines_and_count(), (listed, "4"))

        # Thumbnails at (192, 28) in the panel, longer side 100; an unreadable file
        # leaves the last thumbnail and size text.
        for index, rect, text in [(0, "192,28,100,75", "Size ： 640 * 480"),
                                  (1, "192,28,75,100", "Size ： 480 * 640"),
                                  (2, "192,28,100,100", "Size ： 300 * 300"),
                                  (3, "192,28,100,100", "Size ： 300 * 300")]:
            sources("select", str(index))
            got = shown("Pic_K", "lbl_PreSize")
            self.assertEqual((got["Pic_K"]["rect"], got["Pic_K"]["visible"]), (rect, "1"), index)
            self.assertEqual(got["lbl_PreSize"]["text"], text, index)
        shot = SESSION.screenshot("thumbnail-green")
        x, y = map(int, shown("Pic_K")["Pic_K"]["screen"].split(","))
        for at in [(x + 5, y + 5), (x + 50, y + 50), (x + 94, y + 94)]:
            self.assertTrue(all(abs(a - b) <= 8 for a, b in zip(shot.pixel(*at), (0, 128, 0))),
                            (at, shot.pixel(*at)))

        # Kind toggles rescan; the caption acts like its square.
        dialog("click", "Pic_kind(1)")
        self.assertEqual(lines_and_count(), (["z.bmp", UNICODE_NAME, "broken.wmf"], "3"))
        dialog("click", "lbl_Kind(1)")
        self.assertEqual(lines_and_count(), (listed, "4"))
        dialog("click", "Pic_kind(0)", "click", "lbl_Kind(1)", "click", "Pic_kind(2)",
               "click", "lbl_Kind(3)")
        self.assertEqual(lines_and_count(), ([], "0"))
        squares = selected_squares()
        self.assertEqual([squares[f"Pic_kind({k})"] for k in range(4)], ["0"] * 4)
        SESSION.screenshot("kinds-off")

        # All kinds off: browsing lists nothing and shows "0".
        self.assertEqual(browse(pics, ([], "0")), ([], "0"))

        # A folder that no longer exists: the square toggles, list and count stay.
        gone = wine_harness.temporary_folder(SESSION, "gone")
        make_picture(gone, "x.bmp", "32x32")
        dialog("click", "Pic_kind(0)")
        self.assertEqual(browse(gone, (["x.bmp"], "1")), (["x.bmp"], "1"))
        shutil.rmtree(gone)
        dialog("click", "Pic_kind(2)")
        self.assertEqual(lines_and_count(), (["x.bmp"], "1"))
        SESSION.screenshot("folder-gone")
        apply_and_close()

        ini = ini_values()
        self.assertEqual(ini["画像のﾌｫﾙﾀﾞ"], SESSION.windows_path(gone))
        self.assertEqual([ini[f"画像種類_{k}"] for k in range(4)], [" 1", " 0", " 1", " 0"])

    def test_a_folder_name_the_file_cannot_hold_is_stored_by_its_short_name(self):
        folder = wine_harness.temporary_folder(SESSION, "写真☃")  # ☃ is not in cp932
        make_picture(folder, "x.bmp", "32x32")
        open_dialog({"ｻﾝﾌﾟﾙ画像有無": "0"})
        self.assertEqual(browse(folder, (["x.bmp"], "1")), (["x.bmp"], "1"))
        shown_path = shown("Folder_Path")["Folder_Path"]["text"]
        self.assertNotEqual(shown_path, SESSION.windows_path(folder))
        apply_and_close()
        stored = ini_values()["画像のﾌｫﾙﾀﾞ"]
        self.assertEqual(stored, shown_path)
        self.assertNotIn("?", stored)
        # The stored name finds the same pictures when the dialog opens again.
        SESSION.start_program("/c")
        self.assertEqual(dialog("wait", "60000"), ["found"])
        self.assertEqual(lines_and_count(), (["x.bmp"], "1"))

    def test_squares_captions_spins_bars_and_colours(self):
        open_dialog({})
        depth = ("Depth_V", "chk_Rdm(1)", "lbl_Rdm(1)")
        folder_side = ("List_1", "Pic_kind(0)", "lbl_Kind(3)", "Folder", "Intval", "Pic_Size(0)",
                       "lbl_Size(1)")
        sample_side = ("Pic_sample12(0)", "lbl_sample12(1)")

        def enabled(*names):
            got = shown(*names)
            return {name: got[name]["enabled"] for name in names}

        # Perspective squares and their captions switch the depth controls.
        self.assertEqual(set(enabled(*depth).values()), {"0"})
        for control, state in [("Pic_Per(1)", "1"), ("lbl_Per(0)", "0"), ("lbl_Per(1)", "1")]:
            dialog("click", control)
            self.assertEqual(set(enabled(*depth).values()), {state}, control)

        # Sample mode: the check box and its caption swap the two sides.
        self.assertEqual(set(enabled(*folder_side).values()), {"0"})
        self.assertEqual(set(enabled(*sample_side).values()), {"1"})
        dialog("click", "lbl_sample12(1)")
        for control, sample in [("Chk_Sample", "0"), ("lbl_Sample", "1"), ("lbl_Sample", "0")]:
            dialog("click", control)
            self.assertEqual(set(enabled(*sample_side).values()), {sample}, control)
            self.assertEqual(set(enabled(*folder_side).values()), {"1" if sample == "0" else "0"})
        dialog("click", "lbl_Size(0)", "click", "lbl_Rdm(0)", "click", "lbl_Rdm(2)")
        squares = selected_squares()
        self.assertEqual([squares[name] for name in ("Pic_Per(0)", "Pic_Per(1)", "Pic_Size(0)",
                                                     "Pic_Size(1)", "Pic_sample12(0)",
                                                     "Pic_sample12(1)")],
                         ["0", "1", "1", "0", "0", "1"])
        SESSION.screenshot("squares")

        # Spins stop at their ends: shape 16 and 4, depth 25 and 12.
        for spin, field, ups, top, downs, bottom in [("Asp_V", "lbl_Asp", 8, "16", 14, "4"),
                                                     ("Depth_V", "lbl_Depth", 7, "25", 15, "12")]:
            dialog(*["arrow", spin, "up"] * ups)
            self.assertEqual(shown(field)[field]["text"], top)
            dialog(*["arrow", spin, "down"] * downs)
            self.assertEqual(shown(field)[field]["text"], bottom)

        # A spin's thumb dragged: it has no Scroll event, so its field changes only when
        # the thumb is released, and only if the value moved.
        sources("track", "Asp_V", "-13", "track", "Asp_V", "-14")
        self.assertEqual(shown("lbl_Asp")["lbl_Asp"]["text"], "4")
        sources("release", "Asp_V", "-14")
        self.assertEqual(shown("lbl_Asp")["lbl_Asp"]["text"], "14")
        sources("track", "Depth_V", "-20", "release", "Depth_V", "-20")
        self.assertEqual(shown("lbl_Depth")["lbl_Depth"]["text"], "20")
        sources("track", "Asp_V", "-9", "track", "Asp_V", "-4", "release", "Asp_V", "-4",
                "track", "Depth_V", "-12", "release", "Depth_V", "-12")
        got = shown("lbl_Asp", "lbl_Depth")
        self.assertEqual((got["lbl_Asp"]["text"], got["lbl_Depth"]["text"]), ("4", "12"))

        # Interval field follows its bar to both ends.
        for value in ("600", "10", "600"):
            dialog("scroll", "Intval", value)
            self.assertEqual(shown("lbl_intval")["lbl_intval"]["text"], value)

        # Preview: the colour bars repaint the sample ball, a drag step of the size bar
        # redraws, the speed bar changes nothing on screen.
        preview = shown("Pic_Prev")["Pic_Prev"]
        px, py = map(int, preview["screen"].split(","))
        pw, ph = map(int, preview["rect"].split(",")[2:])
        dialog("scroll", "H_RGB(0)", "127", "scroll", "H_RGB(1)", "0", "scroll", "H_RGB(2)", "0")
        before = SESSION.screenshot("ball-red")
        self.assertGreater(before.count((255, 176, 176), px, py, px + 60, py + 60), 0)
        self.assertGreater(before.count((127, 0, 0), px, py, px + 60, py + 60), 0)
        dialog("scroll", "HS_Fast", "10")
        same = SESSION.screenshot("speed")
        self.assertEqual(same.differing(before, px, py, px + pw, py + ph), 0)
        sources("track", "H_Scale", "300")
        dragged = SESSION.screenshot("scale-drag")
        self.assertGreater(dragged.differing(before, px, py, px + pw, py + ph), 1000)

        # Colour dialog: OK takes the swatch and redraws the parallels in it, cancel
        # changes nothing on screen.
        sources("post", "Cmd_Color(1)", "colour", "0", "0", "settled")
        chosen = SESSION.screenshot("colour-chosen")
        self.assertGreater(chosen.count((255, 128, 128), px, py, px + pw, py + ph), 300)
        sources("post", "Cmd_Color(2)", "colour-cancel", "settled")
        cancelled = SESSION.screenshot("colour-cancelled")
        self.assertEqual(cancelled.differing(chosen, px, py, px + pw, py + ph), 0)
        # OK without a pick keeps the line's colour: the dialog opens with it selected.
        sources("post", "Cmd_Color(2)", "colour-ok", "settled")
        kept = SESSION.screenshot("colour-kept")
        self.assertEqual(kept.differing(chosen, px, py, px + pw, py + ph), 0)
        # The link opens the homepage through the shell; the dialog carries on.
        sources("post", "lbl_URL", "sleep", "500")
        self.assertEqual(shown("lbl_Asp")["lbl_Asp"]["text"], "4")
        apply_and_close()

        ini = ini_values()
        expected = {"外観": " 4", "透視画法": " 1", "遠近の深さ": " 12", "公転球の色_赤": " 127",
                    "公転球の色_緑": " 0", "公転球の色_青": " 0", "Random_0": " 1",
                    "Random_1": " 0", "Random_2": " 1", "Color_1": f" {FIRST_BASIC_COLOUR}",
                    "Color_2": f" {DEFAULT_MERIDIANS}", "速さ": " 10", "Scale": " 300",
                    "画像のｻｲｽﾞ": " 0", "画像のｲﾝﾀｰﾊﾞﾙ": " 600", "ｻﾝﾌﾟﾙ画像有無": " 0",
                    "ｻﾝﾌﾟﾙ画像_12": " 1"}
        self.assertEqual({key: ini.get(key) for key in expected}, expected)


if __name__ == "__main__":
    wine_harness.run_tests(globals(), width=1280, height=900)
