"""End to end on Xvfb: `velnor` whose frames are slow, because its X server answers every
request 15 ms late (through a relay of the test's own), still ends by the SIGTERM or SIGINT
it gets within 100 ms: a quit is looked at before every frame, however late the frames
run, and not only when a frame leaves time to wait."""

import os
import signal
import time
import unittest

from native_harness import ARGS, Screen, frame_stats, line_counts, run
from slow_display import SlowDisplay

LATENESS = 0.015  # seconds each answer of the server is held back


def ended_after(proc, seconds):
    """Seconds until `proc` ended, looked at every 2 ms (Popen.wait's own timed wait
    sleeps up to 50 ms between looks); None when it still runs after `seconds`."""
    start = time.monotonic()
    while proc.poll() is None:
        if time.monotonic() - start > seconds:
            return None
        time.sleep(0.002)
    return time.monotonic() - start


class LateServer(unittest.TestCase):
    def test_ends_within_100_ms_of_a_quit_signal_while_frames_run_late(self):
        stats = os.path.join(ARGS.work, "frame-stats.txt")
        with Screen(640, 480) as screen, SlowDisplay(screen.display) as relay:
            relay.delay = LATENESS
            for stop in (signal.SIGTERM, signal.SIGINT, signal.SIGTERM):
                if os.path.exists(stats):
                    os.remove(stats)
                proc = screen.start("--root", "--no-sample", "--speed", "0",
                                    env=screen.env(DISPLAY=relay.display,
                                                   VELNOR_FRAME_STATS=stats))
                deadline = time.monotonic() + 10
                while frame_stats(stats) is None and time.monotonic() < deadline:
                    time.sleep(0.1)
                measured = frame_stats(stats)
                # What this test is about: every frame waits once for the server, so none
                # ends before the 10 ms floor and none has time left to wait.
                self.assertIsNotNone(measured, "no frame statistics")
                self.assertLess(measured["fps"], 1 / LATENESS, f"frames not late: {measured}")
                shot = screen.wait_for_lines(f"late-{stop.name}", (320, 240), 140)
                self.assertTrue(all(line_counts(shot, (320, 240), 140)), shot.path)

                proc.send_signal(stop)
                elapsed = ended_after(proc, 5)
                self.assertIsNotNone(elapsed, f"{stop.name}: still running 5 s later")
                self.assertEqual(proc.returncode, -stop, proc.stderr.read())
                print(f"{stop.name}: {measured['fps']:.0f} frames per second, longest "
                      f"{measured['longest_frame_ms']:.0f} ms; ended after "
                      f"{elapsed * 1000:.0f} ms", flush=True)
                self.assertLess(elapsed, 0.100, f"{stop.name}: {elapsed * 1000:.0f} ms")


if __name__ == "__main__":
    run()
