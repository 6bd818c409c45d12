"""End-to-end harness: runs the cross-built Velnor.scr under Wine on a private Xvfb display.

One Session owns a virtual display, a private Wine prefix (made on first use), a working
folder holding a copy of the program (so its settings file beside it is the test's own),
and every process it starts; closing the session ends exactly those by process id.
Standard library only, plus the Xvfb, Xephyr (several monitors), xdotool and ImageMagick
commands; the prefix is wine_prefix.py's, the X servers and screenshots are x_display.py's
(shared with the native harness).
"""

import argparse
import contextlib
import inspect
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from wine_prefix import (WINE_ENV, ensure_prefix, lane_prefix, register_fonts, runtime_folder,
                         user_settings_path)
from x_display import monitors_display, screenshot, start_x_server

# Settings keys of Velnor.ini as the program reads them (section "Section", cp932 file).
SETTINGS_SECTION = "Section"
# What Wine logs when it cannot make a process because the shared user data's address is
# already taken; the program's own code never ran.
WINE_START_FAILURE = "failed to map the shared user data"
# Wine's debug channels for a run whose log is kept: its errors only.
WINE_ERRORS_ONLY = "-all,err+all"


def parse_args(argv=None):
    """Arguments every end-to-end script accepts (given by ctest, or by hand). The programs
    come from `--programs`, the list that the Windows build writes of what it built, or
    from `--program` (with the helpers in `--helpers`, by default beside it)."""
    parser = argparse.ArgumentParser()
    source = parser.add_mutually_exclusive_group(required=True)
    source.add_argument("--programs", help="velnor_programs.json of a Windows build")
    source.add_argument("--program", help="a Velnor.scr")
    parser.add_argument("--helpers", default=None, help="folder of the cross-built test helper programs")
    parser.add_argument("--prefix", required=True,
                        help="private Wine prefix (made on first use; -N added for ctest's lane N)")
    parser.add_argument("--work", default=None, help="folder for the program copy and screenshots")
    parser.add_argument("--flaky-log", default=None,
                        help="file that collects a FLAKY line for each helper run once more")
    parser.add_argument("--tables", default=None,
                        help="velnor_tables.json of the native build (the settings and control tables)")
    parser.add_argument("--homepage", default="",
                        help="the homepage address `--program` was built with (default: none)")
    parser.add_argument("unittest_args", nargs="*")
    args = parser.parse_args(argv)
    args.prefix = lane_prefix(args.prefix)
    args.helper_paths = {}
    if args.programs:
        args.program, args.helper_paths, args.homepage = _read_program_list(args.programs)
    if args.helpers is None:
        args.helpers = os.path.dirname(os.path.abspath(args.program))
    return args


def _read_program_list(path):
    """(Velnor.scr, {helper file name: path}, the build's homepage address or "") from the
    list a Windows build writes."""
    try:
        with open(path, encoding="utf-8") as file:
            programs = json.load(file)
    except OSError as error:
        sys.exit(f"{path}: {error.strerror}; build the windows preset first")
    helpers = {os.path.basename(p): p for p in programs["helpers"]}
    missing = [p for p in [programs["program"], *helpers.values()] if not os.path.exists(p)]
    if missing:
        sys.exit(f"missing from the Windows build: {', '.join(missing)}")
    return programs["program"], helpers, programs.get("homepage", "")


