#!/usr/bin/env python3
"""Long run of the real saver under Wine: `Velnor.scr /s` on a virtual display for a given
time (10 minutes by default) with a picture folder whose pictures change every second and
a picture interval of one second. Every 10 s it samples the memory of the saver's process
(resident and private, from /proc) and its GDI and USER object counts (GetGuiResources,
through the cross-built helper velnor_gui_resources.exe; Wine may not count them). Prints
the samples and whether memory and objects stayed flat after the first minute.

    python3 tools/long_run_saver.py [--minutes 10] [--size 800x600] [--program ...]

Not part of `make test`: it takes the whole time it is given.
"""

import argparse
import os
import random
import shutil
import subprocess
import sys
import threading
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import wine_harness  # noqa: E402


def status_kib(pid, field):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return -1


def saver_pid(session_proc):
    """The Wine process running Velnor.scr (the wine loader execs into it)."""
    out = subprocess.run(["pgrep", "-f", "Velnor.scr"], capture_output=True, text=True).stdout
    candidates = [int(p) for p in out.split()]
    return session_proc.pid if session_proc.pid in candidates else (candidates or [None])[0]


def make_pictures(folder, count=4):
    """Prepared picture contents (BMP, JPEG, GIF) to rotate through the folder's names."""
    stock = os.path.join(folder, "..", "stock")
    os.makedirs(stock, exist_ok=True)
    looks = ["plasma:fractal", "gradient:navy-orange", "gradient:green-black", "plasma:red-blue"]
    made = []
    for i, look in enumerate(looks):
        for ext in ("bmp", "jpg", "gif"):
            path = os.path.join(stock, f"{i}.{ext}")
            subprocess.run(["convert", "-size", "640x480", "-seed", str(i), look, path], check=True)
            made.append(path)
    for i in range(count):
        for ext in ("bmp", "jpg", "gif"):
            shutil.copy(os.path.join(stock, f"{i % len(looks)}.{ext}"),
                        os.path.join(folder, f"p{i}.{ext}"))
    return made


def keep_changing(folder, stock, stop):
    """Every second, replaces one picture's bytes (by rename, as a copy tool would)."""
    chooser = random.Random(5)
    names = sorted(os.listdir(folder))
    while not stop.wait(1.0):
        name = chooser.choice(names)
        ext = name.rsplit(".", 1)[1]
        source = chooser.choice([s for s in stock if s.endswith(ext)])
        temporary = os.path.join(folder, ".incoming")
        shutil.copy(source, temporary)
        os.replace(temporary, os.path.join(folder, name))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "windows", "bin", "Velnor.scr"))
    parser.add_argument("--prefix", default=os.path.join(ROOT, "build", "native", "wineprefix"))
    parser.add_argument("--minutes", type=float, default=10)
    parser.add_argument("--size", default="800x600")
    options = parser.parse_args()
    width, height = (int(v) for v in options.size.split("x"))
    args = wine_harness.parse_args(["--program", options.program, "--prefix", options.prefix,
                                    "--work", os.path.join(ROOT, "build", "long_run")])
    samples = []
    with wine_harness.Session(args, width, height, name="long_run") as session:
        folder = wine_harness.temporary_folder(session, "pictures")
        stock = make_pictures(folder)
        session.write_settings({"ｻﾝﾌﾟﾙ画像有無": 0, "画像のｲﾝﾀｰﾊﾞﾙ": 1,
                                "画像のﾌｫﾙﾀﾞ": session.windows_path(folder)})
        proc = session.start_program("/s")
        if not session.wait_for_window("VelnorS", 60):
            sys.exit("the saver window did not appear")
        pid = saver_pid(proc)
        with open(f"/proc/{pid}/cmdline", "rb") as cmdline:
            print("sampling process %d: %s" % (pid, cmdline.read().replace(b"\0", b" ").decode(
                "utf-8", "replace")), flush=True)
        stop = threading.Event()
        changer = threading.Thread(target=keep_changing, args=(folder, stock, stop), daemon=True)
        changer.start()
        started = time.monotonic()
        try:
            while time.monotonic() - started < options.minutes * 60:
                if proc.poll() is not None:
                    sys.exit(f"the saver ended early (exit {proc.returncode})")
                code, lines, _ = session.run_helper("velnor_gui_resources.exe", "VelnorS", timeout=60)
                objects = lines[0] if code == 0 and lines else f"helper exit {code}"
                sample = (time.monotonic() - started, status_kib(pid, "VmRSS"),
                          status_kib(pid, "RssAnon"), objects)
                samples.append(sample)
                print("%6.0f s  resident %7d KiB  anonymous %7d KiB  %s" % sample, flush=True)
                time.sleep(max(0.0, 10 - (time.monotonic() - started) % 10))
        finally:
            stop.set()
            session.screenshot("long_run_end")
    after_minute = [s for s in samples if s[0] >= 60]
    if len(after_minute) >= 2:
        first, last = after_minute[0], after_minute[-1]
        print("after the first minute: resident %+d KiB, anonymous %+d KiB (from %d to %d KiB);"
              " objects first '%s', last '%s'" % (last[1] - first[1], last[2] - first[2],
                                                  first[2], last[2], first[3], last[3]))


if __name__ == "__main__":
    main()
