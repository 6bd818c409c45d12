"""The Debian package's Homepage field follows VELNOR_HOMEPAGE_URL, as make dist passes it to
dpkg-buildpackage: debian/rules' control step is run for real in a copy of debian/, and the
binary package's control file is read. Faults caught: the address not reaching the package
(a misspelt variable, lost quoting), and a Homepage field, empty or a placeholder, written
by a build without an address."""

import os
import shutil
import subprocess
import tempfile
import unittest

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def control_fields(environment):
    """{field: value} of the binary package's control file that debian/rules writes."""
    scratch = tempfile.mkdtemp(prefix="velnor-deb-homepage-")
    try:
        shutil.copytree(os.path.join(ROOT, "debian"), os.path.join(scratch, "debian"))
        os.makedirs(os.path.join(scratch, "debian", "velnor"))
        env = {k: v for k, v in os.environ.items() if k != "VELNOR_HOMEPAGE_URL"}
        subprocess.run(["debian/rules", "override_dh_gencontrol"], cwd=scratch, check=True,
                       env={**env, **environment}, capture_output=True, timeout=60)
        with open(os.path.join(scratch, "debian", "velnor", "DEBIAN", "control"),
                  encoding="utf-8") as f:
            return dict(line.split(": ", 1) for line in f.read().splitlines()
                        if ": " in line and not line.startswith(" "))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


class DebianHomepage(unittest.TestCase):
    CASES = [
        # (what, environment, Homepage field or None)
        ("an address becomes the field", {"VELNOR_HOMEPAGE_URL": "https://velnor.test/a?b=1"},
         "https://velnor.test/a?b=1"),
        ("no address: no field", {}, None),
        ("an empty address: no field", {"VELNOR_HOMEPAGE_URL": ""}, None),
    ]

    def test_cases(self):
        for what, environment, expected in self.CASES:
            with self.subTest(what):
                self.assertEqual(control_fields(environment).get("Homepage"), expected)


if __name__ == "__main__":
    unittest.main(verbosity=2)
