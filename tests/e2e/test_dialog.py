"""End to end: the settings dialog (/c) driven by velnor_dialog_driver.exe with window
messages. What each way out of the dialog leaves in Velnor.ini beside the program, what the
controls show for stored values, a second /c while it is open, the saver started after
"設定", and screenshots at 96 and 144 dpi (saved in the working folder) with checks of the
preview's pixels and of the controls' places as the running dialog reports them."""

import os
import subprocess
import unittest

import wine_harness

SESSION = None  # the harness session, set by wine_harness.run_tests

TITLE = "Velnorの設定"

# Every key "設定" writes, in its order, with the values of an untouched dialog on an
# empty settings file (the loader's defaults; the spins' values negated back).
DEFAULT_APPLY = [
    ("外観", " 10"), ("透視画法", " 0"), ("遠近の深さ", " 20"), ("公転球の色_赤", " 72"),
    ("公転球の色_緑", " 32"), ("公転球の色_青", " 56"), ("Random_0", " 0"), ("Random_1", " 0"),
    ("Color_1", " 65280"), ("Random_2", " 0"), ("Color_2", " 16776960"), ("速さ", " 0"),
    ("Scale", " 128"), ("画像のﾌｫﾙﾀﾞ", ""), ("画像種類_0", " 1"), ("画像種類_1", " 1"),
    ("画像種類_2", " 1"), ("画像種類_3", " 1"), ("画像のｻｲｽﾞ", " 1"), ("画像のｲﾝﾀｰﾊﾞﾙ", " 30"),
    ("ｻﾝﾌﾟﾙ画像有無", " 1"), ("ｻﾝﾌﾟﾙ画像_12", " 0"),
]

FACTORY = [
    ("外観", "10"), ("透視画法", "0"), ("遠近の深さ", "20"), ("公転球の色_赤", "72"),
    ("公転球の色_緑", "32"), ("公転球の色_青", "56"), ("Random_0", "0"), ("Random_1", "0"),
    ("Color_1", " 65280"), ("Random_2", "0"), ("Color_2", " 16776960"), ("速さ", "0"),
    ("Scale", "144"), ("画像のﾌｫﾙﾀﾞ", ""), ("画像種類_0", "1"), ("画像種類_1", "1"),
    ("画像種類_2", "1"), ("画像種類_3", "1"), ("画像のｻｲｽﾞ", "1"), ("画像のｲﾝﾀｰﾊﾞﾙ", "30"),
    ("ｻﾝﾌﾟﾙ画像有無", "1"), ("ｻﾝﾌﾟﾙ画像_12", "0"),
]

INTERACTIVE = ("chk_", "Chk_", "lbl_Rdm", "lbl_Per", "lbl_Sample", "lbl_sample12", "lbl_Kind",
               "lbl_Size", "lbl_URL", "Pic_Per", "Pic_kind", "Pic_Size", "Pic_sample12",
               "Cmd", "cmd", "Folder(", "Asp_V", "Depth_V", "H_RGB", "HS_Fast", "H_Scale",
               "Intval", "List_1")


def ini_path():
    return os.path.join(os.path.dirname(SESSION.program), "Velnor.ini")


def remove_ini():
    if os.path.exists(ini_path()):
        os.remove(ini_path())


def ini_rows():
    """The (key, value) lines of Velnor.ini in file order, section lines left out."""
    with open(ini_path(), "rb") as f:
        text = f.read().decode("cp932")
    rows = []
    for line in text.splitlines():
        if line.startswith("[") or "=" not in line:
            continue
        key, value = line.split("=", 1)
        rows.append((key, value))
    return rows


def drive(*commands, timeout=90):
    """Runs the driver; returns its output lines."""
    return SESSION.run_helper("velnor_dialog_driver.exe", *commands, timeout=timeout)[1]


def parse_controls(lines):
    """{name: {field: value}} from the driver's read lines, plus "window"."""
    controls = {}
    for line in lines:
        if line.startswith("window "):
            fields = dict(part.split("=", 1) for part in line.split()[1:])
            controls["window"] = fields
        elif line.startswith("name="):
            head, _, rest = line.partition(' text="')
            text, _, tail = rest.rpartition('"')
            fields = dict(part.split("=", 1) for part in (head + tail).split())
            fields["text"] = text
            controls[fields["name"]] = fields
    return controls


def box(fields):
    return [int(v) for v in fields["rect"].split(",")]


class DialogRun:
    """One /c process with the dialog found; ended (killed if need be) on exit."""

    def __enter__(self):
        self.proc = SESSION.start_program("/c")
        lines = drive("wait", "30000", "sleep", "500", "read")
        if not lines or lines[0] != "found":
            self.__exit__()
            raise AssertionError(f"dialog did not open: {lines[:3]}")
        self.controls = parse_controls(lines)
        return self

    def __exit__(self, *exc):
        if self.proc.poll() is None and SESSION.wait_exit(self.proc, 10) is None:
            self.proc.kill()
            self.proc.wait()

    def finish(self, *commands):
        """Runs commands that close the dialog; returns whether the process then ended."""
        lines = drive(*commands, "gone", "10000")
        return lines[-1] == "gone" and SESSION.wait_exit(self.proc, 10) == 0


