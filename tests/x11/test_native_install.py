"""`make install`'s step (cmake --install with DESTDIR and a prefix) puts velnor where the
daemon looks for display modes, its description where the settings program reads them,
the man page and the sample pictures; the installed program finds its sample picture;
`make uninstall` removes them again and leaves what others put there."""

import os
import shutil
import subprocess
import unittest

from native_harness import ARGS, Screen, line_counts, run

INSTALLED = ["libexec/xscreensaver/velnor", "share/xscreensaver/config/velnor.xml",
             "share/man/man6/velnor.6", "share/velnor/sample1.jpg", "share/velnor/sample2.jpg"]


class Install(unittest.TestCase):
    def test_installs_the_debian_layout_and_the_program_finds_its_pictures(self):
        destination = os.path.join(ARGS.work, "destdir")
        shutil.rmtree(destination, ignore_errors=True)
        subprocess.run(["cmake", "--install", ARGS.build, "--prefix", "/usr"], check=True,
                       env={**os.environ, "DESTDIR": destination}, stdout=subprocess.DEVNULL,
                       timeout=120)
        root = os.path.join(destination, "usr")
        for path in INSTALLED:
            self.assertTrue(os.path.isfile(os.path.join(root, path)), path)
        program = os.path.join(root, INSTALLED[0])
        self.assertTrue(os.access(program, os.X_OK))

        with Screen() as screen:
            proc = subprocess.Popen([program, "--window"], env=screen.env())
            try:
                shot = screen.wait_for_lines("installed", (512, 384), 140)
                self.assertTrue(all(line_counts(shot, (512, 384), 140)), shot.path)
                # The sample picture, not black, lies behind the ball.
                self.assertLess(shot.count((0, 0, 0)), shot.width * shot.height * 0.8, shot.path)
            finally:
                proc.terminate()
                proc.wait(timeout=10)

        # A file of another package in a shared folder stays; velnor's own folder goes.
        other = os.path.join(root, "share/xscreensaver/config/other.xml")
        with open(other, "w") as stock:
            stock.write("<screensaver/>\n")
        repository = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
        subprocess.run(["make", "-s", "-C", repository, "uninstall", f"NATIVE_BUILD={ARGS.build}",
                        f"DESTDIR={destination}"], check=True, stdout=subprocess.DEVNULL,
                       timeout=60)
        for path in INSTALLED:
            self.assertFalse(os.path.exists(os.path.join(root, path)), path)
        self.assertFalse(os.path.exists(os.path.join(root, "share/velnor")))
        self.assertTrue(os.path.isfile(other))


if __name__ == "__main__":
    run()
