#!/usr/bin/env python3
"""Checks the one-way layering in the sources; prints each offending line.

  check_layers.py windows FOLDER...  only files named *_win32.* include a Windows header
      or test for _WIN32; everything else (the portable core, the POSIX halves, tools,
      benchmarks and unit tests) builds on any platform.
  check_layers.py includes SRC       a portable file of a folder of SRC includes headers of
      its own folder and of the folders below it only, as its library links only to the
      libraries below it (CMakeLists.txt). Header-only code escapes the link check, so this
      catches what the build cannot. Platform halves (*_win32, *_posix, *_gdkpixbuf, *_x11
      files) sit on top and may include any folder.
  check_layers.py circles SRC        no two folders of SRC include each other's headers,
      directly or through other folders, counting every file, platform halves too: a
      helper two folders share sits below both.
"""
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

# Folder of src -> the folders its portable files may include besides its own.
BELOW = {
    "base": set(),
    "resources": set(),
    "settings": {"base"},
    "engine": {"base", "settings"},
    "startup": {"base"},
    "ui": {"base", "settings", "engine"},
    "dialog": {"base", "settings", "engine", "ui"},
    "saver": {"base", "settings", "engine"},
    "windows": {"base", "settings", "engine", "ui"},
    "x11": {"base", "settings", "engine", "saver"},
}
PLATFORM_SUFFIXES = ("_win32", "_posix", "_gdkpixbuf", "_x11")
PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s*"([a-z0-9_]+)/[^"]+"')


def windows_offences(path, root):
    if path.stem.endswith("_win32"):
        return
    for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
        if WINDOWS_HEADER.search(line) or PLATFORM_TEST.search(line):
            yield number, f"Windows-only code outside a *_win32 file: {line.strip()}"


def include_offences(path, root):
    if path.stem.endswith(PLATFORM_SUFFIXES):
        return
    folder = path.relative_to(root).parts[0]
    if folder not in BELOW:
        yield 0, f"folder {folder} has no place in the layer table"
        return
    allowed = BELOW[folder] | {folder}
    for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
        match = PROJECT_INCLUDE.match(line)
        if match and match.group(1) not in allowed:
            yield number, f"{folder} includes a higher layer: {line.strip()}"


def folder_includes(root):
    """Each include of another folder: (from folder, to folder, path, line number)."""
    for path in sorted(root.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES:
            continue
        folder = path.relative_to(root).parts[0]
        text = path.read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            match = PROJECT_INCLUDE.match(line)
            if match and match.group(1) != folder:
                yield folder, match.group(1), path, number


def circle_offences(root):
    """The includes that close a circle: from a folder to one that reaches back to it."""
    includes = list(folder_includes(root))
    edges = {}
    for source, target, _, _ in includes:
        edges.setdefault(source, set()).add(target)

    def reaches(start, goal):
        seen, todo = set(), [start]
        while todo:
            folder = todo.pop()
            if folder == goal:
                return True
            if folder not in seen:
                seen.add(folder)
                todo.extend(edges.get(folder, ()))
        return False

    for source, target, path, number in includes:
        if reaches(target, source):
            yield path, number, f"{source} includes {target}, which reaches back to {source}"


def main(argv):
    rules = {"windows": windows_offences, "includes": include_offences}
    if len(argv) == 3 and argv[1] == "circles":
        found = list(circle_offences(pathlib.Path(argv[2])))
        for path, number, message in found:
            print(f"{path}:{number}: {message}")
        print(f"{len(found)} includes closing a circle")
        return 1 if found else 0
    if len(argv) < 3 or argv[1] not in rules:
        print(__doc__, file=sys.stderr)
        return 2
    found = 0
    checked = 0
    for root in map(pathlib.Path, argv[2:]):
        for path in sorted(root.rglob("*")):
            if path.suffix not in SOURCE_SUFFIXES:
                continue
            checked += 1
            for number, message in rules[argv[1]](path, root):
                print(f"{path}:{number}: {message}")
                found += 1
    if checked == 0:
        print("no source files found: wrong folders?", file=sys.stderr)
        return 2
    print(f"{checked} files checked, {found} offences")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
