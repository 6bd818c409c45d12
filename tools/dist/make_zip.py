"""Writes a zip of the given files (flat, in the given order) with every entry dated
SOURCE_DATE_EPOCH and the same attributes, so the same files give the same bytes.
Text files (.txt, LICENSE) get Windows line ends. Usage: make_zip.py OUT.zip FILE..."""

import os
import sys
import time
import zipfile


def entry_bytes(path):
    with open(path, "rb") as f:
        data = f.read()
    name = os.path.basename(path)
    if name.endswith(".txt") or name == "LICENSE":
        data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    return data


def main(out, paths):
    stamp = time.gmtime(int(os.environ.get("SOURCE_DATE_EPOCH", "315532800")))
    date_time = (max(stamp.tm_year, 1980),) + tuple(stamp[1:6])
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for path in paths:
            name = os.path.basename(path)
            if name == "LICENSE":
                name = "LICENSE.txt"
            info = zipfile.ZipInfo(name, date_time)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # plain MS-DOS attributes
            info.external_attr = 0x20  # archive
            archive.writestr(info, entry_bytes(path))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
