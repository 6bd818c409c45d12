"""End to end: the signing hook. `make_dist.sh` with SIGN_CERT and SIGN_KEY (a throwaway
self-signed certificate made here) signs Velnor.scr, the installer and the uninstaller
that the installer writes (installed silently under Wine in a fresh prefix to get it);
osslsigncode verifies each against that certificate. The unsigned dist/ carries no
signature. Wine does not check trust, so this proves the signatures, not trust."""

import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from wine_prefix import WINE_ENV, runtime_folder, start_wine_at_fixed_addresses  # noqa: E402
from x_display import start_x_server  # noqa: E402

ARGS = None


def verify(path, cert):
    return subprocess.run(["osslsigncode", "verify", "-CAfile", cert, "-in", path],
                          capture_output=True, text=True, timeout=60, check=False)


def one(pattern):
    found = glob.glob(pattern)
    assert len(found) == 1, (pattern, found)
    return found[0]


class Signing(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="velnor-signing-")
        self.addCleanup(shutil.rmtree, self.scratch, ignore_errors=True)

    def install_silently(self, installer):
        """Installs for the current user in a fresh prefix; returns the install folder."""
        prefix = os.path.join(self.scratch, "prefix")
        start_wine_at_fixed_addresses()
        server, display = start_x_server(["Xvfb", "-screen", "0", "800x600x24"])
        env = {**os.environ, **WINE_ENV, "WINEPREFIX": prefix, "DISPLAY": display,
               "TMPDIR": runtime_folder(prefix)}
        try:
            subprocess.run(["wine", installer, "/S", "/CURRENTUSER"], env=env, timeout=300,
                           check=True, capture_output=True)
        finally:
            subprocess.run(["wineserver", "-k"], env=env, timeout=60, check=False)
            server.terminate()
            server.wait()
        return one(os.path.join(prefix, "drive_c", "users", "*", "AppData", "Local",
                                "Programs", "Velnor"))

    def test_signed_build_verifies_and_the_plain_one_is_unsigned(self):
        cert, key = (os.path.join(self.scratch, n) for n in ("cert.pem", "key.pem"))
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days",
                        "2", "-subj", "/CN=Velnor test signing", "-keyout", key, "-out", cert],
                       check=True, capture_output=True, timeout=60)
        out = os.path.join(self.scratch, "dist")
        subprocess.run([os.path.join(ROOT, "tools", "dist", "make_dist.sh")], cwd=ROOT,
                       env={**os.environ, "SIGN_CERT": cert, "SIGN_KEY": key,
                            "DIST_DIR": out}, check=True, timeout=1800,
                       stdout=subprocess.DEVNULL)
        installer = one(os.path.join(out, "Velnor-*-setup.exe"))
        with zipfile.ZipFile(one(os.path.join(out, "Velnor-*-windows-x64.zip"))) as archive:
            archive.extract("Velnor.scr", self.scratch)
        folder = self.install_silently(installer)
        for path in (installer, one(os.path.join(out, "Velnor-*-x64.msi")),
                     os.path.join(self.scratch, "Velnor.scr"),
                     os.path.join(folder, "Velnor.scr"), os.path.join(folder, "uninstall.exe")):
            with self.subTest(path=os.path.basename(path)):
                result = verify(path, cert)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                self.assertIn("Signature verification: ok", result.stdout)

        plain = one(os.path.join(ARGS.dist, "Velnor-*-setup.exe"))
        self.assertNotEqual(verify(plain, cert).returncode, 0)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--dist", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
