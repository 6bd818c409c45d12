"""End to end: the settings dialog's value fields under Wine. The widest text each field can
be given (a full list's count, a picture size of four-digit sides, the bars' range ends) fits
its box in the dialog's own font at 96, 120, 144 and 192 dpi; a long folder path shows its
end, its middle left out, and the whole path in a tooltip. Screenshots at 96 and 144 dpi are kept in the working folder."""

import os
import time
import unittest

import wine_harness
from dialog_driving import apply_and_close, open_dialog, set_dpi, shown

SESSION = None  # the harness session, set by wine_harness.run_tests


class ValueFields(unittest.TestCase):
    def test_the_widest_texts_fit_their_fields_at_every_dpi(self):
        code, lines, log = SESSION.run_helper("velnor_value_fit.exe", "96", "120", "144", "192")
        rows = [line for line in lines if line.startswith("dpi=")]
        self.assertEqual(len(rows), 4 * 5, lines)
        misfits = [row for row in rows if " fits=1 " not in row]
        self.assertEqual(misfits, [], "\n".join(rows))
        self.assertEqual(code, 0, log)

    def test_a_long_folder_path_shows_its_end(self):
        deep = os.path.join(SESSION.work, "a-long-folder-name-" * 3, "the-folder-itself")
        os.makedirs(deep, exist_ok=True)
        self.addCleanup(set_dpi, SESSION, 96)
        for dpi in (96, 144):
            set_dpi(SESSION, dpi)
            open_dialog(SESSION, {"ｻﾝﾌﾟﾙ画像有無": "0", "画像のﾌｫﾙﾀﾞ": SESSION.windows_path(deep)})
            path = shown(SESSION, "Folder_Path")["Folder_Path"]
            self.assertEqual(path["text"], SESSION.windows_path(deep))
            shot = SESSION.screenshot(f"long-path-{dpi}dpi")
            x, y = map(int, path["screen"].split(","))
            w, h = map(int, path["rect"].split(",")[2:])
            # The text reaches the field's right part but stops inside its inset of 3
            # pixels: the path was shortened in its middle, not cut off at the edge. When the
            # shortened path fills the space exactly, the last glyph may overhang its advance
            # by a pixel (the ink then touches the inset; which path fills it exactly depends
            # on the folder the tests run in).
            inked = [px for px in range(x + 1, x + w - 1) for py in range(y + 2, y + h - 2)
                     if max(shot.pixel(px, py)) < 100]
            self.assertGreater(max(inked), x + w * 3 // 4, dpi)
            self.assertLessEqual(max(inked), x + w - 3, dpi)
            # Its tooltip shows the whole path, wider than the field.
            SESSION.move_mouse(x + w // 2, y + h // 2)
            time.sleep(0.3)
            SESSION.move_mouse(x + w // 2 + 2, y + h // 2)
            tip = ["no tooltip"]
            for _ in range(20):
                tip = SESSION.run_helper("velnor_sources_driver.exe", "tooltip")[1]
                if tip and tip[-1].startswith("tooltip "):
                    break
                time.sleep(0.25)
            self.assertTrue(tip[-1].startswith("tooltip width="), tip)
            self.assertGreater(int(tip[-1].split("=")[1]), w, tip)
            if dpi == 96:
                SESSION.screenshot("long-path-tooltip")
            apply_and_close(SESSION)


if __name__ == "__main__":
    wine_harness.run_tests(globals(), width=1280, height=900)
