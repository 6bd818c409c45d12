#!/usr/bin/env python3
"""`make run`: runs the cross-built Velnor.scr as a user would see it, under Wine.

With a display ($DISPLAY set) the saver runs full screen on it until a click or a mouse
movement ends it. Without one it runs for a few seconds on a virtual display (Xvfb) and
saves screenshots, printing where they are. The Wine prefix is the tests' private one
(build/native/wineprefix), made on first use; the program runs with default settings from
a copy in build/run/program (put a Velnor.ini beside it to try other settings).

    python3 tools/run_saver.py [--seconds N] [--size WxH] [-- saver arguments, default /s]
"""

import argparse
import os
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import wine_harness  # noqa: E402


def parse():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "windows", "bin", "Velnor.scr"))
    parser.add_argument("--prefix", default=os.environ.get(
        "VELNOR_WINEPREFIX", os.path.join(ROOT, "build", "native", "wineprefix")))
    parser.add_argument("--seconds", type=float, default=4.0,
                        help="how long to run on the virtual display")
    parser.add_argument("--size", default="1024x768", help="size of the virtual display")
    parser.add_argument("saver_args", nargs="*", default=["/s"])
    return parser.parse_args()


def reachable_display():
    """$DISPLAY when an X server answers there (a stale value from a closed session does
    not count), else None."""
    display = os.environ.get("DISPLAY")
    if not display:
        return None
    try:
        answer = subprocess.run(["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, timeout=10, check=False)
    except (OSError, subprocess.TimeoutExpired):
        return None
    if answer.returncode != 0:
        print(f"DISPLAY={display} does not answer: using a virtual display.")
        return None
    return display


def main():
    options = parse()
    if not os.path.exists(options.program):
        sys.exit(f"{options.program} is missing: run `make build` first")
    harness_args = wine_harness.parse_args(["--program", options.program, "--prefix", options.prefix,
                                            "--work", os.path.join(ROOT, "build")])
    display = reachable_display()
    width, height = (int(v) for v in options.size.split("x"))
    # The working folder is kept: a Velnor.ini put beside the program copy stays in use.
    with wine_harness.Session(harness_args, width, height, name="run", display=display,
                              fresh=False) as session:
        ini = os.path.join(os.path.dirname(session.program), "Velnor.ini")
        print(f"Velnor.scr {' '.join(options.saver_args)} under Wine (prefix {options.prefix})")
        proc = session.start_program(*options.saver_args)
        if display:
            print(f"Running on {display}: click or move the mouse to end it. "
                  f"Settings: {ini} (absent = defaults).")
            proc.wait()
            return
        print(f"No display: running on a virtual {options.size} display for {options.seconds:g} s.")
        if not session.wait_for_window("VelnorS", 30):
            sys.exit("the saver window did not appear")
        shots = []
        started = time.monotonic()
        while True:
            time.sleep(min(1.0, options.seconds))
            shots.append(session.screenshot("saver").path)
            if time.monotonic() - started >= options.seconds:
                break
        print("Screenshots:")
        for path in shots:
            print(f"  {path}")


if __name__ == "__main__":
    main()
