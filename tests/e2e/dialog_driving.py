"""What the settings dialog's end-to-end scripts share: the dialog's title, Velnor.ini
beside the program, the commands of velnor_dialog_driver.exe and velnor_sources_driver.exe
and what they report of each control, and a /c run with the dialog found. Each takes the
harness session of the script."""

import os
import subprocess

TITLE = "Velnorの設定"


def ini_path(session):
    """Velnor.ini beside the session's copy of the program."""
    return os.path.join(os.path.dirname(session.program), "Velnor.ini")


def remove_ini(session):
    if os.path.exists(ini_path(session)):
        os.remove(ini_path(session))


def ini_rows(session):
    """The (key, value) lines of Velnor.ini in file order, section lines left out."""
    with open(ini_path(session), "rb") as f:
        text = f.read().decode("cp932")
    rows = []
    for line in text.splitlines():
        if line.startswith("[") or "=" not in line:
            continue
        key, value = line.split("=", 1)
        rows.append((key, value))
    return rows


def drive(session, *commands, timeout=90):
    """Runs the driver; returns its output lines."""
    return session.run_helper("velnor_dialog_driver.exe", *commands, timeout=timeout)[1]


def parse_controls(lines):
    """{name: {field: value}} from the driver's read lines, plus "window"."""
    controls = {}
    for line in lines:
        if line.startswith("window "):
            fields = dict(part.split("=", 1) for part in line.split()[1:])
            controls["window"] = fields
        elif line.startswith("name="):
            head, _, rest = line.partition(' text="')
            text, _, tail = rest.rpartition('"')
            fields = dict(part.split("=", 1) for part in (head + tail).split())
            fields["text"] = text
            controls[fields["name"]] = fields
    return controls


def box(fields):
    return [int(v) for v in fields["rect"].split(",")]


class DialogRun:
    """One /c process with the dialog found; ended (killed if need be) on exit."""

    def __init__(self, session):
        self.session = session

    def __enter__(self):
        self.proc = self.session.start_program("/c")
        lines = drive(self.session, "wait", "30000", "sleep", "500", "read")
        if not lines or lines[0] != "found":
            self.__exit__()
            raise AssertionError(f"dialog did not open: {lines[:3]}")
        self.controls = parse_controls(lines)
        return self

    def __exit__(self, *exc):
        if self.proc.poll() is None and self.session.wait_exit(self.proc, 10) is None:
            self.proc.kill()
            self.proc.wait()

    def finish(self, *commands):
        """Runs commands that close the dialog; returns whether the process then ended."""
        lines = drive(self.session, *commands, "gone", "10000")
        return lines[-1] == "gone" and self.session.wait_exit(self.proc, 10) == 0


def run(session, exe, *commands, timeout=120):
    """Runs a driver; returns its output lines, or raises when it fails."""
    code, lines, log = session.run_helper(exe, *commands, timeout=timeout)
    if code != 0:
        raise AssertionError(f"{exe} {commands} failed with exit code {code}: {lines}\n"
                             f"Wine's log:\n{log[-4000:]}")
    return lines


def dialog(session, *commands):
    """velnor_dialog_driver.exe's commands, which must succeed."""
    return run(session, "velnor_dialog_driver.exe", *commands)


def sources(session, *commands):
    return run(session, "velnor_sources_driver.exe", *commands)


def shown(session, *names):
    """{name: {enabled, visible, rect, screen, text}} as the sources driver shows them."""
    out = {}
    for line in sources(session, *[c for name in names for c in ("show", name)]):
        fields = dict(part.split("=", 1) for part in line.split(" text=")[0].split())
        fields["text"] = line.split(' text="', 1)[1][:-1]
        out[fields["name"]] = fields
    return out


def selected_squares(session):
    """{square name: "1" when shown selected} from the dialog driver's read."""
    out = {}
    for line in dialog(session, "read"):
        if " selected=" in line:
            out[line.split()[0][5:]] = line.rsplit(" selected=", 1)[1]
    return out


def ini_encoding(data):
    """The encoding Velnor reads `data` (a settings file's bytes) in."""
    marks = {b"\xff\xfe": "utf-16-le", b"\xfe\xff": "utf-16-be", b"\xef\xbb\xbf": "utf-8-sig"}
    for mark, encoding in marks.items():
        if data.startswith(mark):
            return encoding
    try:
        data.decode("utf-8")
        return "utf-8" if any(b >= 0x80 for b in data) else "cp932"
    except UnicodeDecodeError:
        return "cp932"


def ini_values(session):
    """{key: value} of Velnor.ini beside the program, in whichever encoding it has."""
    with open(ini_path(session), "rb") as f:
        data = f.read()
    text = data.decode(ini_encoding(data)).lstrip("\ufeff")
    return dict(line.split("=", 1) for line in text.splitlines() if "=" in line)


def open_dialog(session, settings):
    """Starts /c on a settings file of just `settings` and waits for the dialog."""
    # A dialog still closing would make the new one end at once as a second instance.
    for earlier in session.processes:
        session.wait_exit(earlier, 20)
    remove_ini(session)
    session.write_settings(settings)
    session.start_program("/c")
    assert dialog(session, "wait", "60000") == ["found"]


def apply_and_close(session):
    assert dialog(session, "click", "cmd_OK", "gone", "20000")[-1] == "gone"


def set_dpi(session, dpi):
    """Wine's LogPixels for the programs started next."""
    subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
                    "REG_DWORD", "/d", str(dpi), "/f"], env=session.env(), stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True, timeout=60)
    # A new process reads the DPI when the next wineserver starts.
    subprocess.run(["wineserver", "-w"], env=session.env(), check=False, timeout=60)
