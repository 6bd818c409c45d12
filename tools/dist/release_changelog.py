#!/usr/bin/env python3
"""The changelog as a release ships it: release_changelog.py VERSION DATE < CHANGELOG.md.
The "Unreleased" section becomes the section of VERSION dated DATE (the release commit's
date); when VERSION has a section already, the entries of both go under one heading, each
kind ("### Fixed") once. An empty "Unreleased" section and its link line are dropped."""

import re
import sys

HEADING = re.compile(r"^## \[([^\]]+)\]")


def split_sections(lines):
    """(text before the first version heading, [(name, [lines])], text after the last
    section: the link lines)."""
    head, sections, tail = [], [], []
    for line in lines:
        found = HEADING.match(line)
        if found:
            sections.append((found.group(1), [line]))
        elif re.match(r"^\[[^\]]+\]: ", line):
            tail.append(line)
        elif sections:
            sections[-1][1].append(line)
        else:
            head.append(line)
    return head, sections, tail


def kinds(body):
    """{"### Fixed": [entry lines]} in the order of the body, blank edges trimmed."""
    found, current = {}, None
    for line in body:
        if line.startswith("### "):
            current = found.setdefault(line.rstrip(), [])
        elif current is not None:
            current.append(line)
    for entries in found.values():
        while entries and not entries[-1].strip():
            entries.pop()
    return found


def release(text, version, date):
    head, sections, tail = split_sections(text.splitlines())
    unreleased = next((body for name, body in sections if name == "Unreleased"), None)
    sections = [(name, body) for name, body in sections if name != "Unreleased"]
    tail = [line for line in tail if not line.startswith("[Unreleased]:")]
    if unreleased is not None and kinds(unreleased[1:]):
        merged = kinds(unreleased[1:])
        index = next((i for i, (name, _) in enumerate(sections) if name == version), None)
        if index is not None:
            for kind, entries in kinds(sections[index][1][1:]).items():
                merged.setdefault(kind, []).extend(entries)
            del sections[index]
        body = [f"## [{version}] - {date}", ""]
        for kind, entries in merged.items():
            body += [kind, *entries, ""]
        sections.insert(0, (version, body))
    out = head[:]
    for _, body in sections:
        out += body
        if out[-1].strip():
            out.append("")
    return "\n".join(out + tail) + "\n"


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: release_changelog.py VERSION DATE < CHANGELOG.md")
    sys.stdout.write(release(sys.stdin.read(), sys.argv[1], sys.argv[2]))


if __name__ == "__main__":
    main()
