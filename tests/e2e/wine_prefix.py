"""The private Wine prefix of the end-to-end tests: the environment Wine runs with, the
prefix made once (under a lock, since several scripts may share it) with the Japanese UI
faces that Windows has and Wine lacks mapped to the IPA fonts, and where the program's
per-user settings file lies inside it."""

import ctypes
import fcntl
import os
import subprocess

WINE_ENV = {
    "WINEDEBUG": "-all",
    # No Mono or Gecko installation dialogs when the prefix is made.
    "WINEDLLOVERRIDES": "mscoree,mshtml=",
}

# Japanese UI fonts that Windows has and Wine lacks, mapped to the IPA fonts.
FONT_REPLACEMENTS = {
    "ＭＳ Ｐゴシック": "IPAPGothic",
    "ＭＳ ゴシック": "IPAGothic",
    "MS PGothic": "IPAPGothic",
    "MS Gothic": "IPAGothic",
    "MS UI Gothic": "IPAPGothic",
}


# The ctest resource (declared in tests/e2e/lanes.json) that a Wine test takes: one of two
# lanes, each with a prefix and wineserver of its own, so that two Wine tests can run at
# once without sharing a server.
LANE_RESOURCE = "wine_lane"


def lane_prefix(prefix, environ=None):
    """The prefix of the lane that ctest gave this test: `prefix` itself for lane 0 (and
    for a test run by hand), `prefix`-N for lane N. ctest names the lane in the variables
    CTEST_RESOURCE_GROUP_<g> (the resource's name) and CTEST_RESOURCE_GROUP_<g>_WINE_LANE
    ("id:N,slots:1")."""
    environ = os.environ if environ is None else environ
    for group in range(int(environ.get("CTEST_RESOURCE_GROUP_COUNT", "0"))):
        if environ.get(f"CTEST_RESOURCE_GROUP_{group}") != LANE_RESOURCE:
            continue
        given = environ.get(f"CTEST_RESOURCE_GROUP_{group}_{LANE_RESOURCE.upper()}", "")
        fields = dict(part.split(":", 1) for part in given.split(",") if ":" in part)
        lane = fields.get("id", "0")
        return prefix if lane == "0" else f"{prefix}-{lane}"
    return prefix


def runtime_folder(prefix):
    """Wine's TMPDIR for `prefix`, beside it: the wineserver keeps its socket and lock in a
    folder there that outlives the server, and all runs on the prefix must find the same
    one, so it stays with the prefix rather than in the temporary folder of the tests."""
    folder = prefix + ".tmp"
    os.makedirs(folder, exist_ok=True)
    return folder


def start_wine_at_fixed_addresses():
    """Makes every process started from this one on run without address randomization.

    Debian's wine64 has no preloader to hold Wine's fixed addresses free while a process
    starts. Its loader sits at 0x7d000000, and the kernel starts the native heap at a
    random place up to 1 GB above it; about once in a thousand starts the heap lands on
    0x7ff00000-0x7fff0000, which Wine needs for the shared user data, and Wine ends the new
    process with exit code 1 before any of its code runs ("failed to map the shared user
    data"). Without randomization the heap starts right after the loader, 47 MB below that
    range. The setting is inherited by each process started later, Wine's own included."""
    libc = ctypes.CDLL(None, use_errno=True)
    libc.personality.argtypes = [ctypes.c_ulong]
    libc.personality.restype = ctypes.c_int
    query = 0xFFFFFFFF
    addr_no_randomize = 0x0040000
    current = libc.personality(query)
    if current == -1 or libc.personality(current | addr_no_randomize) == -1:
        raise OSError(ctypes.get_errno(), "personality(ADDR_NO_RANDOMIZE) failed")


def ensure_prefix(prefix, env):
    """Makes the prefix `prefix` unless it is ready; `env` is Wine's environment for it.
    Wine runs without address randomization from here on (start_wine_at_fixed_addresses)."""
    start_wine_at_fixed_addresses()
    os.makedirs(os.path.dirname(prefix), exist_ok=True)
    with open(prefix + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        marker = os.path.join(prefix, ".velnor-ready")
        if not os.path.exists(marker):
            subprocess.run(["wineboot", "-i"], env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=True, timeout=180)
            register_fonts(prefix, env)
            subprocess.run(["wineserver", "-w"], env=env, check=False, timeout=60)
            open(marker, "w").close()


def register_fonts(prefix, env):
    """Writes FONT_REPLACEMENTS into the prefix's registry."""
    lines = ["Windows Registry Editor Version 5.00", "",
             "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]"]
    lines += [f'"{face}"="{real}"' for face, real in FONT_REPLACEMENTS.items()]
    reg = os.path.join(prefix, "velnor-fonts.reg")
    with open(reg, "wb") as out:
        out.write(b"\xff\xfe" + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))
    subprocess.run(["wine", "regedit", "/S", reg], env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True, timeout=60)


def user_settings_path(prefix):
    """The per-user settings file inside the prefix (%APPDATA%\\Velnor\\Velnor.ini)."""
    user = os.environ.get("USER") or os.environ.get("LOGNAME") or "root"
    return os.path.join(prefix, "drive_c", "users", user, "AppData", "Roaming", "Velnor",
                        "Velnor.ini")
