"""End to end: the settings dialog's option squares, captions, spins, colour bars, colour
dialog and interval, driven with window messages by velnor_dialog_driver.exe and
velnor_sources_driver.exe (which also works the colour dialog the program opens), then
checked in Velnor.ini after "設定". Screenshots of each group are kept in the working folder."""

import unittest

import wine_harness
from dialog_driving import (apply_and_close, dialog, ini_values, open_dialog, selected_squares,
                            shown, sources)

SESSION = None  # the harness session, set by wine_harness.run_tests

FIRST_BASIC_COLOUR = 0x8080FF  # RGB 255, 128, 128: the top-left swatch of the colour dialog
DEFAULT_MERIDIANS = 16776960


class PictureSources(unittest.TestCase):
    def tearDown(self):
        # A failed case must not leave its dialog open for the next one.
        SESSION.run_helper("velnor_dialog_driver.exe", "close", "gone", "10000", timeout=60)

    def test_squares_captions_spins_bars_and_colours(self):
        open_dialog(SESSION, {})
        depth = ("Depth_V", "chk_Rdm(1)", "lbl_Rdm(1)")
        folder_side = ("List_1", "Pic_kind(0)", "lbl_Kind(3)", "Folder", "Intval", "Pic_Size(0)",
                       "lbl_Size(1)")
        sample_side = ("Pic_sample12(0)", "lbl_sample12(1)")

        def enabled(*names):
            got = shown(SESSION, *names)
            return {name: got[name]["enabled"] for name in names}

        # Perspective squares and their captions switch the depth controls.
        self.assertEqual(set(enabled(*depth).values()), {"0"})
        for control, state in [("Pic_Per(1)", "1"), ("lbl_Per(0)", "0"), ("lbl_Per(1)", "1")]:
            dialog(SESSION, "click", control)
            self.assertEqual(set(enabled(*depth).values()), {state}, control)

        # Sample mode: the check box and its caption swap the two sides.
        self.assertEqual(set(enabled(*folder_side).values()), {"0"})
        self.assertEqual(set(enabled(*sample_side).values()), {"1"})
        dialog(SESSION, "click", "lbl_sample12(1)")
        for control, sample in [("Chk_Sample", "0"), ("lbl_Sample", "1"), ("lbl_Sample", "0")]:
            dialog(SESSION, "click", control)
            self.assertEqual(set(enabled(*sample_side).values()), {sample}, control)
            self.assertEqual(set(enabled(*folder_side).values()), {"1" if sample == "0" else "0"})
        dialog(SESSION, "click", "lbl_Size(0)", "click", "lbl_Rdm(0)", "click", "lbl_Rdm(2)")
        squares = selected_squares(SESSION)
        self.assertEqual([squares[name] for name in ("Pic_Per(0)", "Pic_Per(1)", "Pic_Size(0)",
                                                     "Pic_Size(1)", "Pic_sample12(0)",
                                                     "Pic_sample12(1)")],
                         ["0", "1", "1", "0", "0", "1"])
        SESSION.screenshot("squares")

        # Spins stop at their ends: shape 16 and 4, depth 25 and 12.
        for spin, field, ups, top, downs, bottom in [("Asp_V", "lbl_Asp", 8, "16", 14, "4"),
                                                     ("Depth_V", "lbl_Depth", 7, "25", 15, "12")]:
            dialog(SESSION, *["arrow", spin, "up"] * ups)
            self.assertEqual(shown(SESSION, field)[field]["text"], top)
            dialog(SESSION, *["arrow", spin, "down"] * downs)
            self.assertEqual(shown(SESSION, field)[field]["text"], bottom)

        # A spin's thumb dragged: it has no Scroll event, so its field changes only when
        # the thumb is released, and only if the value moved.
        sources(SESSION, "track", "Asp_V", "-13", "track", "Asp_V", "-14")
        self.assertEqual(shown(SESSION, "lbl_Asp")["lbl_Asp"]["text"], "4")
        sources(SESSION, "release", "Asp_V", "-14")
        self.assertEqual(shown(SESSION, "lbl_Asp")["lbl_Asp"]["text"], "14")
        sources(SESSION, "track", "Depth_V", "-20", "release", "Depth_V", "-20")
        self.assertEqual(shown(SESSION, "lbl_Depth")["lbl_Depth"]["text"], "20")
        sources(SESSION, "track", "Asp_V", "-9", "track", "Asp_V", "-4", "release", "Asp_V", "-4",
                "track", "Depth_V", "-12", "release", "Depth_V", "-12")
        got = shown(SESSION, "lbl_Asp", "lbl_Depth")
        self.assertEqual((got["lbl_Asp"]["text"], got["lbl_Depth"]["text"]), ("4", "12"))

        # Interval field follows its bar to both ends.
        for value in ("600", "10", "600"):
            dialog(SESSION, "scroll", "Intval", value)
            self.assertEqual(shown(SESSION, "lbl_intval")["lbl_intval"]["text"], value)

        # Preview: the colour bars repaint the sample ball, a drag step of the size bar
        # redraws, the speed bar changes nothing on screen.
        preview = shown(SESSION, "Pic_Prev")["Pic_Prev"]
        px, py = map(int, preview["screen"].split(","))
        pw, ph = map(int, preview["rect"].split(",")[2:])
        dialog(SESSION, "scroll", "H_RGB(0)", "127", "scroll", "H_RGB(1)", "0", "scroll",
               "H_RGB(2)", "0")
        before = SESSION.screenshot("ball-red")
        self.assertGreater(before.count((255, 176, 176), px, py, px + 60, py + 60), 0)
        self.assertGreater(before.count((127, 0, 0), px, py, px + 60, py + 60), 0)
        dialog(SESSION, "scroll", "HS_Fast", "10")
        same = SESSION.screenshot("speed")
        self.assertEqual(same.differing(before, px, py, px + pw, py + ph), 0)
        sources(SESSION, "track", "H_Scale", "300")
        dragged = SESSION.screenshot("scale-drag")
        self.assertGreater(dragged.differing(before, px, py, px + pw, py + ph), 1000)

        # Colour dialog: OK takes the swatch and redraws the parallels in it, cancel
        # changes nothing on screen.
        sources(SESSION, "post", "Cmd_Color(1)", "colour", "0", "0", "settled")
        chosen = SESSION.screenshot("colour-chosen")
        self.assertGreater(chosen.count((255, 128, 128), px, py, px + pw, py + ph), 300)
        sources(SESSION, "post", "Cmd_Color(2)", "colour-cancel", "settled")
        cancelled = SESSION.screenshot("colour-cancelled")
        self.assertEqual(cancelled.differing(chosen, px, py, px + pw, py + ph), 0)
        # OK without a pick keeps the line's colour: the dialog opens with it selected.
        sources(SESSION, "post", "Cmd_Color(2)", "colour-ok", "settled")
        kept = SESSION.screenshot("colour-kept")
        self.assertEqual(kept.differing(chosen, px, py, px + pw, py + ph), 0)
        # The link opens the homepage through the shell; the dialog carries on. A build
        # without a homepage has no link.
        if SESSION.args.homepage:
            sources(SESSION, "post", "lbl_URL", "sleep", "500")
        self.assertEqual(shown(SESSION, "lbl_Asp")["lbl_Asp"]["text"], "4")
        apply_and_close(SESSION)

        ini = ini_values(SESSION)
        expected = {"外観": " 4", "透視画法": " 1", "遠近の深さ": " 12", "公転球の色_赤": " 127",
                    "公転球の色_緑": " 0", "公転球の色_青": " 0", "Random_0": " 1",
                    "Random_1": " 0", "Random_2": " 1", "Color_1": f" {FIRST_BASIC_COLOUR}",
                    "Color_2": f" {DEFAULT_MERIDIANS}", "速さ": " 10", "Scale": " 300",
                    "画像のｻｲｽﾞ": " 0", "画像のｲﾝﾀｰﾊﾞﾙ": " 600", "ｻﾝﾌﾟﾙ画像有無": " 0",
                    "ｻﾝﾌﾟﾙ画像_12": " 1"}
        self.assertEqual({key: ini.get(key) for key in expected}, expected)


if __name__ == "__main__":
    wine_harness.run_tests(globals(), width=1280, height=900)
