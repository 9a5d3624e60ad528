#!/usr/bin/python3
"""Prints what a screen reader sees of the program, read through the accessibility bus (AT-SPI):
one line per object of its windows, depth first, "ROLE<TAB>NAME<TAB>DESCRIPTION", for the
objects showing on screen.

  atspi-tree.py APPLICATION-NAME
"""
import sys

import pyatspi


def walk(node, out, depth=0):
    if depth > 30:  # the windows are shallow; a cycle would be a fault of the bridge
        raise RuntimeError("accessibility tree too deep")
    for child in node:
        if child is None:
            continue
        if child.getState().contains(pyatspi.STATE_SHOWING):
            out.append(f"{child.getRoleName()}\t{child.name}\t{child.description}")
        walk(child, out, depth + 1)


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    lines = []
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == argv[1]:
            walk(app, lines)
    if not lines:
        sys.exit(f"no application {argv[1]!r} on the accessibility bus")
    print("\n".join(lines))


if __name__ == "__main__":
    main(sys.argv)