class Session:
    """A display, a Wine prefix and the processes a test started; use it with `with`."""

    def __init__(self, args, width=1024, height=768, name=None, display=None, fresh=True,
                 monitors=None):
        """`display`: an X display to use as it is (for example the user's) instead of a
        private Xvfb of `width` x `height`. `monitors`: instead of one screen, several
        monitors, each (x, y, width, height). `fresh`: empty the working folder first (False
        keeps what a user put there, such as a Velnor.ini beside the program)."""
        self.args = args
        self.own_display = display is None
        self.monitors = monitors or [(0, 0, width, height)]
        self.width = max(x + w for x, y, w, h in self.monitors)
        self.height = max(y + h for x, y, w, h in self.monitors)
        self.name = name or os.path.splitext(os.path.basename(sys.argv[0]))[0]
        self.prefix = os.path.abspath(args.prefix)
        base = args.work or os.path.join(os.path.dirname(self.prefix), "e2e")
        self.work = os.path.join(os.path.abspath(base), self.name)
        self.servers = []
        self.display = display
        self.fresh = fresh
        self.processes = []
        self._shots = 0
        # Variables a test adds to the environment of every Wine process started from now on.
        self.extra_env = {}

    # --- lifetime -------------------------------------------------------------------

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.close()  # __exit__ does not run when __enter__ fails
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def start(self):
        if self.fresh:
            shutil.rmtree(self.work, ignore_errors=True)
        os.makedirs(self.work, exist_ok=True)
        if self.own_display and len(self.monitors) > 1:
            self.servers, self.display = monitors_display(self.monitors)
        elif self.own_display:
            server, self.display = start_x_server(
                ["Xvfb", "-screen", "0", f"{self.width}x{self.height}x24"])
            self.servers = [server]
        self._ensure_prefix()
        self.program = self.install(self.args.program)

    def close(self):
        for proc in self.processes:
            if proc.poll() is None:
                with contextlib.suppress(ProcessLookupError):
                    os.kill(proc.pid, signal.SIGKILL)
                proc.wait()
        with contextlib.suppress(subprocess.TimeoutExpired):
            subprocess.run(["wineserver", "-k"], env=self.env(), stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=False, timeout=60)
        for server in self.servers:
            if server.poll() is None:
                server.terminate()
                server.wait()

    def env(self):
        env = dict(os.environ)
        env.update(WINE_ENV)
        env["WINEPREFIX"] = self.prefix
        env["TMPDIR"] = runtime_folder(self.prefix)
        env.update(self.extra_env)
        if self.display:
            env["DISPLAY"] = self.display
        return env

    # --- the Wine prefix --------------------------------------------------------------

    def _ensure_prefix(self):
        ensure_prefix(self.prefix, self.env())
        # A per-user file would win over the test's own file beside the program.
        with contextlib.suppress(FileNotFoundError):
            os.remove(self.user_settings_path())

    def register_fonts(self):
        """Maps the Japanese UI faces to the IPA fonts again (a test may remove them)."""
        register_fonts(self.prefix, self.env())

    def user_settings_path(self):
        """The per-user settings file inside the prefix (%APPDATA%\\Velnor\\Velnor.ini)."""
        return user_settings_path(self.prefix)

    # --- files ------------------------------------------------------------------------

    def install(self, program, folder="program"):
        """Copies a program into the working folder; its settings file then lives beside it."""
        target_dir = os.path.join(self.work, folder)
        os.makedirs(target_dir, exist_ok=True)
        target = os.path.join(target_dir, os.path.basename(program))
        shutil.copy2(program, target)
        return target

    def helper(self, name):
        if name in self.args.helper_paths:
            return self.args.helper_paths[name]
        return os.path.join(os.path.abspath(self.args.helpers), name)

    def write_settings(self, values, program=None):
        """Writes Velnor.ini beside the program: {key: value}, keys as the program reads them."""
        path = os.path.join(os.path.dirname(program or self.program), "Velnor.ini")
        lines = [f"[{SETTINGS_SECTION}]"] + [f"{key}={value}" for key, value in values.items()]
        with open(path, "wb") as out:
            out.write(("\r\n".join(lines) + "\r\n").encode("cp932"))
        return path

    def windows_path(self, unix_path):
        """Wine's drive Z: maps the Unix root."""
        return "Z:" + os.path.abspath(unix_path).replace("/", "\\")

    # --- processes --------------------------------------------------------------------

    def start_program(self, *arguments, program=None, stdout=subprocess.DEVNULL, trace=None):
        """Starts a program under Wine. `trace`: (Wine debug channels, open file) to log
        those channels into, for example ("+file", f) to see which files it opens."""
        env = self.env()
        stderr = subprocess.DEVNULL
        if trace:
            env["WINEDEBUG"], stderr = trace
        proc = subprocess.Popen(["wine", program or self.program, *arguments], env=env,
                                stdout=stdout, stderr=stderr, cwd=self.work)
        self.processes.append(proc)
        return proc

    def run_helper(self, name, *arguments, timeout=120):
        """Runs a test helper to its end; returns (exit code, output lines, Wine's error
        log). The log keeps Wine's error channels, so that a helper that crashed or could
        not start says why.

        Two faults outside Velnor were seen to lose a helper before any of its code ran: it
        ended with a failure code and printed nothing (every command of the helpers prints,
        also when it fails), and Wine either logged no error or logged that it could not
        map the shared user data while making the process (an address already taken). Only
        these symptoms are run once more, with a FLAKY line on the output and in the flaky
        log; anything else, and a second loss, goes to the test as it is."""
        result = self._run_helper_once(name, arguments, timeout)
        code, lines, log = result
        symptom = None if lines else _loss_before_start(code, log)
        if symptom:
            self._report_flaky(f"{name} {' '.join(arguments)}".strip(),
                               f"ended with exit code {code}, no output and {symptom}; "
                               "ran it once more")
            result = self._run_helper_once(name, arguments, timeout)
        return result

    def _run_helper_once(self, name, arguments, timeout):
        # Output and log go through files: when the helper is the Wine process that starts
        # the wineserver, the server inherits them and would hold a pipe open long after the
        # helper ended.
        env = self.env()
        env["WINEDEBUG"] = WINE_ERRORS_ONLY
        with tempfile.TemporaryFile(dir=self.work) as out, \
                tempfile.TemporaryFile(dir=self.work) as log:
            result = subprocess.run(["wine", self.helper(name), *arguments], env=env,
                                    stdout=out, stderr=log, timeout=timeout, cwd=self.work,
                                    check=False)
            out.seek(0)
            log.seek(0)
            return (result.returncode, out.read().decode("utf-8", "replace").splitlines(),
                    log.read().decode("utf-8", "replace"))

    def _report_flaky(self, what, symptom):
        line = f"FLAKY: {_current_test_name(self.name)} {what}: {symptom}"
        print(line, flush=True)
        if self.args.flaky_log:
            with open(self.args.flaky_log, "a", encoding="utf-8") as log:
                log.write(line + "\n")

    def run_program(self, *arguments, timeout=20, program=None, while_running=None):
        """Runs to the end and returns the exit code (None when it did not end in time);
        `while_running`, when given, is called every 0.1 s until the program ends.

        Velnor.scr ends with 0 on every path of its own, and a crash makes Wine log why; so
        a failure code with no Wine error, or with Wine's failure to make the process, is
        the loss outside Velnor that `run_helper` describes, and is run once more with a
        FLAKY line."""
        what = " ".join([os.path.basename(program or self.program), *arguments])
        code, log = self._run_program_once(arguments, timeout, program, while_running)
        symptom = _loss_before_start(code, log)
        if symptom:
            self._report_flaky(what, f"ended with exit code {code} and {symptom}; "
                                     "ran it once more")
            code, log = self._run_program_once(arguments, timeout, program, while_running)
        if code not in (0, None) and log.strip():
            print(f"{what} ended with exit code {code}; Wine's log:\n{log[-4000:]}", flush=True)
        return code

    def _run_program_once(self, arguments, timeout, program, while_running):
        """(exit code or None, Wine's error log) of one run."""
        with tempfile.TemporaryFile(dir=self.work) as log:
            proc = self.start_program(*arguments, program=program,
                                      trace=(WINE_ERRORS_ONLY, log))
            deadline = time.monotonic() + timeout
            while while_running and proc.poll() is None and time.monotonic() < deadline:
                while_running()
                time.sleep(0.1)
            code = self.wait_exit(proc, max(0.0, deadline - time.monotonic()))
            if code is None:
                return None, ""
            log.seek(0)
            return code, log.read().decode("utf-8", "replace")

    def settings_file_mentions(self, *arguments, seconds=2):
        """How often Wine's file trace names Velnor.ini while the program runs (at most
        `seconds`) with `arguments`: 0 when it never looked for its settings."""
        path = os.path.join(self.work, "file-trace.txt")
        with open(path, "wb") as trace:
            proc = self.start_program(*arguments, trace=("+file", trace))
            self.wait_exit(proc, seconds)
            self.stop(proc)
        with open(path, "rb") as trace:
            return trace.read().lower().count(b"velnor.ini")

    def stop(self, proc, window_title=None):
        """Ends `proc` if it still runs; with `window_title`, then waits (at most 5 s) until
        no window of that title is left, so that the next test starts on a clean screen."""
        if proc.poll() is None:
            proc.kill()
            proc.wait()
        deadline = time.monotonic() + 5
        while window_title and self.find_windows(window_title) and time.monotonic() < deadline:
            time.sleep(0.1)

    def start_host(self, *options):
        """Starts velnor_test_host.exe (a window with a preview pane, see tests/e2e/win32);
        returns the process and the pane's handle as decimal text."""
        host = self.start_program(*options, program=self.helper("velnor_test_host.exe"),
                                  stdout=subprocess.PIPE)
        handle = host.stdout.readline().decode().strip()
        if not handle.isdigit():
            raise RuntimeError(f"host printed {handle!r}")
        return host, handle

    def assert_each_ends_at_once(self, test, argument_lists, seconds=5):
        """Checks in `test` (a unittest case) that the program, run with each of the argument
        lists, ends with exit code 0 within `seconds`."""
        for arguments in argument_lists:
            with test.subTest(arguments=arguments):
                started = time.monotonic()
                test.assertEqual(self.run_program(*arguments, timeout=2 * seconds), 0)
                test.assertLess(time.monotonic() - started, seconds)

    @staticmethod
    def wait_exit(proc, timeout):
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    @staticmethod
    def still_running(proc, seconds):
        """True when the process is still alive after `seconds`."""
        try:
            proc.wait(timeout=seconds)
            return False
        except subprocess.TimeoutExpired:
            return True

    # --- windows, input and screenshots --------------------------------------------------

    def _xdotool(self, *arguments, check=True):
        result = subprocess.run(["xdotool", *arguments], env=self.env(), capture_output=True,
                                text=True, check=False, timeout=20)
        if check and result.returncode != 0:
            raise RuntimeError(f"xdotool {' '.join(arguments)}: {result.stderr.strip()}")
        return result.stdout

    def find_windows(self, title):
        """X window ids of visible windows whose title is exactly `title`."""
        out = self._xdotool("search", "--onlyvisible", "--name", f"^{title}$", check=False)
        return [int(line) for line in out.split()]

    def wait_for_window(self, title, timeout=20):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.find_windows(title)
            if found:
                return found
            time.sleep(0.2)
        return []

    def window_geometry(self, window):
        out = self._xdotool("getwindowgeometry", "--shell", str(window))
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def move_mouse(self, x, y):
        self._xdotool("mousemove", "--sync", str(x), str(y), check=False)

    def click(self, button=1):
        self._xdotool("click", str(button))

    def key(self, name):
        self._xdotool("key", name)

    def screenshot(self, label=None):
        """Saves the whole display as PNG in the working folder and returns it as an Image."""
        self._shots += 1
        path = os.path.join(self.work, f"{self._shots:02d}-{label or 'screen'}.png")
        return screenshot(self.display, self.env(), path)


