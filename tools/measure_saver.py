#!/usr/bin/env python3
"""Measures the saver under Wine on a virtual display: frames per second, the longest time
from one frame to the next, and the processor time of the saver, of the wineserver and of
the X server, each in percent of one core.

    python3 tools/measure_saver.py [--size WxH] [--seconds N] [--speed 0..10]
                                   [--large-pictures] [--display-off] [--program ...]
                                   [--baseline PROGRAM] [--rounds N]
                                   [--prefix ...] [--work ...]

--large-pictures runs the saver on a folder of two 6000 x 4000 JPEG pictures changed every
second, so the longest frame shows whether a picture change stalls the animation.
--display-off tells the saver, once it runs, that the display went off (a test-only route
that the saver opens when VELNOR_TEST_DISPLAY_STATE is set), and measures it while off.
The frame figures come from the program itself (environment variable VELNOR_FRAME_STATS).

--baseline PROGRAM measures that program too, in turns with the one measured, and reports
the medians of each and their ratio; --rounds N repeats the measurement N times (in turns,
the order swapped every round). A machine whose load drifts shows differences between two
programs only this way: runs of one program alone can differ by a third.
The last line printed is the figures as one JSON object.
"""

import argparse
import json
import os
import re
import statistics
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


def wineserver_pid(prefix):
    """The wineserver of `prefix`: it runs in a folder server-DEV-INODE (under a temporary
    folder of the user), named after the prefix folder's device and inode."""
    info = os.stat(prefix)
    wanted = f"server-{info.st_dev:x}-{info.st_ino:x}"
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/comm") as comm:
                if not comm.read().startswith("wineserver"):
                    continue
            if os.path.basename(os.readlink(f"/proc/{entry}/cwd")) == wanted:
                return int(entry)
        except OSError:
            continue
    return None


def large_picture_folder(session):
    folder = wine_harness.temporary_folder(session, "large")
    for name, look in (("a.jpg", "plasma:fractal"), ("b.jpg", "gradient:navy-orange")):
        subprocess.run(["convert", "-size", "6000x4000", "-seed", "7", look, "-quality", "90",
                        os.path.join(folder, name)], check=True)
    return folder


def read_frame_stats(path):
    with open(path) as text:
        line = text.read().strip()
    return {key: float(value) for key, value in re.findall(r"(\w+)=([\d.]+)", line)}


def send_display_state(session, state):
    """Delivers a display state ("off" or "on") to the running saver through its test-only
    route (velnor_power_driver.exe, built beside the program)."""
    code, lines, log = session.run_helper("velnor_power_driver.exe", state, timeout=60)
    if code != 0:
        sys.exit(f"velnor_power_driver {state}: exit {code} {lines} {log}")


def measure(session, options):
    settings = {"速さ": options.speed}
    if options.large_pictures:
        settings.update({"ｻﾝﾌﾟﾙ画像有無": 0, "画像のｲﾝﾀｰﾊﾞﾙ": 1,
                         "画像のﾌｫﾙﾀﾞ": session.windows_path(large_picture_folder(session))})
    session.write_settings(settings)
    stats = os.path.join(session.work, "frame-stats.txt")
    os.environ["VELNOR_FRAME_STATS"] = session.windows_path(stats)
    if options.display_off:
        os.environ["VELNOR_TEST_DISPLAY_STATE"] = "1"
    launcher = session.start_program("/s")
    if not session.wait_for_window("VelnorS", 60):
        sys.exit("the saver window did not appear")
    deadline = time.monotonic() + 10
    while not os.path.exists(stats) and time.monotonic() < deadline:
        time.sleep(0.1)  # the first figures are written after a second of frames
    if options.display_off:
        send_display_state(session, "off")
    time.sleep(1.5)
    processes = {"saver": launcher.pid, "wineserver": wineserver_pid(session.prefix),
                 "x_server": session.servers[0].pid}
    missing = [name for name, pid in processes.items() if pid is None]
    if missing:
        sys.exit(f"not found: {', '.join(missing)}")
    frames_before = read_frame_stats(stats) if os.path.exists(stats) else {}
    before = {name: cpu_seconds(pid) for name, pid in processes.items()}
    started = time.monotonic()
    time.sleep(options.seconds)
    elapsed = time.monotonic() - started
    after = {name: cpu_seconds(pid) for name, pid in processes.items()}
    figures = {f"{name}_cpu_percent": round((after[name] - before[name]) / elapsed * 100, 2)
               for name in processes}
    session.screenshot("measured")
    frames = read_frame_stats(stats)
    figures["fps"] = frames.get("fps", 0.0)
    figures["longest_frame_ms"] = frames.get("longest_frame_ms", 0.0)
    figures["frames_while_measured"] = int(frames.get("frames", 0) - frames_before.get("frames", 0))
    return figures


