"""The changelogs a release ships. Fault caught: the package of 1.1.0 shipped a changelog
whose first section was "## [Unreleased]", with no version and no date."""

import os
import re
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tools", "dist"))
from release_changelog import release  # noqa: E402

HEAD = "# Changelog\n\nIntro.\n\n"
LINKS = "[Unreleased]: https://x/compare\n[1.1.0]: https://x/1.1.0\n"


class ReleaseChangelog(unittest.TestCase):
    CASES = [
        # (what, changelog, expected)
        ("unreleased entries of a new version get its heading and date",
         HEAD + "## [Unreleased]\n\n### Fixed\n- b\n\n## [1.0.0] - 2026-01-01\n\n### Added\n"
         "- a\n\n" + LINKS,
         HEAD + "## [1.1.0] - 2026-12-09\n\n### Fixed\n- b\n\n## [1.0.0] - 2026-01-01\n\n"
         "### Added\n- a\n\n[1.1.0]: https://x/1.1.0\n"),
        ("entries after a section of the same version join it, each kind once",
         HEAD + "## [Unreleased]\n\n### Fixed\n- c\n\n## [1.1.0] - 2026-11-30\n\n### Added\n"
         "- a\n\n### Fixed\n- b\n\n" + LINKS,
         HEAD + "## [1.1.0] - 2026-12-09\n\n### Fixed\n- c\n- b\n\n### Added\n- a\n\n"
         "[1.1.0]: https://x/1.1.0\n"),
        ("an empty unreleased section goes and the dated one stays as it is",
         HEAD + "## [Unreleased]\n\n## [1.1.0] - 2026-11-30\n\n### Added\n- a\n\n" + LINKS,
         HEAD + "## [1.1.0] - 2026-11-30\n\n### Added\n- a\n\n[1.1.0]: https://x/1.1.0\n"),
    ]

    def test_cases(self):
        for what, changelog, expected in self.CASES:
            with self.subTest(what):
                shipped = release(changelog, "1.1.0", "2026-12-09")
                self.assertEqual(shipped, expected)
                self.assertNotIn("Unreleased", shipped)

    def test_the_repository_changelog_ships_without_unreleased(self):
        with open(os.path.join(os.path.dirname(__file__), "..", "..", "CHANGELOG.md"),
                  encoding="utf-8") as f:
            shipped = release(f.read(), "9.9.9", "2026-12-09")
        self.assertNotIn("Unreleased", shipped)


class DebianChangelog(unittest.TestCase):
    def test_names_the_project_version(self):
        """Fault caught: a version raised in CMakeLists.txt but not in debian/changelog, which
        would package the new program under the old version (make dist refuses it, but only
        after building Velnor.scr)."""
        root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
        with open(os.path.join(root, "CMakeLists.txt"), encoding="utf-8") as f:
            project = re.search(r"project\(Velnor VERSION ([0-9.]+)", f.read()).group(1)
        with open(os.path.join(root, "debian", "changelog"), encoding="utf-8") as f:
            first = f.readline()
        self.assertRegex(first, r"^velnor \(" + re.escape(project) + r"-[0-9]+\) ")


if __name__ == "__main__":
    unittest.main()
