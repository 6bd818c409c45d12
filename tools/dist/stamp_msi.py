#!/usr/bin/env python3
"""Makes an MSI of wixl reproducible: stamp_msi.py MSI PACKAGE_CODE. wixl writes the time of
the build as the summary information's "Created" and "Last saved" and a random package
code; they become SOURCE_DATE_EPOCH and PACKAGE_CODE ({XXXXXXXX-...}, upper case). The
values are replaced in place (same lengths), and each must be found exactly where wixl
writes them, or the script fails rather than leave a changing file."""

import os
import re
import struct
import subprocess
import sys

FILETIME_EPOCH = 11644473600  # seconds from 1601-01-01 to 1970-01-01


def filetime(seconds):
    return int((seconds + FILETIME_EPOCH) * 10_000_000)


def main():
    path, code = sys.argv[1], sys.argv[2].upper()
    if not re.fullmatch(r"\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}", code):
        sys.exit(f"stamp_msi: not a package code: {code}")
    info = subprocess.run(["msiinfo", "suminfo", path], capture_output=True, text=True,
                          check=True).stdout
    old_code = re.search(r"Revision number \(UUID\): (\{[0-9A-F-]+\})", info).group(1)
    with open(path, "rb") as f:
        data = bytearray(f.read())
    if data.count(old_code.encode()) != 1:
        sys.exit(f"stamp_msi: package code {old_code} not found once in {path}")
    at = data.index(old_code.encode())
    data[at:at + len(code)] = code.encode()
    # Both dates are the file's time of writing: within the last hour.
    written = os.path.getmtime(path)
    low, high = filetime(written - 3600), filetime(written + 60)
    # They sit in the summary information beside the package code.
    near = range(max(0, at - 512), min(len(data) - 7, at + 512))
    found = [i for i in near if low <= struct.unpack_from("<Q", data, i)[0] <= high]
    if len(found) != 2:
        sys.exit(f"stamp_msi: {len(found)} build times in {path}, expected 2")
    stamp = struct.pack("<Q", filetime(int(os.environ["SOURCE_DATE_EPOCH"])))
    for i in found:
        data[i:i + 8] = stamp
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
