"""End to end: the Debian package of dist/. lintian shows only the tags accepted below;
installed with dpkg, `velnor --version` gives the package's version, the man page reads,
`velnor --window` shows the ball on Xvfb, and `dpkg -P` leaves none of its files.

The install happens in a private mount namespace (unshare -m) with overlays over /usr,
/etc and /var whose upper layers live in a tmpfs: dpkg's database and every installed
file vanish with the namespace, and a copy from `make install` on the host can neither
collide with the package nor be touched by it. Needs root; skipped otherwise."""

import argparse
import glob
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
README = os.path.join(HERE, "..", "..", "README.md")
sys.path.insert(0, os.path.join(HERE, "..", "x11"))
ARGS = None
INSIDE = "VELNOR_DEB_TEST_NAMESPACE"
# Tags that concern only an upload to the Debian archive: the package is not uploaded
# there, so it closes no "intent to package" bug.
ACCEPTED_TAGS = {"initial-upload-closes-no-bugs"}


def package():
    found = glob.glob(os.path.join(ARGS.dist, "velnor_*-1_amd64.deb"))
    if len(found) != 1:
        raise AssertionError(f"velnor_*_amd64.deb in {ARGS.dist}: {found}; run `make dist`")
    return found[0]


def readme_debian_commands():
    """The commands quoted in the README's Debian part that run the installed program."""
    with open(README, encoding="utf-8") as f:
        part = f.read().split("### Debian", 1)[1].split("\n## ", 1)[0]
    quoted = re.findall(r"`([^`]+)`", re.sub(r"\s*\n\s*", " ", part))
    return [command for command in quoted if re.match(r"(\S*/)?velnor ", command)]


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=120, **options)


class Lintian(unittest.TestCase):
    def test_no_error_or_warning_beyond_the_accepted_archive_tags(self):
        # lintian leaves a cache folder (mldbm-elf-*) in its TMPDIR: it gets one of its own.
        scratch = tempfile.mkdtemp(prefix="velnor-lintian-")
        try:
            result = run("lintian", "--pedantic", "--display-info", package(),
                         env={**os.environ, "TMPDIR": scratch})
        finally:
            shutil.rmtree(scratch, ignore_errors=True)
        print(result.stdout, end="")
        tags = {}
        for line in result.stdout.splitlines():
            parts = line.split()
            if len(parts) >= 3 and parts[0] in ("E:", "W:", "I:", "P:", "X:", "O:"):
                tags[parts[2]] = parts[0]
        self.assertTrue(set(tags) <= ACCEPTED_TAGS, tags)
        self.assertEqual(result.returncode, 0, result.stderr)


@unittest.skipUnless(os.geteuid() == 0, "installing a package needs root")
class Package(unittest.TestCase):
    def test_install_run_and_purge_in_a_private_namespace(self):
        env = {**os.environ, INSIDE: "1"}
        result = subprocess.run(["unshare", "-m", "--propagation", "private", sys.executable,
                                 os.path.abspath(__file__), "--dist", ARGS.dist,
                                 "--work", ARGS.work], env=env, timeout=300, check=False)
        self.assertEqual(result.returncode, 0)


def mount_overlays(scratch):
    """Overlays over /usr, /etc and /var whose changes go to a tmpfs in `scratch`."""
    subprocess.run(["mount", "-t", "tmpfs", "tmpfs", scratch], check=True)
    for top in ("usr", "etc", "var"):
        upper, work = os.path.join(scratch, top), os.path.join(scratch, top + ".work")
        os.makedirs(upper)
        os.makedirs(work)
        subprocess.run(["mount", "-t", "overlay", "overlay", "-o",
                        f"lowerdir=/{top},upperdir={upper},workdir={work}", f"/{top}"],
                       check=True)


class InNamespace(unittest.TestCase):
    """Runs inside the private mount namespace (see the module's text)."""

    def test_install_version_manual_window_and_purge(self):
        deb = package()
        version = os.path.basename(deb).split("_")[1].rsplit("-", 1)[0]
        files = [p[1:] for p in run("dpkg-deb", "-c", deb).stdout.split() if p.startswith("./")]
        self.assertIn("/usr/libexec/xscreensaver/velnor", files)
        installed = run("dpkg", "-i", deb)
        self.assertEqual(installed.returncode, 0, installed.stdout + installed.stderr)
        program = "/usr/libexec/xscreensaver/velnor"
        self.assertTrue(os.access(program, os.X_OK))

        shown = run(program, "--version")
        self.assertEqual(shown.returncode, 0, shown.stderr)
        self.assertIn(version, shown.stdout)
        manual = run("man", "-P", "cat", "-l", "/usr/share/man/man6/velnor.6.gz",
                     env={**os.environ, "MANWIDTH": "80"})
        self.assertEqual(manual.returncode, 0, manual.stderr)
        self.assertIn("--root", manual.stdout)
        self.check_window(program)
        self.check_readme_commands(version)

        purged = run("dpkg", "-P", "velnor")
        self.assertEqual(purged.returncode, 0, purged.stdout + purged.stderr)
        left = [path for path in files if os.path.lexists(path) and not os.path.isdir(path)]
        left += [path for path in files if os.path.isdir(path) and "velnor" in path]
        self.assertEqual(left, [])
        self.assertNotEqual(run("dpkg", "-s", "velnor").returncode, 0)

    def check_readme_commands(self, version):
        """Fault caught: the README's `velnor --version` was "command not found" (the
        program is not on PATH). Its commands run literally; --window ones are left to
        check_window."""
        commands = readme_debian_commands()
        self.assertTrue(any("--version" in command for command in commands), commands)
        for command in commands:
            if "--window" in command:
                continue
            with self.subTest(command):
                shown = run(*shlex.split(command))
                self.assertEqual(shown.returncode, 0, shown.stderr)
                self.assertIn(version, shown.stdout)

    def check_window(self, program):
        """`velnor --window` for a second on Xvfb: the wire ball's lines in the middle."""
        import native_harness
        with native_harness.Screen() as screen:
            proc = subprocess.Popen([program, "--window"], env=screen.env(),
                                    stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
            try:
                shot = screen.wait_for_lines("deb-window", (512, 384), 140, seconds=10)
                self.assertTrue(all(native_harness.line_counts(shot, (512, 384), 140)),
                                shot.path)
            finally:
                proc.terminate()
                proc.wait(timeout=10)
                proc.stderr.close()


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--dist", required=True)
    parser.add_argument("--work", required=True, help="folder for the screenshots")
    ARGS, rest = parser.parse_known_args()
    ARGS.dist = os.path.abspath(ARGS.dist)
    if os.environ.get(INSIDE) != "1":
        unittest.main(argv=[sys.argv[0], *rest], verbosity=2, defaultTest=["Lintian", "Package"])
        return
    # The native harness reads its own arguments: only its screenshot folder matters here.
    sys.argv = [sys.argv[0], "--work", ARGS.work]
    scratch = tempfile.mkdtemp(prefix="velnor-deb-")
    try:
        mount_overlays(scratch)
        unittest.main(argv=[sys.argv[0]], verbosity=2, defaultTest=["InNamespace"])
    finally:
        # The mounts end with the namespace; only the empty mount point is left to remove.
        subprocess.run(["umount", "--recursive", "--lazy", scratch], check=False)
        os.rmdir(scratch)


if __name__ == "__main__":
    main()
