#!/usr/bin/python3
"""Reads pixdeck's main window over AT-SPI, as a screen reader does, and
checks what it would announce: each control's name and description, the
folder list's items with their level.
Usage: atspi_read.py PIXDECK_PROGRAM  (inside a D-Bus session, on a display,
with the accessibility bus running)."""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

program = sys.argv[1]
failures = []


def fail(text):
    failures.append(text)
    print("FAIL: " + text)


def find_app(name, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and (app.get_name() or "").lower() == name:
                return app
        time.sleep(0.2)
    return None


def walk(node, depth=0, out=None):
    out = [] if out is None else out
    try:
        out.append((node.get_role_name(), node.get_name() or "",
                    node.get_description() or "", node))
        count = node.get_child_count()
    except gi.repository.GLib.Error:
        return out
    for i in range(count):
        child = node.get_child_at_index(i)
        if child is not None and depth < 12:
            walk(child, depth + 1, out)
    return out


proc = subprocess.Popen([program])
try:
    app = find_app("pixdeck", 30)
    if app is None:
        fail("pixdeck did not appear on the accessibility bus")
        sys.exit(1)
    # The window's controls are there once it is shown.
    nodes = []
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        nodes = walk(app)
        if any(name == "Files to Show" for _, name, _, _ in nodes):
            break
        time.sleep(0.3)
    by_name = {}
    for role, name, description, node in nodes:
        by_name.setdefault(name, (role, description, node))

    expected = [
        ("Files to Show", "combo box", "Type of file(s) to display in HTML document"),
        ("Directory to Filter", "list", "Select directory with image files"),
        ("Drive of the directory to filter", "combo box", "Change drive"),
        ("HTML Output Name", "combo box", "Name of HTML document produced by filter action"),
        ("Background Pattern", "combo box", "Background pattern name"),
        ("Background Color", "combo box", "Color used for HTML background"),
        ("Found", "text", "Number of items found during filter operation"),
        ("Browse for the HTML output name", "push button", "Select output name"),
        ("Browse for the background pattern", "push button", "Select background pattern"),
        ("Filter", "push button", "Make HTML document based on current settings"),
        ("Exit", "push button", "Close application"),
    ]
    for name, role, description in expected:
        if name not in by_name:
            fail("no control named %r" % name)
            continue
        got_role, got_description, _ = by_name[name]
        if got_role != role:
            fail("%r is a %s, not a %s" % (name, got_role, role))
        if got_description != description:
            fail("%r is described as %r" % (name, got_description))

    # No control that takes input is announced without a name.
    for role, name, description, _ in nodes:
        if role in ("combo box", "push button", "list", "text", "check box") and not name:
            fail("a %s without a name (described as %r)" % (role, description))

    # The folder list's items: names without the blanks that indent them,
    # their level in the description; the current folder is the last open one.
    if "Directory to Filter" in by_name:
        folder_list = by_name["Directory to Filter"][2]
        items = [(name, description) for role, name, description, _ in walk(folder_list)
                 if role == "list item"]
        if not items:
            fail("the folder list has no items")
        for level, (name, description) in enumerate(items[:2], start=1):
            if not description.startswith("level %d, " % level):
                fail("item %r is described as %r" % (name, description))
        for name, _ in items:
            if name != name.strip():
                fail("item %r is read with its indentation" % name)
        if not any(description.endswith(", current folder") for _, description in items):
            fail("no item is the current folder: %r" % items)
        print("folder list: %d items, %r" % (len(items), items[:3]))
    print("read %d accessible objects" % len(nodes))
finally:
    proc.terminate()
    try:
        proc.wait(10)
    except subprocess.TimeoutExpired:
        proc.kill()
sys.exit(1 if failures else 0)
