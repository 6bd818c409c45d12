"""End to end on Xvfb: `velnor` whose frames are slow, because its X server answers every
request 15 ms late (through a relay of the test's own), still ends with status 0 within
100 ms of SIGTERM or SIGINT: a quit is looked at before every frame, however late the
frames run, and not only when a frame leaves time to wait."""

import os
import signal
import socket
import threading
import time
import unittest

from native_harness import ARGS, Screen, line_counts, run

LATENESS = 0.015  # seconds each answer of the server is held back


class LateRelay:
    """A TCP display that relays to `display` (a local one) and holds back everything the
    server sends by LATENESS; use it with `with`. `display` gives its DISPLAY name."""

    def __init__(self, display):
        self._target = "/tmp/.X11-unix/X" + display.lstrip(":").split(".")[0]
        self._listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        for number in range(100, 400):  # a display number whose port is free
            try:
                self._listener.bind(("127.0.0.1", 6000 + number))
                break
            except OSError:
                continue
        else:
            raise RuntimeError("no free display port")
        self.display = f"127.0.0.1:{number}"
        self._listener.listen()
        self._sockets = [self._listener]
        threading.Thread(target=self._accept, daemon=True).start()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        for sock in self._sockets:
            sock.close()

    def _accept(self):
        while True:
            try:
                client, _ = self._listener.accept()
            except OSError:
                return
            server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
            server.connect(self._target)
            self._sockets += [client, server]
            threading.Thread(target=self._pass, args=(client, server, 0), daemon=True).start()
            threading.Thread(target=self._pass, args=(server, client, LATENESS),
                             daemon=True).start()

    @staticmethod
    def _pass(source, sink, delay):
        try:
            while True:
                data = source.recv(1 << 16)
                if not data:
                    break
                if delay:
                    time.sleep(delay)
                sink.sendall(data)
        except OSError:
            pass
        for sock in (source, sink):
            try:
                sock.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass


def ended_after(proc, seconds):
    """Seconds until `proc` ended, looked at every 2 ms (Popen.wait's own timed wait
    sleeps up to 50 ms between looks); None when it still runs after `seconds`."""
    start = time.monotonic()
    while proc.poll() is None:
        if time.monotonic() - start > seconds:
            return None
        time.sleep(0.002)
    return time.monotonic() - start


def frame_stats(path):
    """The fields of the frame statistics line velnor writes every second, or None."""
    try:
        with open(path, encoding="ascii") as stats:
            text = stats.read().strip()
    except OSError:
        return None
    fields = dict(item.split("=") for item in text.split() if "=" in item)
    return {key: float(value) for key, value in fields.items()} if fields else None


class LateServer(unittest.TestCase):
    def test_ends_within_100_ms_of_a_quit_signal_while_frames_run_late(self):
        stats = os.path.join(ARGS.work, "frame-stats.txt")
        with Screen(640, 480) as screen, LateRelay(screen.display) as relay:
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
                self.assertEqual(proc.returncode, 0, proc.stderr.read())
                print(f"{stop.name}: {measured['fps']:.0f} frames per second, longest "
                      f"{measured['longest_frame_ms']:.0f} ms; ended after "
                      f"{elapsed * 1000:.0f} ms", flush=True)
                self.assertLess(elapsed, 0.100, f"{stop.name}: {elapsed * 1000:.0f} ms")


if __name__ == "__main__":
    run()
