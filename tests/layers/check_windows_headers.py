#!/usr/bin/env python3
"""Checks the one-way layering by file name: only files named *_win32.* may include a
Windows header or test for _WIN32; everything else (the portable core, the POSIX halves,
tools, benchmarks and unit tests) builds on any platform. Prints each offending line."""
import pathlib
import re
import sys

SOURCE_SUFFIXES = {".cpp", ".h", ".hpp", ".cc", ".inl"}
# Headers of the Windows SDK and of the Microsoft C runtime's own extensions.
WINDOWS_HEADER = re.compile(
    r"^\s*#\s*include\s*[<\"]("
    r"(windows|windowsx|win\w+|shl\w+|shellapi|shobjidl|ole\w*|objbase|objidl|comm\w+|"
    r"mmsystem|dwmapi|uxtheme|unknwn|comdef|propidl|knownfolders|versionhelpers|"
    r"d2d1\w*|d3d\w*|dxgi\w*|\w+api|io|direct|tchar|wrl/\w+|process)\.h)[>\"]",
    re.IGNORECASE,
)
PLATFORM_TEST = re.compile(r"\b(_WIN32|_WIN64|_MSC_VER|__MINGW32__|__MINGW64__)\b")


def is_platform_file(path: pathlib.Path) -> bool:
    return path.stem.endswith("_win32")


def offences(path: pathlib.Path):
    text = path.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), start=1):
        if WINDOWS_HEADER.search(line) or PLATFORM_TEST.search(line):
            yield number, line.strip()


def main(argv):
    if len(argv) < 2:
        print(f"usage: {argv[0]} FOLDER...", file=sys.stderr)
        return 2
    found = 0
    checked = 0
    for folder in map(pathlib.Path, argv[1:]):
        for path in sorted(folder.rglob("*")):
            if path.suffix not in SOURCE_SUFFIXES or is_platform_file(path):
                continue
            checked += 1
            for number, line in offences(path):
                print(f"{path}:{number}: Windows-only code outside a *_win32 file: {line}")
                found += 1
    if checked == 0:
        print("no source files found: wrong folders?", file=sys.stderr)
        return 2
    print(f"{checked} files checked, {found} offences")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
