#!/usr/bin/env python3
"""Measures the saver under Wine on a virtual display: frames per second, the longest time
from one frame to the next, and the processor time of the saver and of the X server.

    python3 tools/measure_saver.py [--size WxH] [--seconds N] [--speed 0..10]
                                   [--large-pictures] [--program ...] [--prefix ...]

--large-pictures runs the saver on a folder of two 6000 x 4000 JPEG pictures changed every
second, so the longest frame shows whether a picture change stalls the animation. The frame
figures come from the program itself (environment variable VELNOR_FRAME_STATS).
"""

import argparse
import os
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import wine_harness  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User plus system time of a process so far."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def large_picture_folder(session):
    folder = wine_harness.temporary_folder(session, "large")
    for name, look in (("a.jpg", "plasma:fractal"), ("b.jpg", "gradient:navy-orange")):
        subprocess.run(["convert", "-size", "6000x4000", "-seed", "7", look, "-quality", "90",
                        os.path.join(folder, name)], check=True)
    return folder


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "windows", "bin", "Velnor.scr"))
    parser.add_argument("--prefix", default=os.path.join(ROOT, "build", "native", "wineprefix"))
    parser.add_argument("--size", default="1024x768")
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--speed", type=int, default=0, help="frameDelayMs (the speed setting)")
    parser.add_argument("--large-pictures", action="store_true")
    options = parser.parse_args()
    width, height = (int(v) for v in options.size.split("x"))
    args = wine_harness.parse_args(["--program", options.program, "--prefix", options.prefix,
                                    "--work", os.path.join(ROOT, "build", "measure")])
    with wine_harness.Session(args, width, height, name=options.size) as session:
        settings = {"速さ": options.speed}
        if options.large_pictures:
            settings.update({"ｻﾝﾌﾟﾙ画像有無": 0, "画像のｲﾝﾀｰﾊﾞﾙ": 1,
                             "画像のﾌｫﾙﾀﾞ": session.windows_path(large_picture_folder(session))})
        session.write_settings(settings)
        stats = os.path.join(session.work, "frame-stats.txt")
        os.environ["VELNOR_FRAME_STATS"] = session.windows_path(stats)
        proc = session.start_program("/s")
        if not session.wait_for_window("VelnorS", 60):
            sys.exit("the saver window did not appear")
        time.sleep(1.5)
        saver_before, x_before = cpu_seconds(proc.pid), cpu_seconds(session.xvfb.pid)
        started = time.monotonic()
        time.sleep(options.seconds)
        elapsed = time.monotonic() - started
        saver_cpu = (cpu_seconds(proc.pid) - saver_before) / elapsed * 100
        x_cpu = (cpu_seconds(session.xvfb.pid) - x_before) / elapsed * 100
        session.screenshot("measured")
        with open(stats) as text:
            figures = text.read().strip()
    print(f"{options.size} speed {options.speed}{' large pictures' if options.large_pictures else ''}: "
          f"{figures}; saver CPU {saver_cpu:.1f}% of one core, Xvfb {x_cpu:.1f}%")


if __name__ == "__main__":
    main()
