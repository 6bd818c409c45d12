#!/usr/bin/env python3
"""Checks that the portable code includes downwards only: a portable file of a folder may
include headers of its own folder and of the folders below it, as its library links to the
libraries below it (CMakeLists.txt). Header-only code escapes a link check, so this catches
what the build cannot. Platform halves (*_win32, *_posix, *_gdkpixbuf, *_x11 files and the
X11 program) sit on top and may include any folder. Prints each offending line."""
import pathlib
import re
import sys

# Folder -> the folders its portable files may include besides its own.
BELOW = {
    "base": set(),
    "resources": set(),
    "settings": {"base"},
    "engine": {"base", "settings"},
    "startup": {"base"},
    "dialog": {"base", "settings", "engine"},
    "saver": {"base", "settings", "engine"},
    "windows": {"base", "settings", "engine"},
    "x11": {"base", "settings", "engine", "saver", "windows"},
}
PLATFORM_SUFFIXES = ("_win32", "_posix", "_gdkpixbuf", "_x11")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([a-z0-9_]+)/[^"]+"')
SOURCE_SUFFIXES = {".cpp", ".h"}


def is_platform_file(path: pathlib.Path) -> bool:
    return path.stem.endswith(PLATFORM_SUFFIXES)


def main(argv):
    if len(argv) != 2:
        print(f"usage: {argv[0]} SRC_FOLDER", file=sys.stderr)
        return 2
    source = pathlib.Path(argv[1])
    found = 0
    checked = 0
    for path in sorted(source.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES or is_platform_file(path):
            continue
        folder = path.relative_to(source).parts[0]
        if folder not in BELOW:
            print(f"{path}: folder {folder} has no place in the layer table", file=sys.stderr)
            return 2
        checked += 1
        allowed = BELOW[folder] | {folder}
        text = path.read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), start=1):
            match = INCLUDE.match(line)
            if match and match.group(1) not in allowed:
                print(f"{path}:{number}: {folder} includes a higher layer: {line.strip()}")
                found += 1
    if checked == 0:
        print("no source files found: wrong folder?", file=sys.stderr)
        return 2
    print(f"{checked} files checked, {found} offences")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
