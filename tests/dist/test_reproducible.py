"""End to end: `make dist`'s build gives the same bytes in another folder. The commit is
cloned into a fresh folder and built there (without a compiler cache, so every object is
made anew); its artefacts must have the SHA-256 sums of dist/ when that was built from the
same commit with no local changes, and else those of a second clone at another depth.
The clone's build runs while the tree's own build (the test e2e.dist_build) may still be
running: the comparison waits for that build's lock (build/dist/.lock)."""

import argparse
import fcntl
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
ARGS = None


def sums(folder):
    """{file name: SHA-256} of every file of a dist folder."""
    out = {}
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), "rb") as f:
            out[name] = hashlib.sha256(f.read()).hexdigest()
    return out


def build_clone(folder):
    """Clones the commit into `folder`, builds the artefacts there; returns their folder."""
    subprocess.run(["git", "clone", "--quiet", "--no-hardlinks", ROOT, folder], check=True,
                   timeout=300)
    commit = subprocess.run(["git", "-C", ROOT, "rev-parse", "HEAD"], check=True,
                            capture_output=True, text=True).stdout.strip()
    subprocess.run(["git", "-C", folder, "checkout", "--quiet", commit], check=True)
    env = {k: v for k, v in os.environ.items() if k != "SOURCE_DATE_EPOCH"}
    env.update(CCACHE_DISABLE="1", DIST_DIR=os.path.join(folder, "dist"))
    nice = ["nice", "-n", str(ARGS.nice)] if ARGS.nice else []
    subprocess.run([*nice, os.path.join(folder, "tools", "dist", "make_dist.sh")], cwd=folder,
                   env=env, check=True, timeout=1800, stdout=subprocess.DEVNULL)
    return os.path.join(folder, "dist")


def tree_dist_is_of_head(dist):
    """True when the tree's build last wrote `dist` from HEAD without changes to tracked
    files; waits first for a build of the tree that is still running."""
    def git(*command):
        return subprocess.run(["git", "-C", ROOT, *command], capture_output=True, text=True,
                              check=True).stdout.strip()
    marker = os.path.join(ROOT, "build", "dist", "built-from")
    lock = os.path.join(ROOT, "build", "dist", ".lock")
    if os.path.exists(lock):
        with open(lock) as held:
            fcntl.flock(held, fcntl.LOCK_SH)
    if git("status", "--porcelain", "--untracked-files=no") or not os.path.exists(marker):
        return False
    with open(marker, encoding="utf-8") as f:
        return f"{git('rev-parse', 'HEAD')} clean {dist}" in f.read().splitlines()


class Reproducible(unittest.TestCase):
    def test_a_clone_elsewhere_builds_the_same_bytes(self):
        scratch = tempfile.mkdtemp(prefix="velnor-repro-")
        try:
            first = build_clone(os.path.join(scratch, "a", "velnor"))
            if tree_dist_is_of_head(os.path.realpath(ARGS.dist)):
                second = ARGS.dist
            else:
                second = build_clone(os.path.join(scratch, "b", "deeper", "velnor-2"))
            a, b = sums(first), sums(second)
            for name, digest in a.items():
                print(f"{digest}  {name}  ({first})")
                print(f"{b.get(name, '-' * 64)}  {name}  ({second})")
            self.assertEqual(len(a), 6)  # setup.exe, MSI, zip, .deb, .tar.gz and SHA256SUMS
            self.assertEqual(a, b)
        finally:
            shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--dist", required=True)
    parser.add_argument("--nice", type=int, default=0,
                        help="niceness of the clone's build (beside tests that need the CPU)")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
