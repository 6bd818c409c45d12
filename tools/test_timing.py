#!/usr/bin/env python3
"""The timing table that `make test` prints at its end: how long each stage took and the
slowest tests of all ctest runs, so that a change sees what it costs the suite.

    python3 tools/test_timing.py stage FOLDER NAME COMMAND...   runs COMMAND as a stage
    python3 tools/test_timing.py table FOLDER [--slowest N]     prints the table

A stage's time goes to FOLDER/stages.tsv; the tests' times come from the JUnit files that
ctest writes there (--output-junit FOLDER/<run>.xml)."""

import argparse
import glob
import os
import subprocess
import sys
import time
import xml.etree.ElementTree as ElementTree


def run_stage(folder, name, command):
    """Runs `command`, appends "name<TAB>seconds<TAB>exit code" to the stages file and
    returns the command's exit code."""
    started = time.monotonic()
    try:
        code = subprocess.run(command, check=False).returncode
    except OSError as error:
        print(f"{name}: {error}", file=sys.stderr)
        code = 127
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "stages.tsv"), "a", encoding="utf-8") as stages:
        stages.write(f"{name}\t{time.monotonic() - started:.1f}\t{code}\n")
    return code


def read_stages(folder):
    """[(name, seconds, exit code)] in the order the stages ran."""
    path = os.path.join(folder, "stages.tsv")
    if not os.path.exists(path):
        return []
    rows = []
    with open(path, encoding="utf-8") as stages:
        for line in stages:
            fields = line.rstrip("\n").split("\t")
            if len(fields) == 3:
                rows.append((fields[0], float(fields[1]), int(fields[2])))
    return rows


def read_tests(folder):
    """[(seconds, test name, run)] of every test case in the JUnit files of `folder`."""
    tests = []
    for path in sorted(glob.glob(os.path.join(folder, "*.xml"))):
        run = os.path.splitext(os.path.basename(path))[0]
        try:
            root = ElementTree.parse(path).getroot()
        except ElementTree.ParseError:
            continue
        for case in root.iter("testcase"):
            try:
                seconds = float(case.get("time", "0"))
            except ValueError:
                continue
            tests.append((seconds, case.get("name", "?"), run))
    return tests


def minutes(seconds):
    return f"{int(seconds // 60)}:{seconds % 60:04.1f}"


def table(folder, slowest):
    """The table as lines of text."""
    stages = read_stages(folder)
    lines = ["", "Timing of this run", "", f"{'stage':<40} {'time':>8}  result"]
    for name, seconds, code in stages:
        lines.append(f"{name:<40} {minutes(seconds):>8}  {'ok' if code == 0 else 'FAILED'}")
    total = sum(seconds for _, seconds, _ in stages)
    lines.append(f"{'all stages':<40} {minutes(total):>8}")
    tests = sorted(read_tests(folder), reverse=True)[:slowest]
    if tests:
        lines += ["", f"The {len(tests)} slowest tests", ""]
        lines += [f"{seconds:8.1f} s  {name}  ({run})" for seconds, name, run in tests]
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    verbs = parser.add_subparsers(dest="verb", required=True)
    stage = verbs.add_parser("stage")
    stage.add_argument("folder")
    stage.add_argument("name")
    stage.add_argument("command", nargs=argparse.REMAINDER)
    show = verbs.add_parser("table")
    show.add_argument("folder")
    show.add_argument("--slowest", type=int, default=10)
    args = parser.parse_args()
    if args.verb == "stage":
        sys.exit(run_stage(args.folder, args.name, args.command))
    print("\n".join(table(args.folder, args.slowest)))


if __name__ == "__main__":
    main()
