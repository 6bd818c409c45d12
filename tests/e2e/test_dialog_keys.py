"""End to end: the settings dialog from the keyboard, with real key presses (xdotool) into
the dialog: Tab visits every control once per cycle in reading order, with a focus cue seen
on every kind of control; the arrows move within an option pair; Alt+letter keys; Enter and
Alt+S save, Enter on a focused "ｷｬﾝｾﾙ" does not. velnor_keys_driver.exe follows the focus and
lists every child's class, text, style and state for the names the accessibility layer reads."""

import os
import subprocess
import time
import unittest

import velnor_tables
import wine_harness
from dialog_driving import (DialogRun, box, drive, ini_path, ini_values, parse_controls,
                            remove_ini)
from dialog_driving import run as run_driver

SESSION = None  # the harness session, set by wine_harness.run_tests

# Tab order with perspective on and the picture folder in use (the sample squares are
# then disabled): each option pair is one stop, at its selected square. Read from the
# control table when the tests start (setUpModule).
TAB_ORDER = []
# One control of each kind, whose focus cue must show.
CUE_KINDS = {"spin": "Asp_V", "check box": "chk_Rdm(0)", "option square": "Pic_Per(1)",
             "scroll bar": "H_RGB(1)", "button": "Cmd_Color(1)", "list": "List_1",
             "link": "lbl_URL"}
# A build without a homepage has no link (wine_harness: the build's homepage).
def tab_order(session):
    return [name for name in TAB_ORDER if name != "lbl_URL" or session.args.homepage]


def cue_kinds(session):
    return {kind: name for kind, name in CUE_KINDS.items()
            if name != "lbl_URL" or session.args.homepage}


FOLDER_SIDE = {"透視画法": "1", "ｻﾝﾌﾟﾙ画像有無": "0", "画像のｻｲｽﾞ": "1"}

WS_TABSTOP, WS_GROUP, DLGC_STATIC, BST_CHECKED, BS_DEFPUSHBUTTON = 0x10000, 0x20000, 0x100, 1, 1
# Texts the dialog shows itself, not captions of another control.
VALUE_FIELDS = ("lbl_Asp", "lbl_Depth", "lbl_Kei", "lbl_intval", "lbl_PreSize", "Folder_Path",
                "lbl_URL")


def setUpModule():
    tables = velnor_tables.load(SESSION)
    TAB_ORDER[:] = velnor_tables.tab_stops(tables, FOLDER_SIDE)
    STATIC_CAPTIONS.update(velnor_tables.static_captions(tables) - set(VALUE_FIELDS))


STATIC_CAPTIONS = set()  # the captions, static text for the dialog keys (setUpModule)


def keys_driver(session, *commands):
    return run_driver(session, "velnor_keys_driver.exe", *commands)


def children(session):
    """{name: {class, style, code, state, text}} of every child window of the dialog."""
    out = {}
    for line in keys_driver(session, "children"):
        head, _, rest = line.partition(' text="')
        fields = dict(part.split("=", 1) for part in head.split()[1:])
        fields["text"] = rest[:-1]
        out[fields["name"]] = fields
    return out


def focus(session):
    return keys_driver(session, "focus")[-1].split("=", 1)[1]


def press(session, *names):
    for name in names:
        session.key(name)
    time.sleep(0.4)


def checked(child):
    return int(child["state"], 16) & BST_CHECKED


class FocusWatch:
    """velnor_keys_driver.exe watch, running while the test presses keys."""

    def __init__(self, session, lines):
        self.path = os.path.join(session.work, "focus-watch.txt")
        self.out = open(self.path, "wb")
        self.proc = subprocess.Popen(["wine", session.helper("velnor_keys_driver.exe"), "watch",
                                      str(lines), "120000"], env=session.env(), stdout=self.out,
                                     stderr=subprocess.DEVNULL, cwd=session.work)
        session.processes.append(self.proc)
        deadline = time.monotonic() + 30
        while not self.lines() and time.monotonic() < deadline:
            time.sleep(0.1)

    def lines(self):
        with open(self.path, "rb") as f:
            return [line.split("=", 1)[1] for line in f.read().decode().split()]

    def wait_for(self, count, timeout=20):
        """Waits until the focus was seen `count` times (the first is where it started)."""
        deadline = time.monotonic() + timeout
        while len(self.lines()) < count and time.monotonic() < deadline:
            time.sleep(0.05)
        time.sleep(0.3)  # the control's repaint follows the focus change

    def finish(self):
        self.proc.wait(timeout=60)
        self.out.close()
        return self.lines()