def measure_program(program, options):
    """One run of `program` on a display of its own; prints its figures and returns them."""
    width, height = (int(v) for v in options.size.split("x"))
    args = wine_harness.parse_args(["--program", program, "--prefix", options.prefix,
                                    "--work", options.work])
    with wine_harness.Session(args, width, height, name=options.size) as session:
        figures = measure(session, options)
    what = options.size + f" speed {options.speed}"
    what += " large pictures" if options.large_pictures else ""
    what += " display off" if options.display_off else ""
    print(f"{what}: {figures['frames_while_measured']} frames while measured, "
          f"{figures['fps']:.2f} fps, longest frame {figures['longest_frame_ms']:.1f} ms; "
          f"CPU in % of one core: saver {figures['saver_cpu_percent']:.2f}, "
          f"wineserver {figures['wineserver_cpu_percent']:.2f}, "
          f"X server {figures['x_server_cpu_percent']:.2f}", flush=True)
    return figures


def medians(runs):
    """Each figure's median over `runs`, and the saver's and wineserver's sum."""
    result = {key: round(statistics.median(run[key] for run in runs), 2) for key in runs[0]}
    result["saver_and_wineserver_cpu_percent"] = round(statistics.median(
        run["saver_cpu_percent"] + run["wineserver_cpu_percent"] for run in runs), 2)
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "windows", "bin", "Velnor.scr"))
    parser.add_argument("--baseline", help="a second program, measured in turns with the first")
    parser.add_argument("--rounds", type=int, default=1)
    parser.add_argument("--prefix", default=os.path.join(ROOT, "build", "native", "wineprefix"))
    parser.add_argument("--work", default=os.path.join(ROOT, "build", "measure"))
    parser.add_argument("--size", default="1024x768")
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--speed", type=int, default=0, help="frameDelayMs (the speed setting)")
    parser.add_argument("--large-pictures", action="store_true")
    parser.add_argument("--display-off", action="store_true")
    options = parser.parse_args()
    if options.rounds < 1:
        parser.error("--rounds must be at least 1")
    if options.baseline is None and options.rounds == 1:
        print(json.dumps(measure_program(options.program, options)))
        return
    names = ["program"] + (["baseline"] if options.baseline else [])
    paths = {"program": options.program, "baseline": options.baseline}
    runs = {name: [] for name in names}
    for number in range(options.rounds):
        for name in names if number % 2 == 0 else names[::-1]:
            print(f"round {number + 1}, {name}: ", end="")
            runs[name].append(measure_program(paths[name], options))
    result = {name: medians(runs[name]) for name in names}
    for name in names:
        print(f"{name}, median of {options.rounds}: saver + wineserver "
              f"{result[name]['saver_and_wineserver_cpu_percent']:.2f} % of one core, "
              f"{result[name]['fps']:.2f} fps")
    if options.baseline:
        base = result["baseline"]["saver_and_wineserver_cpu_percent"]
        ratio = result["program"]["saver_and_wineserver_cpu_percent"] / base if base else 0.0
        result["ratio_saver_and_wineserver"] = round(ratio, 3)
        print(f"program / baseline, saver + wineserver: {ratio:.3f}")
    print(json.dumps(result))


if __name__ == "__main__":
    main()
