"""End to end: the settings dialog (/c) driven by velnor_dialog_driver.exe with window
messages. What each way out of the dialog leaves in Velnor.ini beside the program, what the
controls show for stored values, a second /c while it is open and the saver started after
"設定" (its looks are checked in test_dialog_looks.py)."""

import os
import random
import time
import unittest

import wine_harness
from dialog_driving import TITLE, DialogRun, drive, ini_path, ini_rows, parse_controls, remove_ini

SESSION = None  # the harness session, set by wine_harness.run_tests

# Every key "設定" writes, in its order, with the values of an untouched dialog on an
# empty settings file (the loader's defaults; the spins' values negated back).
DEFAULT_APPLY = [
    ("外観", " 10"), ("透視画法", " 0"), ("遠近の深さ", " 20"), ("公転球の色_赤", " 72"),
    ("公転球の色_緑", " 32"), ("公転球の色_青", " 56"), ("Random_0", " 0"), ("Random_1", " 0"),
    ("Color_1", " 65280"), ("Random_2", " 0"), ("Color_2", " 16776960"), ("速さ", " 0"),
    ("Scale", " 128"), ("画像のﾌｫﾙﾀﾞ", ""), ("ｻﾌﾞﾌｫﾙﾀﾞ", " 0"), ("画像種類_0", " 1"),
    ("画像種類_1", " 1"),
    ("画像種類_2", " 1"), ("画像種類_3", " 1"), ("画像種類_4", " 1"), ("画像のｻｲｽﾞ", " 1"),
    ("画像の順序", " 0"), ("画像のｲﾝﾀｰﾊﾞﾙ", " 30"),
    ("ｻﾝﾌﾟﾙ画像有無", " 1"), ("ｻﾝﾌﾟﾙ画像_12", " 0"),
]

FACTORY = [
    ("外観", "10"), ("透視画法", "0"), ("遠近の深さ", "20"), ("公転球の色_赤", "72"),
    ("公転球の色_緑", "32"), ("公転球の色_青", "56"), ("Random_0", "0"), ("Random_1", "0"),
    ("Color_1", " 65280"), ("Random_2", "0"), ("Color_2", " 16776960"), ("速さ", "0"),
    ("Scale", "144"), ("画像のﾌｫﾙﾀﾞ", ""), ("ｻﾌﾞﾌｫﾙﾀﾞ", "0"), ("画像種類_0", "1"),
    ("画像種類_1", "1"),
    ("画像種類_2", "1"), ("画像種類_3", "1"), ("画像種類_4", "1"), ("画像のｻｲｽﾞ", "1"),
    ("画像の順序", "0"), ("画像のｲﾝﾀｰﾊﾞﾙ", "30"),
    ("ｻﾝﾌﾟﾙ画像有無", "1"), ("ｻﾝﾌﾟﾙ画像_12", "0"),
]


