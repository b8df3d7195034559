#!/usr/bin/env python3
"""Walks the accessibility tree of the running application named argv[1]
(as a screen reader sees it over AT-SPI) and fails on any control that takes
the keyboard but has no name, and on any navigation entry that cannot take
the keyboard."""
import sys
import time

import pyatspi

NAV_ENTRIES = {"Communications Setup", "Terminal Mode", "General Settings", "Masking", "Preprocessing",
               "Serial to Mag", "Serial to Wiegand", "Input Options", "Mag Output", "Wiegand Output",
               "Utilities", "Program K52", "Flash Download"}
# Containers that take the keyboard only to pass it on.
CONTAINERS = {"frame", "window", "dialog", "filler", "panel", "scroll pane", "viewport", "internal frame",
              "desktop frame", "menu bar", "application", "page tab list", "redundant object"}


def find_app(name, seconds):
    end = time.time() + seconds
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.5)
    return None


def main():
    app = find_app(sys.argv[1], 40)
    if app is None:
        print("no accessible application named %s on the bus" % sys.argv[1])
        return 1
    time.sleep(3)  # the window and its screens are built
    unnamed, entries, seen = [], {}, 0

    def walk(node, path, depth):
        nonlocal seen
        if depth > 80:
            return
        try:
            count = node.childCount
        except Exception:
            return
        for i in range(count):
            try:
                child = node.getChildAtIndex(i)
                role, name, state = child.getRoleName(), (child.name or "").strip(), child.getState()
            except Exception:
                continue
            seen += 1
            focusable = state.contains(pyatspi.STATE_FOCUSABLE)
            if focusable and not name and role not in CONTAINERS:
                unnamed.append("%s/[%s]" % (path, role))
            if role == "label" and name in NAV_ENTRIES:
                entries[name] = entries.get(name, True) and focusable
            walk(child, "%s/%s" % (path, name or "[" + role + "]"), depth + 1)

    walk(app, app.name, 0)
    print("%d accessible objects walked" % seen)
    failed = False
    for u in unnamed:
        print("focusable without a name: " + u)
        failed = True
    for name in sorted(NAV_ENTRIES):
        if name not in entries:
            print("navigation entry not found: " + name)
            failed = True
        elif not entries[name]:
            print("navigation entry cannot take the keyboard: " + name)
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
