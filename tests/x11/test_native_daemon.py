"""End to end with the real screen-saver daemon: an ordinary user made by the test (the
daemon refuses to run display modes as root) runs it on Xvfb with only Velnor selected;
activating it shows the wire ball over the sample picture (with options as the settings
panel and other display modes write them: an X colour name, -fps, -delay), deactivating
it ends velnor. Then the command lines the daemon's settings program writes (a folder as
"~/Pics" or as a chosen file, X colour names, the standard options), a folder of *.jpeg
pictures, and switching modes while the X server answers velnor late: the daemon logs
every velnor as ended by its SIGTERM, at once, and none as crashed or ended abnormally."""

import os
import shutil
import subprocess
import tempfile
import time
import unittest

from native_harness import ARGS, Screen, line_counts, run
from slow_display import SlowDisplay

SETTINGS = """\
mode:\t\tone
selected:\t0
timeout:\t1:00:00
lock:\t\tFalse
fade:\t\t{fade}
unfade:\t\t{fade}
fadeSeconds:\t0:00:01
splash:\t\tFalse
dpmsEnabled:\tFalse
programs:\t{programs}
"""


def processes_named(name, uid):
    """Process ids of `uid`'s processes whose command name is `name`."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/comm") as comm:
                if comm.read().strip() != name:
                    continue
            if os.stat(f"/proc/{entry}").st_uid == uid:
                found.append(int(entry))
        except OSError:
            continue
    return found


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.2)
    return True


@unittest.skipUnless(os.geteuid() == 0, "making the test user needs root")
class Daemon(unittest.TestCase):
    def setUp(self):
        self.user = f"velnore2e{os.getpid()}"
        self.folder = tempfile.mkdtemp(prefix="velnor-daemon-")
        os.chmod(self.folder, 0o755)
        self.home = os.path.join(self.folder, "home")
        program_folder = os.path.join(self.folder, "program")
        os.makedirs(self.home)
        os.makedirs(program_folder)
        # The program and the sample pictures it reads beside itself, readable by the user.
        for name in ("velnor", "sample1.jpg", "sample2.jpg"):
            source = os.path.join(os.path.dirname(ARGS.program), name)
            shutil.copy(source, program_folder)
        self.program = os.path.join(program_folder, "velnor")
        os.chmod(program_folder, 0o755)
        subprocess.run(["useradd", "-M", "-d", self.home, "-s", "/bin/sh", self.user], check=True)
        self.addCleanup(subprocess.run, ["userdel", self.user], check=False)
        self.uid = int(subprocess.run(["id", "-u", self.user], check=True, capture_output=True,
                                      text=True).stdout)
        os.chown(self.home, self.uid, -1)
        self.write_settings([f"{self.program} --root --parallel-colour green -fps -delay 20000"],
                            fade=False)
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)
        self.screen = Screen()
        self.addCleanup(self.screen.close)

    def write_settings(self, programs, fade):
        """~/.xscreensaver with the display modes `programs` (command lines), the first one
        selected."""
        entries = " \\n\\\n\t\t".join(f'"Velnor {i + 1}" {line}' for i, line in enumerate(programs))
        path = os.path.join(self.home, ".xscreensaver")
        with open(path, "w") as settings:
            settings.write(SETTINGS.format(fade=fade, programs=entries + " \\n"))
        os.chown(path, self.uid, -1)

    def as_user(self, *command):
        return ["runuser", "-u", self.user, "--", "env", f"HOME={self.home}",
                f"DISPLAY={self.screen.display}", *command]

    def command(self, *arguments):
        return subprocess.run(self.as_user("xscreensaver-command", *arguments), timeout=30,
                              capture_output=True, text=True).returncode == 0

    def launch_daemon(self):
        self.log_path = os.path.join(ARGS.work, "daemon.log")
        log = open(self.log_path, "w")
        self.addCleanup(log.close)
        daemon = subprocess.Popen(self.as_user("xscreensaver", "-no-splash", "-verbose"),
                                  stdout=log, stderr=subprocess.STDOUT, start_new_session=True)

        def stop():
            # The daemon, its graphics helper and their display modes share its session.
            if daemon.poll() is None:
                os.killpg(daemon.pid, 15)
                try:
                    daemon.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    os.killpg(daemon.pid, 9)
                    daemon.wait()
        self.addCleanup(stop)
        return daemon

    def start_daemon(self):
        """Starts the daemon and waits until it answers."""
        daemon = self.launch_daemon()
        wait_until(lambda: daemon.poll() is not None or self.command("-time"), 15)
        if daemon.poll() is not None or not self.command("-time"):
            self.fail("the daemon did not start:\n" + self.daemon_log())

    def daemon_log(self, whole=False):
        with open(self.log_path) as log:
            text = log.read()
        return text if whole else text[-3000:]

    def test_activate_shows_velnor_and_deactivate_ends_it(self):
        self.start_daemon()
        self.assertTrue(self.command("-activate"))
        self.assertTrue(wait_until(lambda: processes_named("velnor", self.uid), 10),
                        "the daemon did not start velnor:\n" + self.daemon_log())
        shot = self.screen.wait_for_lines("daemon-active", (512, 384), 140)
        self.assertTrue(all(line_counts(shot, (512, 384), 140)), shot.path)
        # The sample picture (a planet among stars) is behind the ball: most of the
        # screen is not black.
        black = shot.count((0, 0, 0))
        self.assertLess(black, shot.width * shot.height * 0.8, shot.path)

        self.assertTrue(self.command("-deactivate"))
        # The daemon's graphics helper has been seen to act on its own SIGTERM 4 s late;
        # velnor ends at once when that helper signals it.
        self.assertTrue(wait_until(lambda: not processes_named("velnor", self.uid), 15),
                        "velnor still runs after the daemon deactivated:\n" + self.daemon_log())

    def velnor_pid(self, earlier=()):
        """The one velnor the daemon runs, once it runs and those in `earlier` have ended."""
        running = []

        def one_new():
            running[:] = processes_named("velnor", self.uid)
            return len(running) == 1 and running[0] not in earlier
        self.assertTrue(wait_until(one_new, 15),
                        f"velnor {running} (earlier {earlier}):\n" + self.daemon_log())
        return running[0]

    def assert_ball_over(self, label, colour):
        shot = self.screen.wait_for_lines(label, (512, 384), 140)
        self.assertTrue(all(line_counts(shot, (512, 384), 140)), shot.path)
        # The folder's one picture fills the screen behind the ball.
        corners = [shot.pixel(x, y) for x in (150, 870) for y in (150, 620)]
        self.assertGreaterEqual(sum(near(c, colour) for c in corners), 3, (corners, shot.path))

    def test_the_settings_programs_command_lines_and_switching_modes_on_a_slow_server(self):
        red, blue = (200, 40, 40), (40, 40, 200)
        for folder, name, colour in (("Pics", "a.jpg", red), ("Phone", "b.jpeg", blue)):
            os.makedirs(os.path.join(self.home, folder))
            subprocess.run(["convert", "-size", "640x480", "xc:rgb" + str(colour),
                            os.path.join(self.home, folder, name)], check=True, timeout=30)
        slow = SlowDisplay(self.screen.display)
        self.addCleanup(slow.close)
        # As the settings program writes them: "~" unexpanded, a file chosen by "Browse...",
        # X colour names, the options every display mode takes.
        programs = [f"{self.program} --root --folder ~/Pics -fps -delay 20000",
                    f"{self.program} --root --folder ~/Pics/a.jpg --parallel-colour green",
                    f"{self.program} --root --folder ~/Phone",
                    f"/usr/bin/env DISPLAY={slow.display} {self.program} --root --no-sample"]
        self.write_settings(programs, fade=True)
        self.start_daemon()
        ended = []
        for number, colour in ((1, red), (2, red), (3, blue)):
            self.assertTrue(self.command("-select", str(number)))
            ended.append(self.velnor_pid(ended))
            self.assert_ball_over(f"daemon-mode-{number}", colour)

        # A server that answers velnor 3 s late: velnor waits inside Xlib when the daemon
        # switches modes, and still ends at once.
        self.assertTrue(self.command("-select", "4"))
        pid = self.velnor_pid(ended)
        ended.append(pid)
        self.screen.wait_for_lines("daemon-slow-server", (512, 384), 140)
        slow.delay = 3.0
        time.sleep(1.5)
        self.assertTrue(self.command("-select", "1"))
        switched = time.monotonic()
        self.assertTrue(wait_until(lambda: not os.path.exists(f"/proc/{pid}"), 5))
        self.assertLess(time.monotonic() - switched, 1.0, self.daemon_log())
        slow.delay = 0

        ended.append(self.velnor_pid(ended))
        self.assertTrue(self.command("-deactivate"))
        self.assertTrue(wait_until(lambda: not processes_named("velnor", self.uid), 15))
        log = self.daemon_log(whole=True)
        for pid in ended:
            self.assertRegex(log, rf"child pid {pid} \(.*\) exited normally with SIGTERM")
        self.assertNotIn("crashed", log)
        self.assertNotIn("abnormally", log)


def near(colour, wanted, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, wanted))


if __name__ == "__main__":
    run()
