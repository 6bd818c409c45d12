"""The private Wine prefix of the end-to-end tests: the environment Wine runs with, the
prefix made once (under a lock, since several scripts may share it) with the Japanese UI
faces that Windows has and Wine lacks mapped to the IPA fonts, and where the program's
per-user settings file lies inside it."""

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


def runtime_folder(prefix):
    """Wine's TMPDIR for `prefix`, beside it: the wineserver keeps its socket and lock in a
    folder there that outlives the server, and all runs on the prefix must find the same
    one, so it stays with the prefix rather than in the temporary folder of the tests."""
    folder = prefix + ".tmp"
    os.makedirs(folder, exist_ok=True)
    return folder


def ensure_prefix(prefix, env):
    """Makes the prefix `prefix` unless it is ready; `env` is Wine's environment for it."""
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
