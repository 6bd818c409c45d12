"""The settings table and the dialog's control table as the native build writes them
(velnor_tables.json, made by tools/velnor_tables from the rows the programs use), so the
end-to-end tests take keys and controls from the rows instead of copies of them."""

import json


def load(session):
    """The tables named by the harness's --tables argument."""
    with open(session.args.tables, encoding="utf-8") as tables:
        return json.load(tables)


def values_of(tables, settings):
    """Every number setting by name, as a dialog loads `settings` (key -> text): the given
    ones, the others at the value of a missing key."""
    values = {}
    for row in tables["settings"]:
        if not row["text"]:
            values[row["name"]] = int(settings.get(row["key"], row["valueWhenMissing"]))
    return values


def tab_stops(tables, settings):
    """The controls Tab visits in a dialog loaded with `settings`, in order: those enabled
    that take the focus, an option pair at its selected square."""
    values = values_of(tables, settings)
    controls = {c["name"]: c for c in tables["controls"]}
    stops = []
    for name in tables["tabOrder"]:
        control = controls[name]
        if control["enabledBy"]:
            on = values[control["enabledBy"]] != 0
            if on == control["enabledWhileZero"]:
                continue
        if control["pairPartner"] and values[control["shows"]] != control["selects"]:
            continue
        stops.append(name)
    return stops


def interactive(tables):
    """The names of the controls that act on a click or a drag."""
    return {c["name"] for c in tables["controls"] if c["interactive"]}


def static_captions(tables):
    """The names of the controls that the dialog keys treat as static text."""
    return {c["name"] for c in tables["controls"] if c["keys"] == "static"}