class Keyboard(unittest.TestCase):
    def tearDown(self):
        SESSION.run_helper("velnor_dialog_driver.exe", "close", "gone", "10000", timeout=60)
        remove_ini(SESSION)

    def open(self, settings):
        for earlier in SESSION.processes:
            SESSION.wait_exit(earlier, 20)
        remove_ini(SESSION)
        if settings:
            SESSION.write_settings(settings)
        return DialogRun(SESSION)

    def check_names_and_states(self, found):
        # A made-up address was shown as a link; a build without a homepage has none.
        self.assertEqual("lbl_URL" in found, bool(SESSION.args.homepage))
        order = tab_order(SESSION)
        focusable = order + ["Pic_Per(0)", "Pic_sample12(0)", "Pic_sample12(1)", "Pic_Size(0)"]
        for name in focusable:
            self.assertTrue(found[name]["text"], f"{name} has no name")
        for name, text in [("Asp_V", "外観 (球体 = 10)"), ("H_RGB(1)", "緑"), ("chk_Rdm(0)", "ﾗﾝﾀﾞﾑ"),
                           ("List_1", "背景画像のﾌｧｲﾙ名"), ("Pic_Per(0)", "off"),
                           ("Pic_kind(2)", "*.jpg"), ("Intval", "背景画像ﾁｪﾝｼﾞのｲﾝﾀｰﾊﾞﾙ（秒）")]:
            self.assertEqual(found[name]["text"], text)
        captions = [n for n in found if n.startswith("lbl") and n not in VALUE_FIELDS]
        self.assertEqual(set(captions), STATIC_CAPTIONS)
        for name in captions:
            self.assertTrue(int(found[name]["code"], 16) & DLGC_STATIC, f"{name} is no static")
        # Squares report their state; a pair is one tab stop, at its selected square.
        selected = {"Pic_Per(0)": 0, "Pic_Per(1)": 1, "Pic_sample12(0)": 1, "Pic_sample12(1)": 0,
                    "Pic_Size(0)": 0, "Pic_Size(1)": 1}
        for name, state in selected.items():
            self.assertEqual(checked(found[name]), state, name)
            self.assertEqual(bool(int(found[name]["style"], 16) & WS_TABSTOP), state == 1, name)
        self.assertTrue(int(found["Pic_Per(0)"]["style"], 16) & WS_GROUP)
        self.assertFalse(int(found["Pic_Per(1)"]["style"], 16) & WS_GROUP)
        self.assertEqual(checked(found["Pic_kind(3)"]), 1)
        # "設定" is the default button while no other push button has the focus.
        button_types = {n: int(found[n]["style"], 16) & 0xF for n in ("cmd_OK", "cmd_Can")}
        self.assertEqual(button_types, {"cmd_OK": BS_DEFPUSHBUTTON, "cmd_Can": 0})

    def check_cues(self, run, shots):
        """Each kind of control looks different with the focus than without it."""
        ox, oy = (int(v) for v in run.controls["window"]["origin"].split(","))
        order = tab_order(SESSION)
        for kind, name in cue_kinds(SESSION).items():
            at = ([None] + order).index(name)
            x, y, w, h = box(run.controls[name])
            area = (ox + x - 1, oy + y - 1, ox + x + w + 1, oy + y + h + 1)
            changed = shots[at].differing(shots[at - 1], *area)
            self.assertGreaterEqual(changed, 12, f"no focus cue on the {kind} {name}")

    def test_tab_cycle_cues_names_arrows_and_letters(self):
        order = tab_order(SESSION)
        with self.open(FOLDER_SIDE) as run:
            self.check_names_and_states(children(SESSION))
            # Asp_V has the focus from the start; Tab goes round once and on to the second.
            watch = FocusWatch(SESSION, len(order) + 2)
            shots = [SESSION.screenshot("focus-Asp_V")]
            for count, name in enumerate(order[1:] + order[:2], start=2):
                SESSION.key("Tab")
                watch.wait_for(count)
                shots.append(SESSION.screenshot(f"focus-{name}"))
            self.assertEqual(watch.finish(), order + order[:2])
            shots.insert(0, shots[1])  # Asp_V's cue against chk_Rdm(0) focused
            self.check_cues(run, shots[:len(order) + 1])

            # Alt+P: the perspective pair, at its selected square; the arrows select.
            press(SESSION, "alt+p")
            self.assertEqual(focus(SESSION), "Pic_Per(1)")
            press(SESSION, "Left")
            found = children(SESSION)
            self.assertEqual(focus(SESSION), "Pic_Per(0)")
            self.assertEqual((checked(found["Pic_Per(0)"]), checked(found["Pic_Per(1)"])), (1, 0))
            # Perspective off, as a click on "off" sets it: the depth spin is disabled.
            self.assertEqual(parse_controls(drive(SESSION, "read"))["Depth_V"]["enabled"], "0")
            press(SESSION, "Down")
            found = children(SESSION)
            self.assertEqual((checked(found["Pic_Per(0)"]), checked(found["Pic_Per(1)"])), (0, 1))
            # Alt+K: the kinds; Space toggles the focused square.
            press(SESSION, "alt+k", "space")
            self.assertEqual(focus(SESSION), "Pic_kind(0)")
            self.assertEqual(checked(children(SESSION)["Pic_kind(0)"]), 0)

            # Enter on the focused "ｷｬﾝｾﾙ" closes without saving.
            with open(ini_path(SESSION), "rb") as f:
                before = f.read()
            press(SESSION, "alt+a", "shift+Tab")
            self.assertEqual(focus(SESSION), "cmd_Can")
            press(SESSION, "Return")
            self.assertTrue(run.finish())
            with open(ini_path(SESSION), "rb") as f:
                self.assertEqual(f.read(), before)

    def test_enter_and_alt_s_save(self):
        for save_key in ("Return", "alt+s"):
            with self.subTest(save_key=save_key), self.open({}) as run:
                # The spin has the focus; Tab, Space check the box beside it.
                press(SESSION, "Up", "Up", "Tab", "space")
                press(SESSION, save_key)
                self.assertTrue(run.finish())
                ini = ini_values(SESSION)
                self.assertEqual((ini.get("外観"), ini.get("Random_0")), (" 12", " 1"))


if __name__ == "__main__":
    wine_harness.run_tests(globals(), width=1280, height=900)
