#!/usr/bin/env python3
"""Smoke test of velnor-render: a short run's trace and pictures, and its argument errors.

usage: check_velnor_render.py VELNOR_RENDER
"""
import atexit
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

tool = sys.argv[1]
# A fresh folder of this run under $TMPDIR, removed however the run ends.
scratch = tempfile.mkdtemp(prefix="velnor-render-check-")
atexit.register(shutil.rmtree, scratch, ignore_errors=True)


def run(*args):
    return subprocess.run([tool, *args], capture_output=True, text=True, timeout=120)


def check(condition, message):
    if not condition:
        sys.exit("FAILED: " + message)


trace = os.path.join(scratch, "t.jsonl")
pngs = os.path.join(scratch, "png")
result = run("--size", "120x90", "--frames", "25", "--seed", "3", "--png", pngs,
             "--every", "10", "--trace", trace)
check(result.returncode == 0, "short run failed: " + result.stderr)

lines = open(trace).read().splitlines()
check(len(lines) == 25, "expected 25 trace lines, got %d" % len(lines))
clock = 45.0
for number, text in enumerate(lines, start=1):
    record = json.loads(text, parse_float=str, parse_int=str)
    check(int(record["frame"]) == number, "frame numbers run from 1")
    clock = 0.1 if clock == 60.0 else round(clock + 0.1, 1)
    check(float(record["clockAngle"]) == clock, "clockAngle %r in frame %d" % (record["clockAngle"], number))
    for key in ("screenX", "screenY"):
        grid = record[key]
        check(len(grid) == 21 and all(len(row) == 21 for row in grid), key + " is 21 x 21")
        for row in grid:
            for value in row:  # 32-bit floats need at most 9 significant digits
                digits = value.lstrip("-").split("e")[0].replace(".", "").lstrip("0")
                check(len(digits) <= 9, "float32 text " + value)
    check(isinstance(record["inFront"], bool), "inFront is a boolean")
    for key in ("orbitRadiusY", "spinInput", "spriteLeft", "spriteTop"):
        float(record[key])
first = json.loads(lines[0])
check(first["orbitRadiusY"] == 45 and first["spinInput"] == 119.6, "first frame's motion")
check(sorted(os.listdir(pngs)) == ["frame-000010.png", "frame-000020.png"], "every 10th frame")
with open(os.path.join(pngs, "frame-000010.png"), "rb") as picture:
    header = picture.read(24)
check(header[:8] == b"\x89PNG\r\n\x1a\n", "PNG signature")
check(struct.unpack(">II", header[16:24]) == (120, 90), "PNG size")



def solid_bmp(path, width, height, rgb):
    """A 24-bit BMP file of one colour."""
    stride = (width * 3 + 3) // 4 * 4
    row = bytes(rgb[::-1]) * width + bytes(stride - width * 3)
    header = struct.pack("<2sIII", b"BM", 54 + stride * height, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, 0, 0, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + row * height)


def top_left_pixel(path):
    """(r, g, b) of a PNG's first pixel: whatever the row filter, it is stored unchanged."""
    data = open(path, "rb").read()
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        if kind == b"IDAT":
            idat += data[at + 8:at + 8 + length]
        at += 12 + length
    return tuple(zlib.decompress(idat)[1:4])


# Folder pictures: two solid colours changed every 3 frames, in the order of the folder
# scan; the corner of the frame (away from a small ball and its orbit) shows the background.
folder = os.path.join(scratch, "pictures")
os.makedirs(folder)
solid_bmp(os.path.join(folder, "1.bmp"), 8, 6, (255, 0, 0))
solid_bmp(os.path.join(folder, "2.bmp"), 8, 6, (0, 0, 255))
ini = os.path.join(scratch, "folder.ini")
settings = {"画像のﾌｫﾙﾀﾞ": folder, "ｻﾝﾌﾟﾙ画像有無": 0, "画像のｻｲｽﾞ": 1, "Scale": 10}
with open(ini, "wb") as out:
    out.write("".join(["[Section]\r\n"] + ["%s=%s\r\n" % item for item in settings.items()])
              .encode("cp932"))
frames = os.path.join(scratch, "folder-png")
result = run("--ini", ini, "--size", "200x150", "--frames", "8", "--picture-every", "3",
             "--png", frames)
check(result.returncode == 0, "folder run failed: " + result.stderr)
corners = [top_left_pixel(os.path.join(frames, "frame-%06d.png" % n)) for n in range(1, 9)]
red, blue = (255, 0, 0), (0, 0, 255)
check(corners == [red] * 3 + [blue] * 3 + [red] * 2, "folder pictures by frame: %r" % corners)

for bad in (["--size", "0x5"], ["--size", "12"], ["--frames", "-1"], ["--every", "0"],
            ["--frames"], ["--colour", "red"], ["--seed", "x1"]):
    result = run(*bad)
    check(result.returncode == 2, "%s should exit 2, got %d" % (bad, result.returncode))
    check("velnor-render:" in result.stderr, "%s names the problem" % bad)
result = run("--ini", os.path.join(scratch, "missing.ini"), "--frames", "1")
check(result.returncode != 0 and "missing.ini" in result.stderr, "unreadable --ini is an error")
print("velnor-render smoke test passed")
