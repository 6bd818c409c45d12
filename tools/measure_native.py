#!/usr/bin/env python3
"""Measures the native X11 program on a private Xvfb display: frames per second and CPU
time per frame (from /proc/PID/stat over the run and the program's frame count), and the
resident memory sampled every --every seconds. Usage:

    python3 tools/measure_native.py --program build/native/bin/velnor --size 1920x1080 \
        --seconds 20 [--every 10] [-- velnor options]
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from x_display import start_x_server  # noqa: E402


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    return (int(fields[11]) + int(fields[12])) / ticks  # utime + stime


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def frames_so_far(path):
    try:
        with open(path) as stats:
            values = dict(item.split("=") for item in stats.read().split())
        return int(values["frames"]), float(values["seconds"])
    except (OSError, KeyError, ValueError):
        return 0, 0.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--size", default="1920x1080")
    parser.add_argument("--seconds", type=float, default=20)
    parser.add_argument("--every", type=float, default=10)
    parser.add_argument("options", nargs="*")
    args = parser.parse_args()
    server, display = start_x_server(["Xvfb", "-screen", "0", f"{args.size}x24"])
    stats = tempfile.NamedTemporaryFile(prefix="velnor-stats-", delete=False).name
    env = {**os.environ, "DISPLAY": display, "VELNOR_FRAME_STATS": stats}
    program = subprocess.Popen([args.program, "--root", *args.options], env=env)
    try:
        time.sleep(2)  # start-up (sample decoding, first frames) is not measured
        cpu0, (frames0, seconds0) = cpu_seconds(program.pid), frames_so_far(stats)
        start = time.monotonic()
        print(f"t=0s rss={rss_kib(program.pid)} KiB", flush=True)
        while time.monotonic() - start < args.seconds:
            time.sleep(min(args.every, args.seconds - (time.monotonic() - start)))
            print(f"t={time.monotonic() - start:.0f}s rss={rss_kib(program.pid)} KiB", flush=True)
        time.sleep(1.1)  # the frame count is written once a second
        cpu1, (frames1, seconds1) = cpu_seconds(program.pid), frames_so_far(stats)
        frames, seconds = frames1 - frames0, seconds1 - seconds0
        print(f"frames={frames} seconds={seconds:.1f} fps={frames / seconds:.1f} "
              f"cpu={cpu1 - cpu0:.2f}s cpu_per_frame_ms={(cpu1 - cpu0) * 1000 / max(frames, 1):.3f} "
              f"cpu_share={(cpu1 - cpu0) / seconds * 100:.1f}%")
    finally:
        program.terminate()
        program.wait(timeout=10)
        server.terminate()
        server.wait(timeout=10)
        os.unlink(stats)


if __name__ == "__main__":
    main()