class Buttons(unittest.TestCase):
    def setUp(self):
        remove_ini(SESSION)

    def test_apply_on_no_file_writes_every_default_with_leading_blanks(self):
        with DialogRun(SESSION) as run:
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
        self.assertEqual(ini_rows(SESSION), DEFAULT_APPLY)

    def test_complete_file_is_rewritten_with_the_same_numbers(self):
        stored = [("外観", "12"), ("透視画法", "1"), ("遠近の深さ", "18"), ("公転球の色_赤", "10"),
                  ("公転球の色_緑", "0"), ("公転球の色_青", "127"), ("Random_0", "1"),
                  ("Random_1", "0"), ("Color_1", "255"), ("Random_2", "1"),
                  ("Color_2", "16711680"), ("速さ", "7"), ("Scale", "200"),
                  ("画像のﾌｫﾙﾀﾞ", ""), ("ｻﾌﾞﾌｫﾙﾀﾞ", "0"), ("画像種類_0", "1"),
                  ("画像種類_1", "0"),
                  ("画像種類_2", "1"), ("画像種類_3", "0"), ("画像種類_4", "0"),
                  ("画像のｻｲｽﾞ", "0"), ("画像の順序", "3"),
                  ("画像のｲﾝﾀｰﾊﾞﾙ", "600"), ("ｻﾝﾌﾟﾙ画像有無", "0"), ("ｻﾝﾌﾟﾙ画像_12", "1")]
        SESSION.write_settings(dict(stored))
        with DialogRun(SESSION) as run:
            self.assertEqual(run.controls["Depth_V"]["enabled"], "1")
            self.assertEqual(run.controls["Folder"]["enabled"], "1", "folder mode")
            self.assertEqual(run.controls["Pic_sample12(0)"]["enabled"], "0")
            self.assertTrue(run.finish("click", "cmd_OK"))
        expected = [(k, v if k == "画像のﾌｫﾙﾀﾞ" else " " + v) for k, v in stored]
        self.assertEqual(ini_rows(SESSION), expected)

    def test_moved_controls_are_written(self):
        with DialogRun(SESSION) as run:
            lines = drive(SESSION, "arrow", "Asp_V", "up", "scroll", "H_RGB(1)", "100", "scroll",
                          "H_Scale", "300", "click", "lbl_Rdm(2)", "click", "lbl_Per(1)",
                          "arrow", "Depth_V", "up", "read")
            c = parse_controls(lines)
            self.assertEqual(c["lbl_Asp"]["text"], "11", "the upper arrow raises the shape")
            self.assertEqual(c["lbl_Depth"]["text"], "21")
            self.assertEqual(c["chk_Rdm(2)"]["check"], "1")
            self.assertTrue(run.finish("click", "cmd_OK"))
        rows = dict(ini_rows(SESSION))
        self.assertEqual((rows["外観"], rows["透視画法"], rows["遠近の深さ"]), (" 11", " 1", " 21"))
        self.assertEqual((rows["公転球の色_緑"], rows["Scale"], rows["Random_2"]), (" 100", " 300", " 1"))

    def test_factory_settings_write_the_fixed_texts(self):
        SESSION.write_settings({"外観": "5", "Scale": "300", "画像のﾌｫﾙﾀﾞ": "C:\\nowhere"})
        with DialogRun(SESSION) as run:
            self.assertTrue(run.finish("click", "Cmd_init"))
        # Keys already in the file keep their lines; the others follow in the write order.
        kept = ("外観", "Scale", "画像のﾌｫﾙﾀﾞ")
        factory = dict(FACTORY)
        expected = [(k, factory[k]) for k in kept] + [row for row in FACTORY if row[0] not in kept]
        self.assertEqual(ini_rows(SESSION), expected)

    def test_cancel_and_close_box_leave_the_file_byte_for_byte(self):
        original = ("; hand-written\r\n[Section]\r\n外観 = 12\r\nScale=200\r\n\r\n[Other]\r\nx=1\r\n"
                    .encode("cp932"))
        for way in (("click", "cmd_Can"), ("close",)):
            with self.subTest(way=way[-1]):
                with open(ini_path(SESSION), "wb") as f:
                    f.write(original)
                with DialogRun(SESSION) as run:
                    self.assertTrue(run.finish(*way))
                with open(ini_path(SESSION), "rb") as f:
                    self.assertEqual(f.read(), original)
        remove_ini(SESSION)
        with DialogRun(SESSION) as run:
            self.assertTrue(run.finish("close"))
        self.assertFalse(os.path.exists(ini_path(SESSION)), "cancel created a settings file")

    def test_values_outside_the_ranges_show_the_stored_number_and_write_the_bars_initial_value(self):
        SESSION.write_settings({"外観": "20", "遠近の深さ": "26", "画像のｲﾝﾀｰﾊﾞﾙ": "5"})
        with DialogRun(SESSION) as run:
            c = run.controls
            self.assertEqual((c["lbl_Asp"]["text"], c["Asp_V"]["pos"]), ("20", "-10"))
            self.assertEqual((c["lbl_Depth"]["text"], c["Depth_V"]["pos"]), ("26", "-25"))
            self.assertEqual((c["lbl_intval"]["text"], c["Intval"]["pos"]), ("5", "30"))
            self.assertTrue(run.finish("click", "cmd_OK"))
        rows = dict(ini_rows(SESSION))
        self.assertEqual((rows["外観"], rows["遠近の深さ"], rows["画像のｲﾝﾀｰﾊﾞﾙ"]), (" 10", " 25", " 30"))

    def test_settings_that_cannot_be_saved_anywhere_are_reported(self):
        # A folder where the settings file should be, and a file where the per-user
        # folder should be: neither place can take the settings.
        os.makedirs(ini_path(SESSION))
        blocker = os.path.dirname(SESSION.user_settings_path())
        os.makedirs(os.path.dirname(blocker), exist_ok=True)
        open(blocker, "w").close()
        try:
            with DialogRun(SESSION) as run:
                lines = drive(SESSION, "post", "cmd_OK", "message", "15000")
                self.assertTrue(lines[-1].startswith("message: 設定を保存できませんでした"), lines)
                self.assertEqual(drive(SESSION, "gone", "10000")[-1], "gone")
                self.assertEqual(SESSION.wait_exit(run.proc, 10), 0)
        finally:
            os.remove(blocker)
            os.rmdir(ini_path(SESSION))

    def test_a_killed_save_leaves_a_whole_file_and_the_next_start_removes_its_temporaries(self):
        # Fault caught: a "設定" killed on its way left Velnor.ini.<hex>.tmp (and an empty
        # write-test file) beside the settings for good. Two such leftovers and a file of
        # another name are planted; saves killed at random moments must leave the old or
        # the new file, and the next start removes Velnor's leftovers only.
        folder = os.path.dirname(ini_path(SESSION))
        planted = ["Velnor.ini.0123456789abcdef.tmp", "Velnor-write-test.fedcba9876543210.tmp"]
        other = "Velnor.ini.notes.tmp"
        for name in [*planted, other]:
            with open(os.path.join(folder, name), "wb") as f:
                f.write(b"x")
        # Long comments make the file big enough for kills to land inside the write too.
        old = ("; kept\r\n[Section]\r\n外観= 12\r\n" +
               "".join(f"; padding line {i}\r\n" for i in range(4000))).encode("cp932")

        def save(kill_after):
            with open(ini_path(SESSION), "wb") as f:
                f.write(old)
            proc = SESSION.start_program("/c")
            self.assertTrue(SESSION.wait_for_window(TITLE, 30))
            time.sleep(0.3)
            SESSION.key("Return")
            if kill_after is None:
                self.assertEqual(SESSION.wait_exit(proc, 10), 0)
            else:
                time.sleep(kill_after)
            SESSION.stop(proc, TITLE)
            with open(ini_path(SESSION), "rb") as f:
                return f.read()

        new = save(None)
        self.assertNotEqual(new, old)
        self.assertEqual(sorted(n for n in os.listdir(folder) if n.endswith(".tmp")), [other])
        for _ in range(3):
            for name in planted:
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(b"x")
            for delay in (random.uniform(0, 0.06), random.uniform(0, 0.06)):
                self.assertIn(save(delay), (old, new), f"killed {delay:.3f} s after Enter")
            with DialogRun(SESSION) as run:
                self.assertTrue(run.finish("click", "cmd_Can"))
            self.assertEqual(sorted(n for n in os.listdir(folder) if n.endswith(".tmp")),
                             [other])
        os.remove(os.path.join(folder, other))

    def test_second_configure_run_ends_at_once(self):
        with DialogRun(SESSION) as run:
            self.assertEqual(SESSION.run_program("/c", timeout=15), 0)
            self.assertEqual(len(SESSION.find_windows(TITLE)), 1)
            self.assertIsNone(run.proc.poll(), "the first dialog must stay open")
            self.assertTrue(run.finish("click", "cmd_Can"))

    def test_saver_started_after_apply_uses_the_new_settings(self):
        # Sample picture off (black background) and the largest ball, then the saver.
        with DialogRun(SESSION) as run:
            drive(SESSION, "click", "lbl_Sample", "scroll", "H_Scale", "384")
            self.assertTrue(run.finish("click", "cmd_OK"))
        self.assertEqual(dict(ini_rows(SESSION))["ｻﾝﾌﾟﾙ画像有無"], " 0")
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


if __name__ == "__main__":
    wine_harness.run_tests(globals(), width=1600, height=1000)
