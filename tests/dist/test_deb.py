"""End to end: the Debian package and the source tarball of dist/. lintian shows only the
tags accepted below, on the package and on the source package made from the tarball; the
tarball holds exactly the commit's files under velnor-<version>/; installed with dpkg,
`velnor --version` gives the package's version, the man page reads,
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
ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
README = os.path.join(ROOT, "README.md")
sys.path.insert(0, os.path.join(HERE, "..", "x11"))
ARGS = None
INSIDE = "VELNOR_DEB_TEST_NAMESPACE"
# Tags that concern only an upload to the Debian archive: the package is not uploaded
# there, so it closes no "intent to package" bug.
ACCEPTED_TAGS = {"initial-upload-closes-no-bugs"}
# The source package's own: its upstream tarball is the release's, which carries debian/
# itself, so the Debian diff is empty; no download site is watched for new versions; and
# the Homepage field is written into the binary package only when the build has a real
# address (VELNOR_HOMEPAGE_URL), so the source's control names none.
ACCEPTED_SOURCE_TAGS = {"no-debian-changes", "debian-watch-file-is-missing",
                        "no-homepage-field"}
# What the package installs: the program, its settings description, manual page, sample
# pictures and documents, and nothing of the tests, tools or a debug-symbols package.
PACKAGE_FILES = [
    "usr/libexec/xscreensaver/velnor",
    "usr/share/doc/velnor/README.Debian",
    "usr/share/doc/velnor/changelog.Debian.gz",
    "usr/share/doc/velnor/changelog.gz",
    "usr/share/doc/velnor/copyright",
    "usr/share/man/man6/velnor.6.gz",
    "usr/share/velnor/sample1.jpg",
    "usr/share/velnor/sample2.jpg",
    "usr/share/xscreensaver/config/velnor.xml",
]


def package():
    found = glob.glob(os.path.join(ARGS.dist, "velnor_*-1_amd64.deb"))
    if len(found) != 1:
        raise AssertionError(f"velnor_*_amd64.deb in {ARGS.dist}: {found}; run `make dist`")
    return found[0]


def tarball():
    found = glob.glob(os.path.join(ARGS.dist, "velnor-*.tar.gz"))
    if len(found) != 1:
        raise AssertionError(f"velnor-*.tar.gz in {ARGS.dist}: {found}; run `make dist`")
    return found[0]


def tracked_files():
    """The files of the work tree that git tracks (those deleted locally left out), as
    make dist puts them into the tarball."""
    def listed(*options):
        return set(subprocess.run(["git", "-C", ROOT, "ls-files", "-z", *options], check=True,
                                  capture_output=True, text=True).stdout.split("\0")) - {""}
    return listed() - listed("--deleted")


def readme_debian_commands():
    """The commands quoted in the README's Debian part that run the installed program."""
    with open(README, encoding="utf-8") as f:
        part = f.read().split("### Debian", 1)[1].split("\n## ", 1)[0]
    quoted = re.findall(r"`([^`]+)`", re.sub(r"\s*\n\s*", " ", part))
    return [command for command in quoted if re.match(r"(\S*/)?velnor ", command)]


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=120, **options)


def lintian_tags(path):
    """{tag: level} of `lintian --pedantic` on a package or .dsc; fails on a lintian error."""
    # lintian leaves a cache folder (mldbm-elf-*) in its TMPDIR: it gets one of its own.
    scratch = tempfile.mkdtemp(prefix="velnor-lintian-")
    try:
        result = run("lintian", "--pedantic", "--display-info", path,
                     env={**os.environ, "TMPDIR": scratch})
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print(result.stdout, end="")
    # "W: velnor: tag ..." for the package, "W: velnor source: tag ..." for the source.
    tags = {}
    for line in result.stdout.splitlines():
        found = re.match(r"([EWIPXO]): \S+(?: source)?: (\S+)", line)
        if found:
            tags[found.group(2)] = found.group(1)
    return tags, result


class Lintian(unittest.TestCase):
    def test_no_error_or_warning_beyond_the_accepted_archive_tags(self):
        tags, result = lintian_tags(package())
        self.assertTrue(set(tags) <= ACCEPTED_TAGS, tags)
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_source_package_from_the_tarball_has_only_the_accepted_tags(self):
        """Faults caught: a debian/ that dpkg-source cannot build a source package from
        (wrong format, version or missing files), or one lintian finds wrong."""
        scratch = tempfile.mkdtemp(prefix="velnor-source-")
        try:
            version = os.path.basename(tarball())[len("velnor-"):-len(".tar.gz")]
            os.symlink(tarball(), os.path.join(scratch, f"velnor_{version}.orig.tar.gz"))
            subprocess.run(["tar", "-xzf", tarball(), "-C", scratch], check=True)
            built = run("dpkg-source", "-b", f"velnor-{version}", cwd=scratch)
            self.assertEqual(built.returncode, 0, built.stdout + built.stderr)
            tags, result = lintian_tags(os.path.join(scratch, f"velnor_{version}-1.dsc"))
            self.assertTrue(set(tags) <= ACCEPTED_SOURCE_TAGS, tags)
            self.assertEqual(result.returncode, 0, result.stderr)
        finally:
            shutil.rmtree(scratch, ignore_errors=True)


class Contents(unittest.TestCase):
    def test_package_holds_the_program_documents_and_nothing_else(self):
        """Faults caught: a test, tool or benchmark installed by the package's CMake build, a
        document lost on the way through debhelper, a debug-symbols package beside it."""
        listing = run("dpkg-deb", "-c", package()).stdout.splitlines()
        files = sorted(line.split()[-1][2:] for line in listing if line.startswith("-"))
        self.assertEqual(files, PACKAGE_FILES)
        self.assertEqual(glob.glob(os.path.join(ARGS.dist, "*dbgsym*")), [])

    def test_tarball_holds_exactly_the_tracked_files_under_its_folder(self):
        """Faults caught: build outputs or untracked files shipped as sources, tracked
        files (debian/ among them) left out, a top folder other than velnor-<version>/."""
        version = os.path.basename(tarball())[len("velnor-"):-len(".tar.gz")]
        names = run("tar", "-tzf", tarball()).stdout.splitlines()
        top = f"velnor-{version}/"
        self.assertEqual([name for name in names if not name.startswith(top)], [])
        files = {name[len(top):] for name in names if not name.endswith("/")}
        self.assertEqual(files ^ tracked_files(), set())
        self.assertIn("debian/rules", files)


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
        unittest.main(argv=[sys.argv[0], *rest], verbosity=2,
                      defaultTest=["Lintian", "Contents", "Package"])
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
