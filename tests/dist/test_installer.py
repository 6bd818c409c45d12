"""End to end: the Windows installer of dist/ under Wine, silently, in a fresh prefix made
for this script and removed after it. An install for all users and one for the current
user are each checked in files and registry, their Velnor.scr run and configured from
where it was installed, then uninstalled (without and with /PURGE); an installer of a
lower version, upgraded, leaves the settings and one entry; a per-user uninstall.exe
started directly removes its own copy; a re-run keeps the scope, and a change of scope
(both ways) moves the settings and leaves one copy and one entry; the MSI installs for
the machine, upgrades to one product and uninstalls."""

import argparse
import glob
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
import dialog_driving  # noqa: E402
import page_picture  # noqa: E402
import wine_harness  # noqa: E402

UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Velnor"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
GREEN, CYAN, BLUE = (0, 255, 0), (0, 255, 255), (0, 0, 255)
BALL_BOX = (512 - 140, 384 - 140, 512 + 140, 384 + 140)
SESSION = None
DIST = None


def artefact(pattern):
    found = glob.glob(os.path.join(DIST, pattern))
    if len(found) != 1:
        raise AssertionError(f"{pattern} in {DIST}: {found}; run `make dist` first")
    return found[0]


def user_name():
    """Wine's user: its folder under drive_c/users."""
    return os.environ.get("USER") or os.environ.get("LOGNAME") or "root"


def version():
    name = os.path.basename(artefact("Velnor-*-setup.exe"))
    return name[len("Velnor-"):-len("-setup.exe")]


