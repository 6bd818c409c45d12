"""End to end: how the settings dialog looks. Screenshots at 96 and 144 dpi (saved in the
working folder) with checks of the preview's pixels, the captions' underlines and the
controls' places as the running dialog reports them, and the captions' Latin text without
the Japanese UI faces."""

import subprocess
import unittest

import velnor_tables
import wine_harness
from dialog_driving import DialogRun, box, remove_ini

SESSION = None  # the harness session, set by wine_harness.run_tests



def dark_glyphs(shot, controls, name):
    """The dark shapes of a caption's text, split at the columns without any: one bitmap
    (a tuple of rows) per glyph or group of touching glyphs."""
    ox, oy = (int(v) for v in controls["window"]["origin"].split(","))
    x, y, w, h = box(controls[name])
    columns = [tuple(sum(shot.pixel(ox + col, oy + row)) < 200 for row in range(y, y + h))
               for col in range(x, x + w)]
    glyphs, current = [], []
    for column in columns + [()]:
        if any(column):
            current.append(column)
        elif current:
            glyphs.append(tuple(current))
            current = []
    return glyphs


def set_dpi(dpi):
    subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
                    "REG_DWORD", "/d", str(dpi), "/f"], env=SESSION.env(), stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True, timeout=60)
    # A new process reads the DPI when the next wineserver starts.
    subprocess.run(["wineserver", "-w"], env=SESSION.env(), check=False, timeout=60)


class Looks(unittest.TestCase):
    """Screenshots at 96 and 144 dpi, with and without perspective."""

    def tearDown(self):
        set_dpi(96)
        remove_ini(SESSION)

    def check_layout(self, controls, scale):
        window = controls["window"]
        cw, ch = (int(v) for v in window["client"].split(","))
        ww, wh = (int(v) for v in window["rect"].split(",")[2:])
        # The client area is exactly Pic_C (12435 x 6375 twips at the window's DPI); the
        # system's frame and caption come around it.
        self.assertEqual((cw, ch), {1.0: (829, 425), 1.5: (1244, 638)}[scale])
        self.assertTrue(ww > cw and wh > ch, (ww, wh))
        placed = {n: box(f) for n, f in controls.items() if n != "window"}
        self.assertEqual(placed["Pic_C"], [0, 0, cw, ch])
        # Buttons and captions must be visible inside the client area.
        for name in ("cmd_OK", "cmd_Can", "Cmd_init", "lbl(21)", "lbl_Size(1)"):
            x, y, w, h = placed[name]
            self.assertLessEqual(y + h, ch, name)
            self.assertLessEqual(x + w, cw, name)
        # The controls that take input (from the control table): no two may overlap.
        takes_input = velnor_tables.interactive(velnor_tables.load(SESSION))
        interactive = [n for n in placed if n in takes_input]
        for i, a in enumerate(interactive):
            for b in interactive[i + 1:]:
                ax, ay, aw, ah = placed[a]
                bx, by, bw, bh = placed[b]
                overlap = ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah
                self.assertFalse(overlap, f"{a} overlaps {b}")

    def check_preview(self, shot, controls, scale, ball_rim):
        ox, oy = (int(v) for v in controls["window"]["origin"].split(","))
        x, y, w, h = box(controls["Pic_Prev"])
        left, top = ox + x + 2, oy + y + 2  # inside the 2-pixel sunken border
        right, bottom = ox + x + w - 2, oy + y + h - 2
        self.assertGreater(shot.count((0, 255, 0), left, top, right, bottom), 300 * scale)
        self.assertGreater(shot.count((0, 255, 255), left, top, right, bottom), 300 * scale)
        self.assertGreater(shot.count((0, 0, 255), left, top, right, bottom), 100 * scale)
        # The sample ball's rim towards the lower right of its 48-pixel square.
        self.assertEqual(shot.pixel(left + round(40 * scale), top + round(40 * scale)), ball_rim)

    def check_underlines(self, shot, controls, scale):
        """Clickable captions show their underline: a row of the text's colour, unbroken
        under the whole text, inside the caption's box."""
        ox, oy = (int(v) for v in controls["window"]["origin"].split(","))
        captions = [("lbl_URL", (0, 0, 255), 120), ("lbl_Per(0)", (0, 0, 0), 12),
                    ("lbl_Rdm(0)", (0, 0, 0), 20)]
        # The link exists only in a build with a homepage.
        for name, colour, least in captions[0 if SESSION.args.homepage else 1:]:
            x, y, w, h = box(controls[name])
            longest = 0
            for row in range(oy + y, oy + y + h):
                run = 0
                for col in range(ox + x, ox + x + w):
                    run = run + 1 if shot.pixel(col, row) == colour else 0
                    longest = max(longest, run)
            self.assertGreaterEqual(longest, least * scale, f"no underline under {name}")

    def test_captions_show_text_without_the_font_replacements(self):
        """Without the Japanese UI faces (here: the prefix's replacements removed) the
        captions still show their Latin text, not a box for every character."""
        subprocess.run(["wine", "reg", "delete", r"HKCU\Software\Wine\Fonts\Replacements", "/f"],
                       env=SESSION.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       check=True, timeout=60)
        subprocess.run(["wineserver", "-w"], env=SESSION.env(), check=False, timeout=60)
        try:
            remove_ini(SESSION)
            with DialogRun(SESSION) as run:
                shot = SESSION.screenshot("dialog-without-font-replacements")
                for name in ("lbl_Asp", "lbl(9)"):  # "10" and "Velnor  Version 1.1.0"
                    glyphs = dark_glyphs(shot, run.controls, name)
                    self.assertGreaterEqual(len(glyphs), 2, name)
                    self.assertGreater(len(set(glyphs)), 1, f"{name} shows one shape: boxes")
                self.assertTrue(run.finish("click", "cmd_Can"))
        finally:
            SESSION.register_fonts()
            subprocess.run(["wineserver", "-w"], env=SESSION.env(), check=False, timeout=60)

    def test_screenshots(self):
        cases = [(96, False), (96, True), (144, False), (144, True)]
        for dpi, perspective in cases:
            with self.subTest(dpi=dpi, perspective=perspective):
                set_dpi(dpi)
                remove_ini(SESSION)
                if perspective:
                    SESSION.write_settings({"透視画法": "1", "遠近の深さ": "25",
                                            "公転球の色_赤": "0", "公転球の色_緑": "60",
                                            "公転球の色_青": "120"})
                with DialogRun(SESSION) as run:
                    label = f"dialog-{dpi}dpi-{'perspective' if perspective else 'default'}"
                    shot = SESSION.screenshot(label)
                    scale = dpi / 96
                    self.check_layout(run.controls, scale)
                    rim = (0, 60, 120) if perspective else (72, 32, 56)
                    self.check_preview(shot, run.controls, scale, rim)
                    self.check_underlines(shot, run.controls, scale)
                    self.assertTrue(run.finish("click", "cmd_Can"))


if __name__ == "__main__":
    wine_harness.run_tests(globals(), width=1600, height=1000)