class Buttons(unittest.TestCase):
    def setUp(self):
        remove_ini()

    def test_apply_on_no_file_writes_every_default_with_leading_blanks(self):
        with DialogRun() as run:
            c = run.controls
            self.assertEqual(c["lbl_Asp"]["text"], "10")
            self.assertEqual(c["lbl_Depth"]["text"], "20")
            self.assertEqual(c["Depth_V"]["enabled"], "0", "perspective off disables the depth")
            self.assertEqual(c["Pic_Per(0)"]["selected"], "1")
            self.assertEqual(c["lbl_intval"]["text"], "30")
            self.assertEqual(c["lbl_Kei"]["text"], "", "no picture: the count stays blank")
            self.assertEqual(c["Folder"]["enabled"], "0", "sample mode disables the folder")
            self.assertEqual(c["Pic_sample12(0)"]["enabled"], "1")
            self.assertTrue(run.finish("click", "cmd_OK"))
        self.assertEqual(ini_rows(), DEFAULT_APPLY)

    def test_complete_file_is_rewritten_with_the_same_numbers(self):
        stored = [("外観", "12"), ("透視画法", "1"), ("遠近の深さ", "18"), ("公転球の色_赤", "10"),
                  ("公転球の色_緑", "0"), ("公転球の色_青", "127"), ("Random_0", "1"),
                  ("Random_1", "0"), ("Color_1", "255"), ("Random_2", "1"),
                  ("Color_2", "16711680"), ("速さ", "7"), ("Scale", "200"),
                  ("画像のﾌｫﾙﾀﾞ", ""), ("画像種類_0", "1"), ("画像種類_1", "0"),
                  ("画像種類_2", "1"), ("画像種類_3", "0"), ("画像のｻｲｽﾞ", "0"),
                  ("画像のｲﾝﾀｰﾊﾞﾙ", "600"), ("ｻﾝﾌﾟﾙ画像有無", "0"), ("ｻﾝﾌﾟﾙ画像_12", "1")]
        SESSION.write_settings(dict(stored))
        with DialogRun() as run:
            self.assertEqual(run.controls["Depth_V"]["enabled"], "1")
            self.assertEqual(run.controls["Folder"]["enabled"], "1", "folder mode")
            self.assertEqual(run.controls["Pic_sample12(0)"]["enabled"], "0")
            self.assertTrue(run.finish("click", "cmd_OK"))
        self.assertEqual(ini_rows(), [(k, v if k == "画像のﾌｫﾙﾀﾞ" else " " + v) for k, v in stored])

    def test_moved_controls_are_written(self):
        with DialogRun() as run:
            lines = drive("arrow", "Asp_V", "up", "scroll", "H_RGB(1)", "100", "scroll",
                          "H_Scale", "300", "click", "lbl_Rdm(2)", "click", "lbl_Per(1)",
                          "arrow", "Depth_V", "up", "read")
            c = parse_controls(lines)
            self.assertEqual(c["lbl_Asp"]["text"], "11", "the upper arrow raises the shape")
            self.assertEqual(c["lbl_Depth"]["text"], "21")
            self.assertEqual(c["chk_Rdm(2)"]["check"], "1")
            self.assertTrue(run.finish("click", "cmd_OK"))
        rows = dict(ini_rows())
        self.assertEqual((rows["外観"], rows["透視画法"], rows["遠近の深さ"]), (" 11", " 1", " 21"))
        self.assertEqual((rows["公転球の色_緑"], rows["Scale"], rows["Random_2"]), (" 100", " 300", " 1"))

    def test_factory_settings_write_the_fixed_texts(self):
        SESSION.write_settings({"外観": "5", "Scale": "300", "画像のﾌｫﾙﾀﾞ": "C:\\nowhere"})
        with DialogRun() as run:
            self.assertTrue(run.finish("click", "Cmd_init"))
        # Keys already in the file keep their lines; the others follow in the write order.
        kept = ("外観", "Scale", "画像のﾌｫﾙﾀﾞ")
        factory = dict(FACTORY)
        expected = [(k, factory[k]) for k in kept] + [row for row in FACTORY if row[0] not in kept]
        self.assertEqual(ini_rows(), expected)

    def test_cancel_and_close_box_leave_the_file_byte_for_byte(self):
        original = ("; hand-written\r\n[Section]\r\n外観 = 12\r\nScale=200\r\n\r\n[Other]\r\nx=1\r\n"
                    .encode("cp932"))
        for way in (("click", "cmd_Can"), ("close",)):
            with self.subTest(way=way[-1]):
                with open(ini_path(), "wb") as f:
                    f.write(original)
                with DialogRun() as run:
                    self.assertTrue(run.finish(*way))
                with open(ini_path(), "rb") as f:
                    self.assertEqual(f.read(), original)
        remove_ini()
        with DialogRun() as run:
            self.assertTrue(run.finish("close"))
        self.assertFalse(os.path.exists(ini_path()), "cancel created a settings file")

    def test_values_outside_the_ranges_show_the_stored_number_and_write_the_bars_initial_value(self):
        SESSION.write_settings({"外観": "20", "遠近の深さ": "26", "画像のｲﾝﾀｰﾊﾞﾙ": "5"})
        with DialogRun() as run:
            c = run.controls
            self.assertEqual((c["lbl_Asp"]["text"], c["Asp_V"]["pos"]), ("20", "-10"))
            self.assertEqual((c["lbl_Depth"]["text"], c["Depth_V"]["pos"]), ("26", "-25"))
            self.assertEqual((c["lbl_intval"]["text"], c["Intval"]["pos"]), ("5", "30"))
            self.assertTrue(run.finish("click", "cmd_OK"))
        rows = dict(ini_rows())
        self.assertEqual((rows["外観"], rows["遠近の深さ"], rows["画像のｲﾝﾀｰﾊﾞﾙ"]), (" 10", " 25", " 30"))

    def test_settings_that_cannot_be_saved_anywhere_are_reported(self):
        # A folder where the settings file should be, and a file where the per-user
        # folder should be: neither place can take the settings.
        os.makedirs(ini_path())
        blocker = os.path.dirname(SESSION.user_settings_path())
        os.makedirs(os.path.dirname(blocker), exist_ok=True)
        open(blocker, "w").close()
        try:
            with DialogRun() as run:
                lines = drive("post", "cmd_OK", "message", "15000")
                self.assertTrue(lines[-1].startswith("message: 設定を保存できませんでした"), lines)
                self.assertEqual(drive("gone", "10000")[-1], "gone")
                self.assertEqual(SESSION.wait_exit(run.proc, 10), 0)
        finally:
            os.remove(blocker)
            os.rmdir(ini_path())

    def test_second_configure_run_ends_at_once(self):
        with DialogRun() as run:
            self.assertEqual(SESSION.run_program("/c", timeout=15), 0)
            self.assertEqual(len(SESSION.find_windows(TITLE)), 1)
            self.assertIsNone(run.proc.poll(), "the first dialog must stay open")
            self.assertTrue(run.finish("click", "cmd_Can"))

    def test_saver_started_after_apply_uses_the_new_settings(self):
        # Sample picture off (black background) and the largest ball, then the saver.
        with DialogRun() as run:
            drive("click", "lbl_Sample", "scroll", "H_Scale", "384")
            self.assertTrue(run.finish("click", "cmd_OK"))
        self.assertEqual(dict(ini_rows())["ｻﾝﾌﾟﾙ画像有無"], " 0")
        saver = SESSION.start_program("/s")
        try:
            self.assertTrue(SESSION.wait_for_window("VelnorS", 20), "the saver did not open")
            shot = SESSION.screenshot("saver-after-apply")
            w, h = shot.width, shot.height
            green = [(x, y) for y in range(0, h, 2) for x in range(0, w, 2)
                     if shot.pixel(x, y) in ((0, 255, 0), (0, 255, 255))]
            self.assertTrue(green, "no wire ball lines on the saver")
            xs = [x for x, _ in green]
            # Radius 384: the mesh spans far more than the default 128-pixel ball would.
            self.assertGreater(max(xs) - min(xs), 2 * 300)
            corner = shot.count((0, 0, 0), 0, 0, 100, 100)
            self.assertGreater(corner, 9000, "the background should be black, not the sample")
        finally:
            if saver.poll() is None:
                saver.kill()
                saver.wait()


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
        remove_ini()

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
        interactive = [n for n in placed if n.startswith(INTERACTIVE)]
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
        for name, colour, least in [("lbl_URL", (0, 0, 255), 120), ("lbl_Per(0)", (0, 0, 0), 12),
                                    ("lbl_Rdm(0)", (0, 0, 0), 20)]:
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
            remove_ini()
            with DialogRun() as run:
                shot = SESSION.screenshot("dialog-without-font-replacements")
                for name in ("lbl_Asp", "lbl(9)"):  # "10" and "Velnor  Version 1.1.0"
                    glyphs = dark_glyphs(shot, run.controls, name)
                    self.assertGreaterEqual(len(glyphs), 2, name)
                    self.assertGreater(len(set(glyphs)), 1, f"{name} shows one shape: boxes")
                self.assertTrue(run.finish("click", "cmd_Can"))
        finally:
            SESSION._register_fonts()
            subprocess.run(["wineserver", "-w"], env=SESSION.env(), check=False, timeout=60)

    def test_screenshots(self):
        cases = [(96, False), (96, True), (144, False), (144, True)]
        for dpi, perspective in cases:
            with self.subTest(dpi=dpi, perspective=perspective):
                set_dpi(dpi)
                remove_ini()
                if perspective:
                    SESSION.write_settings({"透視画法": "1", "遠近の深さ": "25",
                                            "公転球の色_赤": "0", "公転球の色_緑": "60",
                                            "公転球の色_青": "120"})
                with DialogRun() as run:
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
