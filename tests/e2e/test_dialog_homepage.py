"""End to end: a build with a homepage address (the windows-homepage preset), shipped by an
installer made with that address, as a user meets it. The Apps entry names the address,
the installed dialog shows it as its link, and a real mouse click on the link asks the
shell to open exactly that address; a recorder registered as the shell's handler of web
addresses takes the request, so no browser starts. The prefix is left as it was found."""

import argparse
import os
import subprocess
import sys
import tempfile
import time
import unittest

import wine_harness
from dialog_driving import TITLE, dialog, shown

SESSION = None
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velnor"
HANDLER_KEYS = [rf"HKCR\{scheme}\shell\open\command" for scheme in ("http", "https")]


def wine(*command, check=True):
    """Runs a Wine command and waits for every process it left (an uninstaller goes on as
    a copy of itself); returns its standard output."""
    result = subprocess.run(["wine", *command], env=SESSION.env(), capture_output=True,
                            text=True, errors="replace", timeout=120, check=False)
    subprocess.run(["wineserver", "-w"], env=SESSION.env(), timeout=120, check=False)
    if check and result.returncode != 0:
        raise AssertionError(f"wine {command}: exit code {result.returncode}")
    return result.stdout


def reg_values(key):
    """{name: value} of a registry key as `reg query` prints it; the default is "(Default)"."""
    values = {}
    for line in wine("reg", "query", key, check=False).splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            values[parts[0]] = parts[2] if len(parts) == 3 else ""
    return values


def set_default(key, value):
    wine("reg", "add", key, "/ve", "/d", value, "/f")


class HomepageBuild(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.address = SESSION.args.homepage
        # A preset that lost its address must not pass as a build without a link.
        assert cls.address, "the windows-homepage build has no VELNOR_HOMEPAGE_URL"
        cls.setup = os.path.join(SESSION.work, "Velnor-homepage-setup.exe")
        subprocess.run(["makensis", "-V1", "-WX", "-INPUTCHARSET", "UTF8", "-DVERSION=1.0.0",
                        f"-DSCR={SESSION.program}", f"-DLICENSE_FILE={ROOT}/LICENSE",
                        f"-DHOMEPAGE={cls.address}", f"-DOUTFILE={cls.setup}",
                        os.path.join(ROOT, "tools", "dist", "velnor.nsi")],
                       check=True, timeout=300)

    def install(self):
        """Installs for all users without making Velnor current (the prefix's desktop
        settings stay as they were); uninstalled with its settings by the cleanup."""
        self.addCleanup(self.uninstall)
        wine(self.setup, "/S", "/AllUsers")
        return os.path.join(SESSION.prefix, "drive_c", "windows", "system32", "Velnor.scr")

    def uninstall(self):
        command = reg_values(UNINSTALL_KEY).get("QuietUninstallString")
        if command:
            program, rest = command[1:].split('"', 1)
            wine(program, *rest.split(), "/PURGE")

    def record_opened_addresses(self):
        """Makes the recorder the handler of http and https addresses until the test ends;
        returns the file it writes each address to."""
        record = os.path.join(tempfile.mkdtemp(dir=SESSION.work), "opened.txt")
        SESSION.extra_env["VELNOR_OPEN_RECORD"] = SESSION.windows_path(record)
        self.addCleanup(SESSION.extra_env.pop, "VELNOR_OPEN_RECORD")
        recorder = SESSION.windows_path(SESSION.helper("velnor_open_recorder.exe"))
        for key in HANDLER_KEYS:
            self.addCleanup(set_default, key, reg_values(key).get("(Default)", ""))
            set_default(key, f'"{recorder}" "%1"')
        return record

    @staticmethod
    def recorded(path):
        if not os.path.exists(path):
            return []
        with open(path, encoding="utf-8") as f:
            return f.read().splitlines()

    def wait_for_lines(self, path, seconds):
        deadline = time.monotonic() + seconds
        while not self.recorded(path) and time.monotonic() < deadline:
            time.sleep(0.2)
        return self.recorded(path)

    def test_entry_names_the_address_and_a_click_on_the_link_opens_it(self):
        """Faults: the link shown but not opening (or opening another address), a click
        opening it more than once, and the Apps entry without the homepage."""
        installed = self.install()
        entry = reg_values(UNINSTALL_KEY)
        self.assertEqual((entry.get("URLInfoAbout"), entry.get("HelpLink")),
                         (self.address, self.address))
        record = self.record_opened_addresses()

        proc = SESSION.start_program("/c", program=installed)
        try:
            self.assertEqual(dialog(SESSION, "wait", "60000"), ["found"])
            link = shown(SESSION, "lbl_URL")["lbl_URL"]
            self.assertEqual((link["visible"], link["text"]), ("1", self.address))
            x, y = (int(v) for v in link["screen"].split(","))
            width, height = (int(v) for v in link["rect"].split(",")[2:])
            SESSION.move_mouse(x + min(width // 2, 20), y + height // 2)
            SESSION.click()
            self.assertEqual(self.wait_for_lines(record, 30), [self.address])
            SESSION.screenshot("after-click")
            # The dialog carries on after the shell took the address.
            self.assertTrue(SESSION.find_windows(TITLE))
            time.sleep(1.0)
            self.assertEqual(self.recorded(record), [self.address], "opened twice")
        finally:
            SESSION.stop(proc, TITLE)


def homepage_build(cache):
    """(Velnor.scr, homepage address) of the build whose CMakeCache.txt is `cache`."""
    try:
        with open(cache, encoding="utf-8") as f:
            address = next((line.split("=", 1)[1].strip() for line in f
                            if line.startswith("VELNOR_HOMEPAGE_URL:")), "")
    except OSError as error:
        sys.exit(f"{cache}: {error.strerror}; build the windows-homepage preset first "
                 "(make build-windows)")
    return os.path.join(os.path.dirname(cache), "bin", "Velnor.scr"), address


def main():
    """The harness's arguments, with the program and its address taken from
    --homepage-build (the helpers stay those of --programs)."""
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--homepage-build", required=True, help="its CMakeCache.txt")
    known, rest = parser.parse_known_args()
    args = wine_harness.parse_args(rest)
    args.program, args.homepage = homepage_build(known.homepage_build)
    with wine_harness.Session(args) as session:
        globals()["SESSION"] = session
        program = unittest.main(argv=[sys.argv[0], *args.unittest_args], verbosity=2,
                                exit=False)
    sys.exit(0 if program.result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
