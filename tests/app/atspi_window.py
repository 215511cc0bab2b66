#!/usr/bin/env python3
"""The window through the accessibility bus alone: every control that shows has a name (and every
text field a description), on the dashboard and in the entry and year editors, and a balance
entry can be added by a screen reader's means (set the Balance text, press Submit).

Run under a display and a session bus: dbus-run-session -- xvfb-run -a atspi_window.py CORVANTA
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

NAMED_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU, pyatspi.ROLE_TABLE,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_SLIDER,
}
TEXT_ROLES = {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY}


def wait_for(what, seconds=20.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = what()
        except GLib.GError:  # an object went away while the tree was read: read it again
            found = None
        if found:
            return found
        time.sleep(0.2)
    return None


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name.lower() == name:
            return app
    return None


def walk(node, depth=0):
    yield node
    if depth > 60:
        return
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


def digits_and_signs(text):
    """The text without group separators and spaces ("$ 4,321" reads "$4321")."""
    return "".join(c for c in text if not c.isspace() and c not in ",.'\u202f\u00a0")


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


# Each editor: the tab it opens from, the button that opens it, the fields it must name.
EDITORS = [
    ("Corvanta", "Add", ["Date", "Balance", "Adjustment", "Transfers", "Note", "Find"]),
    ("TSX Comparison", "Add Year", ["Year", "Label (optional)", "TSX Return (decimal)", "Net Cash Flows",
                                    "Actual Start", "Actual End"]),
]


def check_named(app, failures):
    """Counts the controls showing; every one needs a name, every editable text a description."""
    checked = 0
    for node in walk(app):
        if node.getRole() in NAMED_ROLES and showing(node):
            checked += 1
            if not node.name.strip():
                failures.append("unnamed %s (description %r)" % (node.getRoleName(), node.description))
            elif node.getRole() in TEXT_ROLES and node.getState().contains(pyatspi.STATE_EDITABLE) \
                    and not node.description.strip():
                failures.append("text field %r has no description" % node.name)
    return checked


def press(app, role, name):
    node = wait_for(lambda: next((n for n in walk(app) if n.getRole() == role and n.name == name and showing(n)), None), 5)
    if node is not None:
        node.queryAction().doAction(0)
    return node


def check_editor(app, tab, opener, fields, failures):
    if press(app, pyatspi.ROLE_PAGE_TAB, tab) is None or press(app, pyatspi.ROLE_PUSH_BUTTON, opener) is None:
        failures.append("cannot open %s on the %s tab" % (opener, tab))
        return
    shown = wait_for(lambda: {n.name for n in walk(app) if n.getRole() in TEXT_ROLES and showing(n)} >= set(fields), 5)
    if not shown:
        failures.append("%s on the %s tab does not name all of %s" % (opener, tab, fields))
    check_named(app, failures)
    press(app, pyatspi.ROLE_PUSH_BUTTON, "Cancel")


def main(program):
    scratch = tempfile.mkdtemp()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               XDG_DATA_HOME=scratch + "/data", XDG_CONFIG_HOME=scratch + "/config",
               XDG_RUNTIME_DIR=scratch + "/run")
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
    window = subprocess.Popen([program], env=env)
    failures = []
    try:
        app = wait_for(lambda: application("corvanta"))
        if app is None:
            print("the window never appeared on the accessibility bus")
            return 1
        balance = wait_for(lambda: next((n for n in walk(app) if n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)
                                         and n.name == "Balance"), None))
        checked = check_named(app, failures)
        if checked < 10:
            failures.append("too few controls on the accessibility bus to be the window")
        if balance is None:
            failures.append("no text field named Balance")
        else:
            balance.queryEditableText().setTextContents("4321")
            submit = wait_for(lambda: next((n for n in walk(app) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                                            and n.name == "Submit" and n.getState().contains(pyatspi.STATE_ENABLED)), None), 5)
            if submit is None:
                failures.append("Submit never became enabled")
            else:
                submit.queryAction().doAction(0)
                listed = wait_for(lambda: "4321" in digits_and_signs(subprocess.run(
                    [program, "entries"], env=env, capture_output=True, text=True).stdout), 10)
                if not listed:
                    failures.append("the entry typed through the accessibility bus was not stored")
        for tab, opener, fields in EDITORS:
            check_editor(app, tab, opener, fields, failures)
    finally:
        window.terminate()
        window.wait(10)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
