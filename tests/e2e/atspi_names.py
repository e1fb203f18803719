#!/usr/bin/env python3
"""Prints what a screen reader finds in the Vantoly application: "role | name" of every showing
control, one per line, sorted. Exits 1 when the application is not on the accessibility bus."""
import sys

import pyatspi


def walk(node, out):
    for child in node:
        if child is None:
            continue
        states = child.getState()
        if states.contains(pyatspi.STATE_SHOWING) and child.name:
            out.add(f"{child.getRoleName()} | {child.name}")
        walk(child, out)


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name.lower() == "vantoly":
            found = set()
            walk(app, found)
            print("\n".join(sorted(found)))
            return 0
    return 1


if __name__ == "__main__":
    sys.exit(main())
