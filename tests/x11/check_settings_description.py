"""Checks velnor.xml, the description of Velnor's options for the screen saver's settings
program: every command line a control can produce (both ends and the default of each
slider, every check box state, every menu entry, a text and a folder) is accepted by
`velnor`, every setting's check box and menu entry writes an option in each state (so the
command line always says what the panel shows), and only elements that settings program
reads are used.
Usage: check_settings_description.py VELNOR VELNOR_XML"""

import shlex
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

KNOWN = {"screensaver", "command", "number", "boolean", "select", "option", "string", "file",
         "hgroup", "vgroup", "_description"}
SAMPLE_TEXT = {"string": "dark slate blue", "file": "/tmp"}
# Check boxes that are no setting: off is the program's own default.
NO_SETTING = {"showfps"}


def command_lines(root):
    base = shlex.split(root.find("command").get("arg"))
    yield base
    for element in root.iter():
        if element.tag == "number":
            for value in (element.get("low"), element.get("high"), element.get("default")):
                yield base + shlex.split(element.get("arg").replace("%", value))
        elif element.tag in ("boolean", "option"):
            for key in ("arg-set", "arg-unset"):
                if element.get(key):
                    yield base + shlex.split(element.get(key))
        elif element.tag in SAMPLE_TEXT:
            yield base + shlex.split(element.get("arg").replace("%", shlex.quote(SAMPLE_TEXT[element.tag])))


def main(program, description):
    root = ElementTree.parse(description).getroot()
    failures = [f"unknown element <{e.tag}>" for e in root.iter() if e.tag not in KNOWN]
    for element in root.iter():
        needs = {"boolean": ("arg-set", "arg-unset"), "option": ("arg-set",)}.get(element.tag, ())
        if element.tag == "boolean" and element.get("id") in NO_SETTING:
            needs = ("arg-set",)
        failures += [f"<{element.tag} id={element.get('id')}> writes nothing with {key} missing"
                     for key in needs if not element.get(key)]
    checked = 0
    for arguments in command_lines(root):
        # --help after the options: velnor parses them all, then prints its usage.
        result = subprocess.run([program, *arguments, "--help"], capture_output=True, text=True,
                                timeout=30)
        checked += 1
        if result.returncode != 0:
            failures.append(f"{' '.join(arguments)}: {result.stderr.strip()}")
    for failure in failures:
        print("FAIL:", failure)
    print(f"{checked - len(failures)} passed, {len(failures)} failed")
    return 1 if failures or checked < 10 else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
