"""The folder that changes under a running saver, shared by the native and the Wine test:
ten one-colour pictures shown at a one-second interval, then eight of them deleted and one
added at once; what the screen must then show. Catches a vanished file holding the picture
before it for an interval of its own (8 deleted: 8 s of one picture) and an added picture
that is never shown until the saver starts again."""

import os
import subprocess
import tempfile
import time

COLOURS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (0, 255, 255),
           (255, 0, 255), (255, 255, 255), (255, 128, 0), (128, 0, 255), (128, 128, 128)]
NAMES = [f"p{i:02d}" for i in range(len(COLOURS))]
DELETED = NAMES[1:9]
ADDED, ADDED_COLOUR = "p05b", (0, 128, 64)  # listed between p05 and p09
HOLD_LIMIT = 2.6  # seconds: an interval, a change's preparation and a screenshot's time
ADDED_WITHIN = 8.0  # seconds: two rounds of the three pictures left, and the listing gap


def _write_png(folder, name, colour, size="64x48"):
    # Written beside the folder and renamed in, as copying and syncing tools do, so the
    # saver never meets the picture half written.
    fd, temporary = tempfile.mkstemp(suffix=".png", dir=os.path.dirname(folder))
    os.close(fd)
    subprocess.run(["convert", "-size", size, "xc:rgb({},{},{})".format(*colour),
                    f"PNG24:{temporary}"], check=True, timeout=30)
    os.replace(temporary, os.path.join(folder, name + ".png"))


def make_pictures(folder):
    os.makedirs(folder, exist_ok=True)
    for name, colour in zip(NAMES, COLOURS):
        _write_png(folder, name, colour)


def change_folder(folder):
    for name in DELETED:
        os.remove(os.path.join(folder, name + ".png"))
    _write_png(folder, ADDED, ADDED_COLOUR)


def name_of(pixel):
    for name, colour in [*zip(NAMES, COLOURS), (ADDED, ADDED_COLOUR)]:
        if all(abs(a - b) <= 24 for a, b in zip(pixel, colour)):
            return name
    return None


def watch(pixel_now, seconds):
    """The pictures seen over `seconds` as (name, first seen, in seconds from the start)."""
    seen = []
    started = time.monotonic()
    while time.monotonic() - started < seconds:
        name = name_of(pixel_now())
        if name and (not seen or seen[-1][0] != name):
            seen.append((name, time.monotonic() - started))
    return seen


def check(test, seen):
    """`seen` starts when the folder was changed."""
    report = ", ".join(f"{name}@{at:.1f}" for name, at in seen)
    holds = [(b_at - a_at, a) for (a, a_at), (_, b_at) in zip(seen, seen[1:])]
    test.assertTrue(holds, f"no change seen: {report}")
    longest = max(holds)
    test.assertLess(longest[0], HOLD_LIMIT, f"{longest[1]} held {longest[0]:.1f} s: {report}")
    added = [at for name, at in seen if name == ADDED]
    test.assertTrue(added and added[0] < ADDED_WITHIN, f"{ADDED} not shown in time: {report}")
    # Only the picture prepared before the change may still come from the deleted ones.
    late = [(name, at) for name, at in seen if name in DELETED and at > 1.5]
    test.assertEqual(late, [], f"deleted pictures shown: {report}")
