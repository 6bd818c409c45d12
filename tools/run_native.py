#!/usr/bin/env python3
"""`make run-native`: runs the native Linux program build/native/bin/velnor as a user
would see it. With a display ($DISPLAY set and answering) it opens its own 1024x768 window
there until q, Escape or the window's close button. Without one it runs for a few seconds
on a virtual display (Xvfb) and saves screenshots, printing where they are. Settings come
from ~/.config/velnor/Velnor.ini (absent = defaults) and the options after `--`.

    python3 tools/run_native.py [--seconds N] [-- velnor options]
"""

import argparse
import os
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from run_saver import reachable_display  # noqa: E402
from x_display import start_x_server  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "native", "bin", "velnor"))
    parser.add_argument("--seconds", type=float, default=4.0)
    parser.add_argument("velnor_args", nargs="*")
    options = parser.parse_args()
    if not os.path.exists(options.program):
        sys.exit(f"{options.program} is missing: run `make build-native` first")
    display = reachable_display()
    if display:
        print(f"velnor --window on {display}: q, Escape or closing the window ends it.")
        sys.exit(subprocess.run([options.program, "--window", *options.velnor_args]).returncode)
    server, display = start_x_server(["Xvfb", "-screen", "0", "1024x768x24"])
    env = {**os.environ, "DISPLAY": display}
    program = subprocess.Popen([options.program, "--window", *options.velnor_args], env=env)
    try:
        print(f"No display: running on a virtual 1024x768 display for {options.seconds:g} s.")
        folder = os.path.join(ROOT, "build", "run-native")
        os.makedirs(folder, exist_ok=True)
        shots, started = [], time.monotonic()
        while time.monotonic() - started < options.seconds:
            time.sleep(min(1.0, options.seconds))
            path = os.path.join(folder, f"velnor-{len(shots) + 1:02d}.png")
            subprocess.run(["import", "-display", display, "-window", "root", path], env=env,
                           check=True, timeout=30)
            shots.append(path)
        print("Screenshots:\n" + "".join(f"  {path}\n" for path in shots), end="")
    finally:
        program.terminate()
        program.wait(timeout=10)
        server.terminate()
        server.wait(timeout=10)


if __name__ == "__main__":
    main()