class Installer(unittest.TestCase):
    # --- Wine ---------------------------------------------------------------------

    def wine(self, *command, timeout=120):
        """Runs a Wine command to its end and waits until every Wine process has ended
        (the uninstaller goes on as a copy of itself from %TEMP%)."""
        result = subprocess.run(["wine", *command], env=SESSION.env(), capture_output=True,
                                timeout=timeout, cwd=SESSION.work, check=False)
        subprocess.run(["wineserver", "-w"], env=SESSION.env(), timeout=timeout, check=False)
        return result.returncode

    def install(self, installer, *switches):
        self.assertEqual(self.wine(installer, "/S", *switches), 0, f"{installer} {switches}")

    def uninstall(self, hive, *switches):
        command = self.reg_values(f"{hive}\\{UNINSTALL_KEY}")["QuietUninstallString"]
        program, rest = command[1:].split('"', 1)
        self.assertEqual(self.wine(program, *rest.split(), *switches), 0, command)

    def reg_values(self, key):
        """{name: value} of a registry key as `reg query` prints it ({} when missing)."""
        result = subprocess.run(["wine", "reg", "query", key], env=SESSION.env(),
                                capture_output=True, text=True, timeout=60, check=False)
        values = {}
        for line in result.stdout.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[1].startswith("REG_"):
                values[parts[0]] = parts[2] if len(parts) == 3 else ""
        return values

    # --- the prefix's files -------------------------------------------------------

    def drive(self, *parts):
        return os.path.join(SESSION.prefix, "drive_c", *parts)

    def user_folder(self, *parts):
        return self.drive("users", user_name(), *parts)

    def user_settings(self):
        return self.user_folder("AppData", "Roaming", "Velnor", "Velnor.ini")

    def plant_user_settings(self):
        """A per-user settings file, as the dialog writes it for a user who cannot write
        beside the program (Wine's user can write everywhere)."""
        os.makedirs(os.path.dirname(self.user_settings()), exist_ok=True)
        with open(self.user_settings(), "wb") as f:
            f.write("[Section]\r\n速さ=7\r\n".encode("cp932"))

    def velnor_leftovers(self):
        """Files and registry lines of the prefix that name Velnor, apart from the
        per-user settings."""
        kept = {self.user_settings(), os.path.dirname(self.user_settings())}
        found = []
        for folder, dirs, files in os.walk(self.drive()):
            for name in dirs + files:
                path = os.path.join(folder, name)
                if "velnor" in name.lower() and path not in kept:
                    found.append(path)
        for hive in ("system.reg", "user.reg", "userdef.reg"):
            with open(os.path.join(SESSION.prefix, hive), encoding="utf-8",
                      errors="replace") as f:
                found += [f"{hive}: {line.strip()}" for line in f if "velnor" in line.lower()]
        return found

    # --- what every install is checked for -----------------------------------------

    def check_entry(self, hive, scr, uninstaller, mode):
        values = self.reg_values(f"{hive}\\{UNINSTALL_KEY}")
        quoted = f'"{uninstaller}" /{mode}'
        self.assertEqual(values.get("DisplayName"), "Velnor")
        self.assertEqual(values.get("DisplayVersion"), version())
        self.assertTrue(values.get("Publisher"))
        self.assertEqual(values.get("DisplayIcon", "").lower(), f"{scr},0".lower())
        self.assertEqual(values.get("UninstallString", "").lower(), quoted.lower())
        self.assertEqual(values.get("QuietUninstallString", "").lower(), f"{quoted} /S".lower())
        self.assertEqual(values.get("NoModify"), "0x1")
        self.assertEqual(values.get("NoRepair"), "0x1")
        size_kib = int(values.get("EstimatedSize", "0"), 16)
        self.assertGreater(size_kib, os.path.getsize(self.shipped_scr) // 1024)
        self.assertLess(size_kib, 3 * os.path.getsize(self.shipped_scr) // 1024)

    def check_current_saver(self, scr, timeout):
        desktop = self.reg_values(DESKTOP_KEY)
        self.assertEqual(desktop.get("SCRNSAVE.EXE", "").lower(), scr.lower())
        self.assertEqual(desktop.get("ScreenSaveActive"), "1")
        self.assertEqual(desktop.get("ScreenSaveTimeOut"), timeout)

    def check_saver_runs(self, program, label):
        SESSION.move_mouse(300, 300)
        proc = SESSION.start_program("/s", program=program)
        try:
            self.assertTrue(SESSION.wait_for_window("VelnorS", 30), "no saver window")
            time.sleep(1.0)
            shot = SESSION.screenshot(label)
            for colour, least in ((GREEN, 300), (CYAN, 300), (BLUE, 40)):
                self.assertGreater(shot.count(colour, *BALL_BOX), least, shot.path)
        finally:
            SESSION.stop(proc, "VelnorS")

    def configure(self, program):
        """Opens the installed program's dialog and saves with "設定" (cmd_OK)."""
        proc = SESSION.start_program("/c", program=program)
        try:
            self.assertEqual(dialog_driving.dialog(SESSION, "wait", "60000"), ["found"])
            self.assertEqual(dialog_driving.dialog(SESSION, "click", "cmd_OK", "gone",
                                                   "20000")[-1], "gone")
            self.assertEqual(SESSION.wait_exit(proc, 20), 0)
        finally:
            SESSION.stop(proc)

    # --- the cases -------------------------------------------------------------------

    @classmethod
    def setUpClass(cls):
        with zipfile.ZipFile(artefact("Velnor-*-windows-x64.zip")) as archive:
            archive.extract("Velnor.scr", SESSION.work)
        cls.shipped_scr = os.path.join(SESSION.work, "Velnor.scr")

    def same_as_shipped(self, path):
        with open(path, "rb") as a, open(self.shipped_scr, "rb") as b:
            return a.read() == b.read()

    def test_1_all_users_install_runs_configures_and_uninstalls_keeping_user_settings(self):
        self.install(artefact("Velnor-*-setup.exe"), "/CURRENT")
        scr = r"C:\windows\system32\Velnor.scr"
        installed = self.drive("windows", "system32", "Velnor.scr")
        self.assertTrue(self.same_as_shipped(installed))
        self.assertFalse(os.path.exists(self.drive("windows", "syswow64", "Velnor.scr")))
        uninstaller = self.drive("Program Files", "Velnor", "uninstall.exe")
        self.assertTrue(os.path.isfile(uninstaller))
        self.check_entry("HKLM", scr, r"C:\Program Files\Velnor\uninstall.exe", "AllUsers")
        self.assertEqual(self.reg_values(f"HKCU\\{UNINSTALL_KEY}"), {})
        self.check_current_saver(scr, self.reg_values(DESKTOP_KEY).get("ScreenSaveTimeOut"))
        self.assertTrue(self.reg_values(DESKTOP_KEY).get("ScreenSaveTimeOut"))

        self.check_saver_runs(installed, "all-users-saver")
        # The system folder is writable for Wine's user, so the settings go beside the
        # program, as the README says of a writable folder.
        self.configure(installed)
        self.assertTrue(os.path.isfile(self.drive("windows", "system32", "Velnor.ini")))
        self.assertFalse(os.path.exists(self.user_settings()))

        self.plant_user_settings()
        self.uninstall("HKLM")
        self.assertEqual(self.velnor_leftovers(), [])
        self.assertTrue(os.path.isfile(self.user_settings()), "silent uninstall kept them")
        self.assertNotIn("SCRNSAVE.EXE", self.reg_values(DESKTOP_KEY))

    def test_2_per_user_install_is_current_and_purge_removes_user_settings(self):
        # A per-user file kept by an earlier uninstall would take the dialog's writes.
        shutil.rmtree(os.path.dirname(self.user_settings()), ignore_errors=True)
        subprocess.run(["wine", "reg", "add", DESKTOP_KEY, "/v", "ScreenSaveTimeOut", "/d",
                        "300", "/f"], env=SESSION.env(), capture_output=True, check=True,
                       timeout=60)
        self.install(artefact("Velnor-*-setup.exe"), "/CURRENTUSER")
        folder = self.user_folder("AppData", "Local", "Programs", "Velnor")
        installed = os.path.join(folder, "Velnor.scr")
        self.assertTrue(self.same_as_shipped(installed))
        self.assertFalse(os.path.exists(self.drive("windows", "system32", "Velnor.scr")))
        windows_folder = f"C:\\users\\{user_name()}\\AppData\\Local\\Programs\\Velnor"
        self.check_entry("HKCU", windows_folder + r"\Velnor.scr",
                         windows_folder + r"\uninstall.exe", "CurrentUser")
        self.assertEqual(self.reg_values(f"HKLM\\{UNINSTALL_KEY}"), {})
        # Made current without /CURRENT; the user's own idle time is kept.
        self.check_current_saver(windows_folder + r"\Velnor.scr", "300")

        self.check_saver_runs(installed, "per-user-saver")
        self.configure(installed)
        self.assertTrue(os.path.isfile(os.path.join(folder, "Velnor.ini")))

        self.plant_user_settings()
        self.uninstall("HKCU", "/PURGE")
        self.assertEqual(self.velnor_leftovers(), [])
        self.assertFalse(os.path.exists(os.path.dirname(self.user_settings())))
        self.assertNotIn("SCRNSAVE.EXE", self.reg_values(DESKTOP_KEY))

    def test_3_upgrade_keeps_settings_and_one_entry(self):
        older = os.path.join(SESSION.work, "Velnor-1.0.0-setup.exe")
        subprocess.run(["makensis", "-V1", "-WX", "-INPUTCHARSET", "UTF8", "-DVERSION=1.0.0",
                        f"-DSCR={self.shipped_scr}", f"-DLICENSE_FILE={ROOT}/LICENSE",
                        f"-DOUTFILE={older}", os.path.join(ROOT, "tools", "dist", "velnor.nsi")],
                       check=True, timeout=300)
        # This user's own copy is replaced by an install for everyone: one entry is left.
        self.install(artefact("Velnor-*-setup.exe"), "/CURRENTUSER")
        self.install(older, "/AllUsers")
        self.assertEqual(self.reg_values(f"HKLM\\{UNINSTALL_KEY}").get("DisplayVersion"), "1.0.0")
        self.assertEqual(self.reg_values(f"HKCU\\{UNINSTALL_KEY}"), {})
        self.assertFalse(os.path.exists(self.user_folder("AppData", "Local", "Programs", "Velnor")))
        # A saver set by the user stays when Velnor is not made current.
        subprocess.run(["wine", "reg", "add", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d",
                        r"C:\windows\system32\other.scr", "/f"], env=SESSION.env(),
                       capture_output=True, check=True, timeout=60)
        beside = SESSION.write_settings({"速さ": "3"},
                                        program=self.drive("windows", "system32", "Velnor.scr"))
        self.plant_user_settings()

        self.install(artefact("Velnor-*-setup.exe"))
        self.assertEqual(self.reg_values(f"HKLM\\{UNINSTALL_KEY}").get("DisplayVersion"), version())
        self.assertEqual(self.reg_values(f"HKCU\\{UNINSTALL_KEY}"), {})
        self.assertTrue(self.same_as_shipped(self.drive("windows", "system32", "Velnor.scr")))
        with open(beside, "rb") as f:
            self.assertIn("速さ=3".encode("cp932"), f.read())
        self.assertTrue(os.path.isfile(self.user_settings()))
        self.assertEqual(self.reg_values(DESKTOP_KEY).get("SCRNSAVE.EXE"),
                         r"C:\windows\system32\other.scr")

        self.uninstall("HKLM", "/PURGE")
        self.assertEqual(self.velnor_leftovers(), [])
        self.assertEqual(self.reg_values(DESKTOP_KEY).get("SCRNSAVE.EXE"),
                         r"C:\windows\system32\other.scr")

    @staticmethod
    def icon_images_in(path):
        """How many of Velnor's icon images (src/resources/velnor.ico) the file holds."""
        with open(os.path.join(ROOT, "src", "resources", "velnor.ico"), "rb") as f:
            icon = f.read()
        with open(path, "rb") as f:
            program = f.read()
        count = struct.unpack_from("<H", icon, 4)[0]
        images = [struct.unpack_from("<II", icon, 6 + 16 * i + 8) for i in range(count)]
        return sum(icon[offset:offset + size] in program for size, offset in images)

    def per_user_scr(self):
        return self.user_folder("AppData", "Local", "Programs", "Velnor", "Velnor.scr")

    def windows_per_user_scr(self):
        return f"C:\\users\\{user_name()}\\AppData\\Local\\Programs\\Velnor\\Velnor.scr"

    def assert_user_settings_hold(self, text):
        with open(self.user_settings(), "rb") as f:
            self.assertIn(text.encode("cp932"), f.read())

    def test_5_per_user_uninstaller_started_directly_removes_its_copy_keeping_settings(self):
        """Faults: uninstall.exe started without /CurrentUser took itself for the install for
        everyone, removed only itself and left Velnor.scr, the entry and SCRNSAVE.EXE; and it
        deleted the settings beside the program without asking."""
        shutil.rmtree(os.path.dirname(self.user_settings()), ignore_errors=True)
        self.install(artefact("Velnor-*-setup.exe"), "/CURRENTUSER")
        SESSION.write_settings({"速さ": "4"}, program=self.per_user_scr())
        uninstaller = os.path.join(os.path.dirname(self.per_user_scr()), "uninstall.exe")
        # Fault caught too: the installer and uninstaller showed the installer maker's icon.
        for program in (artefact("Velnor-*-setup.exe"), uninstaller):
            self.assertGreaterEqual(self.icon_images_in(program), 3, program)
        self.assertEqual(self.wine(uninstaller, "/S"), 0)
        self.assertEqual(self.velnor_leftovers(), [])
        self.assert_user_settings_hold("速さ=4")
        self.assertNotIn("SCRNSAVE.EXE", self.reg_values(DESKTOP_KEY))

    def test_6_rerun_keeps_scope_and_a_change_of_scope_moves_settings_to_one_copy(self):
        """Faults: a silent re-run after a per-user install installed for everyone, deleted
        the settings beside the per-user copy and unset the current screen saver; for
        everyone first and per-user later left two entries and two copies."""
        shutil.rmtree(os.path.dirname(self.user_settings()), ignore_errors=True)
        setup = artefact("Velnor-*-setup.exe")
        self.install(setup, "/CURRENTUSER")
        beside = SESSION.write_settings({"速さ": "5"}, program=self.per_user_scr())
        self.install(setup)
        self.assertEqual(self.reg_values(f"HKLM\\{UNINSTALL_KEY}"), {})
        self.assertTrue(self.same_as_shipped(self.per_user_scr()))
        with open(beside, "rb") as f:
            self.assertIn("速さ=5".encode("cp932"), f.read())
        self.check_current_saver(self.windows_per_user_scr(),
                                 self.reg_values(DESKTOP_KEY).get("ScreenSaveTimeOut"))

        self.install(setup, "/AllUsers")
        system_scr = r"C:\windows\system32\Velnor.scr"
        self.assertEqual(self.reg_values(f"HKCU\\{UNINSTALL_KEY}"), {})
        self.assertEqual(self.reg_values(f"HKLM\\{UNINSTALL_KEY}").get("DisplayVersion"),
                         version())
        self.assertFalse(os.path.exists(os.path.dirname(self.per_user_scr())))
        self.assert_user_settings_hold("速さ=5")
        self.check_current_saver(system_scr,
                                 self.reg_values(DESKTOP_KEY).get("ScreenSaveTimeOut"))
        # The new copy reads the moved file: its dialog saves into it, not beside itself.
        self.configure(self.drive("windows", "system32", "Velnor.scr"))
        self.assertFalse(os.path.exists(self.drive("windows", "system32", "Velnor.ini")))

        self.install(setup, "/CURRENTUSER")
        self.assertEqual(self.reg_values(f"HKLM\\{UNINSTALL_KEY}"), {})
        self.assertFalse(os.path.exists(self.drive("windows", "system32", "Velnor.scr")))
        self.assertFalse(os.path.exists(self.drive("Program Files", "Velnor")))
        self.check_current_saver(self.windows_per_user_scr(),
                                 self.reg_values(DESKTOP_KEY).get("ScreenSaveTimeOut"))
        self.uninstall("HKCU", "/PURGE")
        self.assertEqual(self.velnor_leftovers(), [])
        self.assertFalse(os.path.exists(os.path.dirname(self.user_settings())))

    def msi_product(self, msi):
        """The product code of an MSI and its entry among the installed programs."""
        table = subprocess.run(["msiinfo", "export", msi, "Property"], capture_output=True,
                               text=True, check=True, timeout=60).stdout
        code = next(line.split("\t")[1] for line in table.splitlines()
                    if line.startswith("ProductCode\t"))
        return code, self.reg_values(f"HKLM\\{UNINSTALL_KEY[:-len('Velnor')]}{code}")

    def msiexec(self, action, msi):
        self.assertEqual(self.wine("msiexec", action, SESSION.windows_path(msi), "/qn"), 0,
                         f"msiexec {action} {msi}")

    def test_7_msi_installs_per_machine_upgrades_to_one_product_and_removes_all(self):
        """The administrators' MSI without a user interface: Velnor.scr in the 64-bit system
        folder and the product registered; a higher version replaces it, leaving one
        product (fault: two products, or the file removed by the upgrade); /x leaves
        nothing."""
        msi = artefact("Velnor-*-x64.msi")
        higher = os.path.join(SESSION.work, "Velnor-9.9.9-x64.msi")
        # wixl finds files relative to the folder it runs in.
        subprocess.run(["wixl", "-a", "x64", "-D", "Version=9.9.9", "-D",
                        f"Scr={os.path.basename(self.shipped_scr)}", "-D",
                        "ProductCode=0E3C1B5A-7D44-4C61-8E2F-9A6B3C2D1E0F", "-o", higher,
                        os.path.join(ROOT, "tools", "dist", "velnor.wxs")],
                       check=True, capture_output=True, timeout=120,
                       cwd=os.path.dirname(self.shipped_scr))
        installed = self.drive("windows", "system32", "Velnor.scr")

        self.msiexec("/i", msi)
        self.assertTrue(self.same_as_shipped(installed))
        self.assertFalse(os.path.exists(self.drive("windows", "syswow64", "Velnor.scr")))
        first, entry = self.msi_product(msi)
        self.assertEqual(entry.get("DisplayVersion"), version())

        self.msiexec("/i", higher)
        self.assertEqual(self.msi_product(msi)[1], {})
        second, entry = self.msi_product(higher)
        self.assertNotEqual(first, second)
        self.assertEqual(entry.get("DisplayVersion"), "9.9.9")
        self.assertTrue(self.same_as_shipped(installed))

        self.msiexec("/x", higher)
        self.assertEqual(self.msi_product(higher)[1], {})
        self.assertEqual(self.velnor_leftovers(), [])

    @staticmethod
    def count_windows(name, env):
        return len(subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                                  env=env, capture_output=True, text=True, timeout=30,
                                  check=False).stdout.split())

    def wait_for_windows(self, name, count, env, seconds=60):
        """True once exactly `count` visible top-level windows have `name` in their title."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if self.count_windows(name, env) == count:
                return True
            time.sleep(0.5)
        return False

    def test_8_per_user_uninstall_asks_before_deleting_settings(self):
        """Driven through its pages: uninstall.exe of a per-user copy, started by itself,
        asks before deleting the settings beside the program (fault: it deleted them
        without asking) and, answered with the default "No", keeps them per user."""
        shutil.rmtree(os.path.dirname(self.user_settings()), ignore_errors=True)
        self.install(artefact("Velnor-*-setup.exe"), "/CURRENTUSER")
        SESSION.write_settings({"速さ": "6"}, program=self.per_user_scr())
        uninstaller = os.path.join(os.path.dirname(self.per_user_scr()), "uninstall.exe")
        env = {**SESSION.env(), "LANG": "en_US.UTF-8", "LC_ALL": "en_US.UTF-8"}
        proc = subprocess.Popen(["wine", uninstaller], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        try:
            # The confirmation page, then the question above it (a second window of the
            # same title), then the last page.
            self.assertTrue(self.wait_for_windows("Uninstall", 1, env, 90), "no uninstaller")
            SESSION.key("Return")
            self.assertTrue(self.wait_for_windows("Uninstall", 2, env), "no settings question")
            SESSION.screenshot("uninstall-asks")
            SESSION.key("Return")
            self.assertTrue(self.wait_for_windows("Uninstall", 1, env))
            # "Close" (Alt+C) once the page has finished.
            for _ in range(30):
                SESSION.key("alt+c")
                if self.wait_for_windows("Uninstall", 0, env, 2):
                    break
            self.assertEqual(self.count_windows("Uninstall", env), 0, "uninstaller open")
        finally:
            proc.kill()
            proc.wait()
            subprocess.run(["wineserver", "-w"], env=env, timeout=120, check=False)
        self.assertEqual(self.velnor_leftovers(), [])
        self.assert_user_settings_hold("速さ=6")
        self.assertNotIn("SCRNSAVE.EXE", self.reg_values(DESKTOP_KEY))

    @staticmethod
    def wait_for_title(text, seconds):
        """True once a visible window's title holds `text` (compared here: xdotool's own
        pattern does not match Japanese text)."""
        def xdotool(*arguments):
            return subprocess.run(["xdotool", *arguments], env=SESSION.env(), timeout=30,
                                  capture_output=True, text=True, check=False).stdout
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            for window in xdotool("search", "--onlyvisible", "--name", "Velnor").split():
                if text in xdotool("getwindowname", window):
                    return True
            time.sleep(0.5)
        return False

    def drive_pages(self, program, *commands):
        """Starts `program` with Japanese pages and runs velnor_pages_driver.exe's commands
        on its window; returns the driver's lines once every Wine process has ended."""
        proc = subprocess.Popen(["wine", program], env=SESSION.env(), stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        try:
            code, lines, log = SESSION.run_helper("velnor_pages_driver.exe", "wait", "Velnor",
                                                  "90000", *commands)
            self.assertEqual(code, 0, f"{lines}\n{log[-2000:]}")
            self.assertEqual(proc.wait(timeout=60), 0)
        finally:
            proc.kill()
            proc.wait()
            subprocess.run(["wineserver", "-w"], env=SESSION.env(), timeout=120, check=False)
        return lines

    def stand_in_for_control_exe(self):
        """Puts the recorder in place of the control panel's control.exe until the test
        ends; returns the file where it writes each command line it is given."""
        control = self.drive("windows", "system32", "control.exe")
        original = os.path.join(SESSION.work, "control.exe.original")
        shutil.copy2(control, original)
        self.addCleanup(shutil.move, original, control)
        shutil.copy2(SESSION.helper("velnor_open_recorder.exe"), control)
        record = os.path.join(SESSION.work, "control-calls.txt")
        # The file in place of Wine's own control.exe is run as it is.
        for name, value in (("WINEDLLOVERRIDES", "control.exe=n"),
                            ("VELNOR_OPEN_RECORD", SESSION.windows_path(record)),
                            ("LANG", "ja_JP.UTF-8"), ("LC_ALL", "ja_JP.UTF-8")):
            SESSION.extra_env[name] = value
            self.addCleanup(SESSION.extra_env.pop, name)
        return record

    def test_4_japanese_pages_fit_and_the_finish_page_opens_the_saver_settings(self):
        """Faults: a Japanese button or label narrower than its text (the install button
        was seen as "ンストール(I", a label of the uninstaller as "アンインストー"), measured in
        each control's own font on every page; and the finish page's option to open the
        screen-saver settings doing nothing, or opening them without Velnor current."""
        record = self.stand_in_for_control_exe()
        installer = self.drive_pages(
            artefact("Velnor-*-setup.exe"), "measure", "next", "20000", "measure", "next",
            "20000", "measure", "next", "20000", "check", "120000", "measure", "close", "30000")
        self.assert_finish_page_shows_velnors_picture(installer)
        scr = r"C:\windows\system32\Velnor.scr"
        with open(record, encoding="utf-8") as f:
            self.assertEqual(f.read().splitlines(), ["desk.cpl,,@screensaver"])
        self.assertEqual(self.reg_values(DESKTOP_KEY).get("SCRNSAVE.EXE", "").lower(), scr.lower())

        uninstaller = self.drive_pages(
            self.drive("Program Files", "Velnor", "uninstall.exe"), "measure", "next", "20000",
            "await-enabled", "1", "120000", "measure", "close", "30000")
        measured = [line for line in installer + uninstaller if line.startswith(("fits", "CLIP"))]
        self.assertGreater(len(measured), 30)
        self.assertEqual([line for line in measured if not line.startswith("fits")], [])
        self.assertEqual(self.velnor_leftovers(), [])

    def assert_finish_page_shows_velnors_picture(self, lines):
        """Fault: the finish page showed the installer maker's stock side picture. Of the
        pages measured only the finish page has a picture; it must be the one the build
        draws (src/resources/installer_side.bmp), whatever size the page stretched it to."""
        drawn = page_picture.bmp_cells(os.path.join(ROOT, "src", "resources",
                                                    "installer_side.bmp"))
        shown = page_picture.shown_cells(lines)
        self.assertEqual(len(shown), 1, lines)
        size, cells = shown[0]
        self.assertIsInstance(cells, list, f"picture {size} unreadable")
        self.assertLessEqual(page_picture.largest_difference(cells, drawn), 24,
                             f"shown {size} {cells}\ndrawn {drawn}")

    def test_4_pages_follow_the_ui_language(self):
        """The installer's window title is in the UI language that Wine takes from LANG."""
        for lang, title in (("ja_JP.UTF-8", f"Velnor {version()} セットアップ"),
                            ("en_US.UTF-8", f"Velnor {version()} Setup")):
            with self.subTest(lang=lang):
                env = {**SESSION.env(), "LANG": lang, "LC_ALL": lang}
                proc = subprocess.Popen(["wine", artefact("Velnor-*-setup.exe")], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                try:
                    self.assertTrue(self.wait_for_title(title, 90), title)
                    SESSION.screenshot("setup-" + lang[:2])
                finally:
                    proc.kill()
                    proc.wait()
                    subprocess.run(["wineserver", "-k"], env=env, timeout=60, check=False)


# The scenarios of one setup.exe's installs, upgrades and pages; the other half holds every
# other test (the paths between the two scopes, their uninstallers and the MSI). ctest runs
# the halves at once, each in a prefix of its own.
FIRST_HALF = ("test_1_", "test_2_", "test_3_", "test_4_")


def tests_of_half(half):
    """The names of the Installer tests in `half` ("first", "second" or "both")."""
    names = unittest.TestLoader().getTestCaseNames(Installer)
    if half == "both":
        return names
    return [n for n in names if n.startswith(FIRST_HALF) == (half == "first")]


def main():
    global SESSION, DIST
    parser = argparse.ArgumentParser()
    parser.add_argument("--dist", required=True)
    parser.add_argument("--programs", required=True)
    parser.add_argument("--work", required=True, help="folder for the screenshots")
    parser.add_argument("--half", choices=("first", "second", "both"), default="both",
                        help="which half of the tests to run")
    known, rest = parser.parse_known_args()
    if not any(not a.startswith("-") for a in rest):
        rest += [f"Installer.{name}" for name in tests_of_half(known.half)]
    DIST = os.path.abspath(known.dist)
    scratch = tempfile.mkdtemp(prefix="velnor-installer-")
    args = wine_harness.parse_args(["--programs", known.programs,
                                    "--prefix", os.path.join(scratch, "prefix"),
                                    "--work", known.work, *rest])
    SESSION = wine_harness.Session(args, name="installer")
    try:
        SESSION.start()
        program = unittest.main(argv=[sys.argv[0], *args.unittest_args], verbosity=2,
                                exit=False)
    finally:
        SESSION.close()
        shutil.rmtree(scratch, ignore_errors=True)
    sys.exit(0 if program.result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