def _loss_before_start(code, log):
    """The symptom of a process that Wine lost before any of its code ran, as text, or None:
    a failure code with no Wine error, or with Wine's failure to make the process."""
    if code in (0, None):
        return None
    if not log.strip():
        return "no Wine error"
    if WINE_START_FAILURE in log:
        return f"Wine: {WINE_START_FAILURE}"
    return None


def _current_test_name(fallback):
    """The id of the unittest case running now (the nearest test method on the stack)."""
    import unittest
    for frame in inspect.stack():
        case = frame.frame.f_locals.get("self")
        if isinstance(case, unittest.TestCase):
            return case.id()
    return fallback


def temporary_folder(session, name):
    """A fresh folder inside the session's working folder."""
    path = os.path.join(session.work, name)
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


def _stop_on_terminate(signum, frame):
    # unittest lets only KeyboardInterrupt through its test cases, so a terminated script
    # still reaches the code that ends the session's processes.
    raise KeyboardInterrupt(f"signal {signum}")


def run_tests(script_globals, width=1024, height=768, monitors=None):
    """Runs the unittest cases of an end-to-end script inside one session: parses the
    harness arguments (given by ctest, or by hand), starts a Session on a `width` x `height`
    display (or on `monitors`, see Session) as the script's SESSION, runs the cases and
    closes the session, also when its start fails or the script is terminated. Exits with
    the tests' status."""
    import unittest
    args = parse_args()
    session = Session(args, width, height, monitors=monitors)
    script_globals["SESSION"] = session
    signal.signal(signal.SIGTERM, _stop_on_terminate)
    try:
        session.start()
        program = unittest.main(argv=[sys.argv[0], *args.unittest_args], verbosity=2, exit=False)
    finally:
        session.close()
    sys.exit(0 if program.result.wasSuccessful() else 1)

