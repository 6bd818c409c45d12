#!/usr/bin/env python3
"""Hostile settings through velnor-render: every key at -32768 and at 32767, huge and zero
scale, the eye inside the ball, on 1x1 and 16384x16 surfaces, a few hundred frames each.
Each run must end in time with success; prints the mean frame time of each. A pipe named
as the settings file must be refused at once, not waited on.

usage: check_hostile_settings.py VELNOR_RENDER VELNOR_TABLES_JSON
"""
import atexit
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

tool = sys.argv[1]
# A fresh folder of this run under $TMPDIR, removed however the run ends.
scratch = tempfile.mkdtemp(prefix="velnor-render-hostile-")
atexit.register(shutil.rmtree, scratch, ignore_errors=True)
FRAMES = 300

# The keys of every number setting, from the settings table (written in cp932 below).
with open(sys.argv[2], encoding="utf-8") as tables:
    KEYS = [row["key"] for row in json.load(tables)["settings"] if not row["text"]]


def settings(**values):
    lines = ["[Section]"]
    for key in KEYS:
        if key in values:
            lines.append("%s=%s" % (key, values[key]))
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def every_key(value):
    return settings(**{key: value for key in KEYS})


CASES = {
    "every key -32768": every_key(-32768),
    "every key 32767": every_key(32767),
    "huge scale": settings(Scale=32767, **{"透視画法": 1, "遠近の深さ": 25}),
    "zero scale": settings(Scale=0),
    "eye inside the ball": settings(Scale=384, **{"透視画法": 1, "遠近の深さ": 1}),
}
SIZES = ["1x1", "16384x16"]

failures = []
for name, content in CASES.items():
    ini = os.path.join(scratch, name.replace(" ", "_") + ".ini")
    with open(ini, "wb") as f:
        f.write(content)
    for size in SIZES:
        start = time.monotonic()
        try:
            result = subprocess.run([tool, "--ini", ini, "--size", size, "--frames", str(FRAMES),
                                     "--seed", "7"], capture_output=True, text=True, timeout=120)
        except subprocess.TimeoutExpired:
            failures.append("%s at %s: no end within 120 s" % (name, size))
            continue
        seconds = time.monotonic() - start
        print("%-22s %-9s %4d frames  %.3f ms per frame" % (name, size, FRAMES,
                                                           seconds * 1000 / FRAMES))
        if result.returncode != 0:
            failures.append("%s at %s: exit %d: %s" % (name, size, result.returncode,
                                                       result.stderr[-500:]))

pipe = os.path.join(scratch, "pipe.ini")
os.mkfifo(pipe)
try:
    result = subprocess.run([tool, "--ini", pipe, "--frames", "1"], capture_output=True,
                            text=True, timeout=20)
    if result.returncode == 0 or "regular file" not in result.stderr:
        failures.append("a pipe as settings file was not refused: " + result.stderr)
except subprocess.TimeoutExpired:
    failures.append("a pipe as settings file made velnor-render wait")

if failures:
    sys.exit("FAILED:\n  " + "\n  ".join(failures))
print("hostile settings: all runs ended normally")
